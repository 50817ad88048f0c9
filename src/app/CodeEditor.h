#pragma once

#include <QList>
#include <QPlainTextEdit>

#include "codegen/TextDiff.h"

// A plain-text editor for source files with line numbers in a margin on its left. Lines can be
// marked as changed (a tinted background, and a bar in the margin where lines were taken out),
// and one line as the line of an error (a strong background); the current line is tinted.
class CCodeEditor : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit CCodeEditor(QWidget* parent = nullptr);

  // Marks the changes (lines from 1); an empty list clears the marks.
  void SetChanges(const QList<CLineChange>& changes);
  const QList<CLineChange>& Changes() const { return m_changes; }
  // Marks line (from 1) as the line of an error and shows it in the middle; 0 clears the mark.
  void SetErrorLine(int line);
  int ErrorLine() const { return m_nErrorLine; }
  // Moves the cursor to the start of line (from 1) and shows it in the middle.
  void GoToLine(int line);

  // Paints the line-number margin; called by the margin widget.
  void PaintMargin(QPaintEvent* event);
  int MarginWidth() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void UpdateMarginWidth();
  void UpdateMargin(const QRect& rect, int dy);
  void UpdateLineMarks();

  QWidget* m_pMargin = nullptr;
  QList<CLineChange> m_changes;
  int m_nErrorLine = 0;
};
