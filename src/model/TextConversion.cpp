#include "model/TextConversion.h"

#include <limits>

int TextToInt(const QString& text) {
  qsizetype i = 0;
  const qsizetype n = text.size();
  auto isSpace = [](QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\n' || u == u'\v' || u == u'\f' || u == u'\r';
  };
  while (i < n && isSpace(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long long value = 0;
  const long long limit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
  while (i < n && text[i] >= u'0' && text[i] <= u'9') {
    if (value < limit) value = value * 10 + (text[i].unicode() - u'0');
    ++i;
  }
  if (value > limit) value = limit;
  if (negative) return static_cast<int>(-value);
  return value >= limit ? std::numeric_limits<int>::max() : static_cast<int>(value);
}

QString RemoveUnderscores(const QString& text) {
  QString copy = text;
  copy.remove(u'_');
  return copy;
}
