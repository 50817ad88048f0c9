#include "codegen/GeneratedText.h"

#include <QFile>

bool EncodeSingleByte(const QString& text, LineEnd lineEnd, QByteArray* bytes) {
  QByteArray out;
  out.reserve(text.size() + text.size() / 16);
  for (const QChar c : text) {
    const char16_t unit = c.unicode();
    if (unit > 0xFF) {
      bytes->clear();
      return false;
    }
    if (unit == u'\n' && lineEnd == LineEnd::CrLf) out.append('\r');
    out.append(static_cast<char>(unit));
  }
  *bytes = std::move(out);
  return true;
}

QString CantCreateMessage(const QString& path, const QString& reason) {
  return QStringLiteral("Error:  Can't create ") + path + QStringLiteral(" -->") + reason.left(255);
}

bool WriteTextFile(const QString& path, const QString& text, LineEnd lineEnd, QString* reason) {
  QByteArray bytes;
  if (!EncodeSingleByte(text, lineEnd, &bytes)) {
    *reason = QStringLiteral("the text holds a character that has no single-byte form");
    return false;
  }
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    *reason = file.errorString();
    return false;
  }
  if (file.write(bytes) != bytes.size() || !file.flush()) {
    *reason = file.errorString();
    return false;
  }
  file.close();
  return true;
}
