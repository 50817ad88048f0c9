// The floor of bench_startup: an empty QMainWindow of Kyv's size, shown and quit after its first
// paint exactly as `kyv --quit-after-show` is. With --text it shows one line of text, so that it
// also pays for the font set-up that any window with text needs.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QScreen>

#include "app/QuitAfterFirstPaint.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QMainWindow window;
  // Kyv's own rule: its wanted size, within the screen less room for the frame.
  QSize size(1200, 860);
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size() - QSize(16, 48));
  window.resize(size);
  if (QApplication::arguments().contains(QStringLiteral("--text")))
    window.setCentralWidget(new QLabel(QStringLiteral("A window with one line of text")));
  CQuitAfterFirstPaint quit(window);
  window.show();
  return QApplication::exec();
}
