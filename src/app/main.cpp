#include <QApplication>

#include "app/AppIcon.h"
#include "app/KyvApp.h"
#include "app/MainFrame.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kyv"));
  QApplication::setApplicationVersion(QStringLiteral(KYV_VERSION));
  QApplication::setWindowIcon(AppIcon());
  // Ties the windows to the installed kyv.desktop entry (its icon and name in the task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral("kyv"));

  CKyvApp app;
  if (!app.InitInstance(QApplication::arguments().mid(1))) return 1;
  app.MainFrame()->show();
  return QApplication::exec();
}
