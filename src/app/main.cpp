#include <QApplication>
#include <optional>

#include "app/AppIcon.h"
#include "app/KyvApp.h"
#include "app/MainFrame.h"
#include "app/QuitAfterFirstPaint.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Kyv"));
  QApplication::setApplicationVersion(QStringLiteral(KYV_VERSION));
  QApplication::setWindowIcon(AppIcon());
  // Ties the windows to the installed kyv.desktop entry (its icon and name in the task bar).
  QGuiApplication::setDesktopFileName(QStringLiteral("kyv"));

  // --quit-after-show: start as usual and end after the first paint (for timing the start-up).
  QStringList arguments = QApplication::arguments().mid(1);
  const bool quitAfterShow = arguments.removeAll(QStringLiteral("--quit-after-show")) > 0;

  CKyvApp app;
  if (!app.InitInstance(arguments)) return 1;
  std::optional<CQuitAfterFirstPaint> quit;
  if (quitAfterShow) quit.emplace(*app.MainFrame());
  app.MainFrame()->show();
  return QApplication::exec();
}
