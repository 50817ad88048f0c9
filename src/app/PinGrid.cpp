#include "app/PinGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <algorithm>

CPinGrid::CPinGrid(QWidget* parent) : QTableView(parent) {
  verticalHeader()->hide();
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
}

void CPinGrid::SetEditedText(const QModelIndex& index, const QString& text) {
  if (index.isValid() && (index.flags() & Qt::ItemIsEditable)) model()->setData(index, text);
}

// The selected cells' bounding rectangle as tab-separated lines.
void CPinGrid::Copy() {
  if (!model() || !selectionModel()) return;
  const QItemSelection selection = selectionModel()->selection();
  if (selection.isEmpty()) return;
  int top = model()->rowCount(), bottom = -1, left = model()->columnCount(), right = -1;
  for (const QItemSelectionRange& range : selection) {
    top = std::min(top, range.top());
    bottom = std::max(bottom, range.bottom());
    left = std::min(left, range.left());
    right = std::max(right, range.right());
  }
  QStringList lines;
  for (int row = top; row <= bottom; ++row) {
    QStringList cells;
    for (int column = left; column <= right; ++column) {
      const QModelIndex cell = model()->index(row, column);
      cells.append(selection.contains(cell) ? cell.data().toString() : QString());
    }
    lines.append(cells.join(u'\t'));
  }
  QApplication::clipboard()->setText(lines.join(u'\n'));
}

void CPinGrid::Cut() {
  if (!selectionModel()) return;
  Copy();
  emit cellEditsStarted(QStringLiteral("Cut"));
  for (const QModelIndex& cell : selectionModel()->selectedIndexes())
    SetEditedText(cell, QString());
  emit cellEditsFinished();
}

// Pastes tab-separated lines from the current cell down and to the right; cells that cannot be
// edited keep their text.
void CPinGrid::Paste() {
  const QModelIndex first = currentIndex();
  if (!first.isValid()) return;
  QString text = QApplication::clipboard()->text();
  if (text.endsWith(u'\n')) text.chop(1);
  const QStringList lines = text.split(u'\n');
  emit cellEditsStarted(QStringLiteral("Paste"));
  for (int i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    if (line.endsWith(u'\r')) line.chop(1);
    const QStringList cells = line.split(u'\t');
    for (int j = 0; j < cells.size(); ++j)
      SetEditedText(model()->index(first.row() + i, first.column() + j), cells[j]);
  }
  emit cellEditsFinished();
}
