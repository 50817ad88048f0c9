#pragma once

#include <QSyntaxHighlighter>

// Colours Spin2 source in a text document: comments, strings, numbers, keywords and section
// heads, in colours that read on light and dark backgrounds alike.
class CSpin2Highlighter : public QSyntaxHighlighter {
  Q_OBJECT

 public:
  explicit CSpin2Highlighter(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;
};
