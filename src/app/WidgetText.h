#pragma once

#include <QString>

// A literal text for a widget that reads "&" as an access-key marker: each "&" is doubled so
// that the ampersand itself is shown ("P2 & FlexSpin").
inline QString LiteralWidgetText(const QString& text) {
  QString escaped = text;
  return escaped.replace(u'&', QStringLiteral("&&"));
}
