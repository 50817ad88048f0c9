#pragma once

#include <QSet>
#include <QString>

// Hands out access keys (Alt+letter) for the texts of one dialog, so that no two controls share
// a letter. Texts are shown with their ampersands literally ("I2C Bus & Scanner").
class CAccessKeys {
 public:
  // The text with every "&" doubled and, when a letter is still free, "&" before it: the first
  // free letter starting a word, else any free letter or digit.
  QString Mark(const QString& text);

  // The text with every "&" doubled, so that it shows literally and takes no key.
  static QString Literal(const QString& text);

 private:
  QSet<QChar> m_used;
};
