#include "codegen/GeneratedText.h"

bool EncodeSingleByte(const QString& text, QByteArray* bytes) {
  QByteArray out;
  out.reserve(text.size() + text.size() / 16);
  for (const QChar c : text) {
    const char16_t unit = c.unicode();
    if (unit > 0xFF) {
      bytes->clear();
      return false;
    }
    if (unit == u'\n') out.append('\r');
    out.append(static_cast<char>(unit));
  }
  *bytes = std::move(out);
  return true;
}

QString CantCreateMessage(const QString& path, const QString& reason) {
  return QStringLiteral("Error:  Can't create ") + path + QStringLiteral(" -->") + reason.left(255);
}

QString LinkRefusedMessage(const QString& name, const QString& target) {
  return QStringLiteral("Cannot write ") + name + QStringLiteral(": it is a link to ") + target +
         QStringLiteral("; remove it and generate again.");
}
