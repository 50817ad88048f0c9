#pragma once

#include <QList>
#include <QPalette>
#include <QString>

// The looks of the main window, by the ids stored as "ApplicationLook".
enum AppLookId {
  ID_VIEW_APPLOOK_WIN_2000 = 205,
  ID_VIEW_APPLOOK_OFF_XP = 206,
  ID_VIEW_APPLOOK_WIN_XP = 207,
  ID_VIEW_APPLOOK_OFF_2003 = 208,
  ID_VIEW_APPLOOK_VS_2005 = 209,
  ID_VIEW_APPLOOK_VS_2008 = 210,
  ID_VIEW_APPLOOK_OFF_2007_BLUE = 215,
  ID_VIEW_APPLOOK_OFF_2007_BLACK = 216,
  ID_VIEW_APPLOOK_OFF_2007_SILVER = 217,
  ID_VIEW_APPLOOK_OFF_2007_AQUA = 218,
  ID_VIEW_APPLOOK_WINDOWS_7 = 219,
  ID_VIEW_APPLOOK_SYSTEM = 220,  // the platform's style with the desktop's colours
};

// Linux desktops choose their own colours (often dark ones): Kyv follows them there.
#if defined(Q_OS_LINUX)
inline constexpr int kDefaultLook = ID_VIEW_APPLOOK_SYSTEM;
#else
inline constexpr int kDefaultLook = ID_VIEW_APPLOOK_OFF_2007_SILVER;
#endif
inline const QString kApplicationLookValue = QStringLiteral("ApplicationLook");

struct CAppLook {
  int m_nId;
  QString m_sCaption;  // with its access key
};

// The six looks offered in the Style menu, in menu order.
const QList<CAppLook>& OfferedLooks();

// The offered look that shows a stored id: itself for 215..220, the closest of them for the
// older ids 205..210, the default for anything else.
int NearestOfferedLook(int storedId);

// Applies the look to the whole application: Fusion with the look's palette, the platform's
// own style for "Windows 7", or the platform's style with the desktop's colours for "System".
void ApplyLook(int id);

// The colours of the "System" look: the desktop's own, or dark ones when the desktop asks for a
// dark look but its palette is a light one (a dark GTK theme without a platform theme plugin).
QPalette SystemLookPalette(const QPalette& desktop, bool desktopIsDark);
// Whether the desktop is dark: its palette is, or its GTK theme is a dark variant.
bool DesktopIsDark(const QPalette& desktop);
