#include "app/AccessKeys.h"

QString CAccessKeys::Literal(const QString& text) {
  QString escaped = text;
  return escaped.replace(u'&', QStringLiteral("&&"));
}

QString CAccessKeys::Mark(const QString& text) {
  auto isFree = [&](int i) {
    const QChar c = text[i];
    return c.isLetterOrNumber() && c.unicode() < 128 && !m_used.contains(c.toLower());
  };
  int chosen = -1;
  for (int i = 0; i < text.size() && chosen < 0; ++i) {
    const bool startsWord = i == 0 || !text[i - 1].isLetterOrNumber();
    if (startsWord && isFree(i)) chosen = i;
  }
  for (int i = 0; i < text.size() && chosen < 0; ++i)
    if (isFree(i)) chosen = i;
  if (chosen < 0) return Literal(text);

  m_used.insert(text[chosen].toLower());
  return Literal(text.left(chosen)) + u'&' + Literal(text.mid(chosen));
}
