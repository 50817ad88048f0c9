#include "app/AppLook.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QWidget>

const QList<CAppLook>& OfferedLooks() {
  static const QList<CAppLook> looks = {
      {ID_VIEW_APPLOOK_SYSTEM, QStringLiteral("S&ystem (Desktop Colours)")},
      {ID_VIEW_APPLOOK_OFF_2007_BLUE, QStringLiteral("Office 2007 (&Blue Style)")},
      {ID_VIEW_APPLOOK_OFF_2007_BLACK, QStringLiteral("Office 2007 (B&lack Style)")},
      {ID_VIEW_APPLOOK_OFF_2007_SILVER, QStringLiteral("Office 2007 (&Silver Style)")},
      {ID_VIEW_APPLOOK_OFF_2007_AQUA, QStringLiteral("Office 2007 (&Aqua Style)")},
      {ID_VIEW_APPLOOK_WINDOWS_7, QStringLiteral("Win&dows 7")},
  };
  return looks;
}

int NearestOfferedLook(int storedId) {
  switch (storedId) {
    case ID_VIEW_APPLOOK_WIN_2000:
    case ID_VIEW_APPLOOK_WIN_XP:
      return ID_VIEW_APPLOOK_WINDOWS_7;  // the platform's own style
    case ID_VIEW_APPLOOK_OFF_2003:
      return ID_VIEW_APPLOOK_OFF_2007_BLUE;  // Office 2003 was blue
    case ID_VIEW_APPLOOK_OFF_XP:
    case ID_VIEW_APPLOOK_VS_2005:
    case ID_VIEW_APPLOOK_VS_2008:
      return ID_VIEW_APPLOOK_OFF_2007_SILVER;
    default:
      break;
  }
  for (const CAppLook& look : OfferedLooks())
    if (look.m_nId == storedId) return storedId;
  return kDefaultLook;
}

namespace {

struct CLookColours {
  QColor m_window, m_windowText, m_button, m_buttonText, m_base, m_alternateBase, m_highlight,
      m_highlightedText, m_mid;
  QColor m_text = Qt::black;  // on the base colour: tables, lists and edit boxes
};

QPalette PaletteOf(const CLookColours& c) {
  QPalette palette;
  palette.setColor(QPalette::Window, c.m_window);
  palette.setColor(QPalette::WindowText, c.m_windowText);
  palette.setColor(QPalette::Button, c.m_button);
  palette.setColor(QPalette::ButtonText, c.m_buttonText);
  palette.setColor(QPalette::Base, c.m_base);
  palette.setColor(QPalette::AlternateBase, c.m_alternateBase);
  palette.setColor(QPalette::Text, c.m_text);
  palette.setColor(QPalette::BrightText, Qt::white);
  palette.setColor(QPalette::Light, c.m_button.lighter(130));
  palette.setColor(QPalette::Midlight, c.m_button.lighter(115));
  palette.setColor(QPalette::Dark, c.m_button.darker(150));
  palette.setColor(QPalette::Shadow, Qt::black);
  palette.setColor(QPalette::Link,
                   c.m_text.lightness() > 128 ? QColor(120, 180, 255) : QColor(0, 0, 238));
  palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
  palette.setColor(QPalette::ToolTipText, Qt::black);
  palette.setColor(QPalette::Highlight, c.m_highlight);
  palette.setColor(QPalette::HighlightedText, c.m_highlightedText);
  palette.setColor(QPalette::Mid, c.m_mid);
  palette.setColor(QPalette::PlaceholderText, QColor(128, 128, 128));
  palette.setColor(QPalette::Disabled, QPalette::WindowText, c.m_mid);
  palette.setColor(QPalette::Disabled, QPalette::ButtonText, c.m_mid);
  palette.setColor(QPalette::Disabled, QPalette::Text, QColor(128, 128, 128));
  return palette;
}

QPalette LookPalette(int id) {
  switch (id) {
    case ID_VIEW_APPLOOK_OFF_2007_BLUE:
      return PaletteOf({QColor(213, 228, 242), QColor(21, 66, 139), QColor(227, 239, 255),
                        QColor(21, 66, 139), Qt::white, QColor(238, 245, 255),
                        QColor(255, 213, 140), Qt::black, QColor(141, 178, 227)});
    case ID_VIEW_APPLOOK_OFF_2007_BLACK:
      // Dark tables too: a white page in a black frame glares.
      return PaletteOf({QColor(83, 83, 83), QColor(240, 240, 240), QColor(105, 105, 105),
                        QColor(245, 245, 245), QColor(48, 48, 48), QColor(58, 58, 58),
                        QColor(255, 192, 90), Qt::black, QColor(150, 150, 150),
                        QColor(240, 240, 240)});
    case ID_VIEW_APPLOOK_OFF_2007_AQUA:
      return PaletteOf({QColor(204, 230, 236), QColor(22, 78, 92), QColor(228, 244, 248),
                        QColor(22, 78, 92), Qt::white, QColor(236, 248, 250), QColor(140, 210, 226),
                        Qt::black, QColor(120, 180, 195)});
    case ID_VIEW_APPLOOK_OFF_2007_SILVER:
    default:
      return PaletteOf({QColor(221, 225, 231), QColor(76, 83, 92), QColor(238, 240, 243),
                        QColor(56, 62, 70), Qt::white, QColor(244, 245, 247), QColor(255, 213, 140),
                        Qt::black, QColor(160, 166, 176)});
  }
}

bool PaletteIsDark(const QPalette& palette) {
  return palette.color(QPalette::Window).lightness() <
         palette.color(QPalette::WindowText).lightness();
}

// The dark colours of the "System" look for a desktop whose palette stays light.
QPalette DarkSystemPalette() {
  QPalette palette =
      PaletteOf({QColor(50, 52, 55), QColor(230, 230, 230), QColor(62, 64, 68),
                 QColor(230, 230, 230), QColor(36, 37, 40), QColor(44, 46, 50),
                 QColor(61, 122, 200), Qt::white, QColor(110, 112, 118), QColor(230, 230, 230)});
  palette.setColor(QPalette::ToolTipBase, QColor(60, 62, 66));
  palette.setColor(QPalette::ToolTipText, QColor(230, 230, 230));
  palette.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
  return palette;
}

// The style the platform chose before any look was applied.
const QString& NativeStyleName() {
  static const QString name = QApplication::style()->name();
  return name;
}

// The desktop's colours, as the platform gave them before any look was applied.
const QPalette& DesktopPalette() {
  static const QPalette palette = QApplication::palette();
  return palette;
}

// Qt hands a new application palette only to some of the widgets that already exist (the
// project windows inside the MDI area kept the previous look), so every widget is told to take
// its palette again; a parent that changes passes it on to its children.
void RefreshWidgetPalettes() {
  QEvent change(QEvent::ApplicationPaletteChange);
  for (QWidget* widget : QApplication::allWidgets()) QCoreApplication::sendEvent(widget, &change);
}

}  // namespace

QPalette SystemLookPalette(const QPalette& desktop, bool desktopIsDark) {
  return desktopIsDark && !PaletteIsDark(desktop) ? DarkSystemPalette() : desktop;
}

bool DesktopIsDark(const QPalette& desktop) {
  if (PaletteIsDark(desktop)) return true;
  // GTK desktops name a dark variant in the theme ("Adwaita:dark", "Yaru-dark") even where Qt
  // has no plugin that reads their colours.
  const QString gtkTheme = qEnvironmentVariable("GTK_THEME");
  return gtkTheme.endsWith(QStringLiteral(":dark"), Qt::CaseInsensitive) ||
         gtkTheme.endsWith(QStringLiteral("-dark"), Qt::CaseInsensitive);
}

void ApplyLook(int id) {
  const QString native = NativeStyleName();
  const QPalette& desktop = DesktopPalette();
  const int look = NearestOfferedLook(id);
  if (look == ID_VIEW_APPLOOK_SYSTEM) {
    QApplication::setStyle(QStyleFactory::create(native));
    QApplication::setPalette(SystemLookPalette(desktop, DesktopIsDark(desktop)));
  } else if (look == ID_VIEW_APPLOOK_WINDOWS_7) {
    QApplication::setStyle(QStyleFactory::create(native));
    QApplication::setPalette(QApplication::style()->standardPalette());
  } else {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(LookPalette(look));
  }
  RefreshWidgetPalettes();
}
