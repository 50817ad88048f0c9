// Draws the application's SVG icon as a square PNG of a given size, for the icon theme's
// fixed-size folders: kyv-render-icon IN.svg OUT.png SIZE
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);  // the icon's text needs the font database
  const QStringList arguments = QGuiApplication::arguments();
  bool sizeOk = false;
  const int size = arguments.value(3).toInt(&sizeOk);
  if (arguments.size() != 4 || !sizeOk || size <= 0) {
    std::fputs("usage: kyv-render-icon IN.svg OUT.png SIZE\n", stderr);
    return 2;
  }
  QSvgRenderer renderer(arguments.at(1));
  if (!renderer.isValid()) {
    std::fprintf(stderr, "%s is not a readable SVG file\n", qPrintable(arguments.at(1)));
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  renderer.render(&painter);
  painter.end();
  if (!image.save(arguments.at(2), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(arguments.at(2)));
    return 1;
  }
  return 0;
}
