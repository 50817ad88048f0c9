#include "app/CodeEditor.h"

#include <QFontDatabase>
#include <QPaintEvent>
#include <QPainter>
#include <QTextBlock>
#include <algorithm>

namespace {

const QColor kChangedLine(255, 200, 0, 70);
const QColor kRemovedMark(220, 60, 40);
const QColor kErrorLine(230, 40, 40, 110);
const QColor kCurrentLine(128, 128, 128, 40);

class CLineNumberMargin : public QWidget {
 public:
  explicit CLineNumberMargin(CCodeEditor* editor) : QWidget(editor), m_pEditor(editor) {}
  QSize sizeHint() const override { return {m_pEditor->MarginWidth(), 0}; }

 protected:
  void paintEvent(QPaintEvent* event) override { m_pEditor->PaintMargin(event); }

 private:
  CCodeEditor* m_pEditor;
};

}  // namespace

CCodeEditor::CCodeEditor(QWidget* parent) : QPlainTextEdit(parent) {
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  m_pMargin = new CLineNumberMargin(this);
  connect(this, &QPlainTextEdit::blockCountChanged, this, &CCodeEditor::UpdateMarginWidth);
  connect(this, &QPlainTextEdit::updateRequest, this, &CCodeEditor::UpdateMargin);
  connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CCodeEditor::UpdateLineMarks);
  UpdateMarginWidth();
}

int CCodeEditor::MarginWidth() const {
  int digits = 1;
  for (int count = std::max(1, blockCount()); count >= 10; count /= 10) ++digits;
  // Room for four digits at least, so that the text does not jump as a file grows.
  return 10 + fontMetrics().horizontalAdvance(u'9') * std::max(digits, 4);
}

void CCodeEditor::UpdateMarginWidth() { setViewportMargins(MarginWidth(), 0, 0, 0); }

void CCodeEditor::UpdateMargin(const QRect& rect, int dy) {
  if (dy != 0)
    m_pMargin->scroll(0, dy);
  else
    m_pMargin->update(0, rect.y(), m_pMargin->width(), rect.height());
  if (rect.contains(viewport()->rect())) UpdateMarginWidth();
}

void CCodeEditor::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  const QRect area = contentsRect();
  m_pMargin->setGeometry(QRect(area.left(), area.top(), MarginWidth(), area.height()));
}

void CCodeEditor::PaintMargin(QPaintEvent* event) {
  QPainter painter(m_pMargin);
  painter.fillRect(event->rect(), palette().color(QPalette::AlternateBase));
  QList<int> removedBefore;  // lines with lines taken out just above them
  for (const CLineChange& change : m_changes)
    if (change.m_nLineCount == 0) removedBefore.append(change.m_nFirstLine);

  QTextBlock block = firstVisibleBlock();
  int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
  const int width = m_pMargin->width();
  while (block.isValid() && top <= event->rect().bottom()) {
    const int height = qRound(blockBoundingRect(block).height());
    const int line = block.blockNumber() + 1;
    if (block.isVisible() && top + height >= event->rect().top()) {
      const bool current = line == textCursor().blockNumber() + 1;
      painter.setPen(current ? palette().color(QPalette::Text)
                             : palette().color(QPalette::PlaceholderText));
      painter.drawText(0, top, width - 6, fontMetrics().height(), Qt::AlignRight,
                       QString::number(line));
      if (removedBefore.contains(line)) painter.fillRect(0, top, width, 2, kRemovedMark);
    }
    top += height;
    block = block.next();
  }
  // Lines taken out at the very end show under the last line.
  if (removedBefore.contains(blockCount() + 1) && top <= event->rect().bottom() + 2)
    painter.fillRect(0, top, width, 2, kRemovedMark);
}

void CCodeEditor::SetChanges(const QList<CLineChange>& changes) {
  m_changes = changes;
  UpdateLineMarks();
  m_pMargin->update();
}

void CCodeEditor::SetErrorLine(int line) {
  m_nErrorLine = line;
  if (line > 0) GoToLine(line);
  UpdateLineMarks();
}

void CCodeEditor::GoToLine(int line) {
  const QTextBlock block = document()->findBlockByNumber(std::max(0, line - 1));
  if (!block.isValid()) return;
  setTextCursor(QTextCursor(block));
  centerCursor();
}

void CCodeEditor::UpdateLineMarks() {
  QList<QTextEdit::ExtraSelection> marks;
  auto markLine = [this, &marks](int line, const QColor& colour) {
    const QTextBlock block = document()->findBlockByNumber(line - 1);
    if (!block.isValid()) return;
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(block);
    mark.format.setBackground(colour);
    mark.format.setProperty(QTextFormat::FullWidthSelection, true);
    marks.append(mark);
  };
  markLine(textCursor().blockNumber() + 1, kCurrentLine);
  for (const CLineChange& change : m_changes)
    for (int line = change.m_nFirstLine; line < change.m_nFirstLine + change.m_nLineCount; ++line)
      markLine(line, kChangedLine);
  if (m_nErrorLine > 0) markLine(m_nErrorLine, kErrorLine);
  setExtraSelections(marks);
  m_pMargin->update();
}
