#pragma once

#include <QList>
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
};

inline constexpr int kDefaultLook = ID_VIEW_APPLOOK_OFF_2007_SILVER;
inline const QString kApplicationLookValue = QStringLiteral("ApplicationLook");

struct CAppLook {
  int m_nId;
  QString m_sCaption;  // with its access key
};

// The five looks offered in the Style menu, in menu order.
const QList<CAppLook>& OfferedLooks();

// The offered look that shows a stored id: itself for 215..219, the closest of them for the
// older ids 205..210, the default for anything else.
int NearestOfferedLook(int storedId);

// Applies the look to the whole application: Fusion with the look's palette, or the platform's
// own style for "Windows 7".
void ApplyLook(int id);
