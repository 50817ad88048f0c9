#include "app/PinGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <algorithm>

// Data row r of the table is grid row r + 1: grid row 0 is the horizontal header.

CPinGrid::CPinGrid(QWidget* parent) : QTableWidget(parent) {
  verticalHeader()->hide();
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setStretchLastSection(true);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed);
  connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (!m_bFilling) OnEndEdit(item->row() + 1, item->column(), item->text());
  });
}

void CPinGrid::SetGridSize(int rows, int columns) {
  m_bFilling = true;
  setRowCount(std::max(0, rows - 1));
  setColumnCount(columns);
  m_editableColumns = QList<bool>(columns, false);
  for (int column = 0; column < columns; ++column) {
    setHorizontalHeaderItem(column, new QTableWidgetItem);
    for (int row = 0; row < rowCount(); ++row) {
      auto* item = new QTableWidgetItem;
      item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
      setItem(row, column, item);
    }
  }
  m_bFilling = false;
}

QTableWidgetItem* CPinGrid::Item(int row, int column) const {
  if (column < 0 || column >= columnCount() || row < 0 || row > rowCount()) return nullptr;
  return row == 0 ? horizontalHeaderItem(column) : item(row - 1, column);
}

void CPinGrid::SetCellText(int row, int column, const QString& text) {
  if (QTableWidgetItem* cell = Item(row, column)) {
    m_bFilling = true;
    cell->setText(text);
    m_bFilling = false;
  }
}

QString CPinGrid::CellText(int row, int column) const {
  const QTableWidgetItem* cell = Item(row, column);
  return cell ? cell->text() : QString();
}

void CPinGrid::SetCellBackground(int row, int column, const QColor& colour) {
  if (QTableWidgetItem* cell = Item(row, column)) {
    m_bFilling = true;
    cell->setBackground(colour);
    m_bFilling = false;
  }
}

QColor CPinGrid::CellBackground(int row, int column) const {
  const QTableWidgetItem* cell = Item(row, column);
  return cell ? cell->background().color() : QColor();
}

void CPinGrid::SetCellFontWeight(int row, int column, int weight) {
  if (QTableWidgetItem* cell = Item(row, column)) {
    QFont cellFont = font();
    cellFont.setWeight(static_cast<QFont::Weight>(weight));
    m_bFilling = true;
    cell->setFont(cellFont);
    m_bFilling = false;
  }
}

QFont CPinGrid::CellFont(int row, int column) const {
  const QTableWidgetItem* cell = Item(row, column);
  return cell ? cell->font() : QFont();
}

void CPinGrid::SetColumnEditable(int column, bool editable) {
  if (column < 0 || column >= columnCount()) return;
  m_editableColumns[column] = editable;
  m_bFilling = true;
  for (int row = 0; row < rowCount(); ++row) {
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (editable) flags |= Qt::ItemIsEditable;
    item(row, column)->setFlags(flags);
  }
  m_bFilling = false;
}

bool CPinGrid::IsCellEditable(int row, int column) const {
  return row > 0 && row <= rowCount() && column >= 0 && column < columnCount() &&
         m_editableColumns[column];
}

void CPinGrid::OnEndEdit(int row, int column, const QString& text) {
  emit cellEdited(row, column, text);
}

void CPinGrid::SetEditedText(int row, int column, const QString& text) {
  if (!IsCellEditable(row, column)) return;
  QTableWidgetItem* cell = Item(row, column);
  if (cell->text() == text) return;
  m_bFilling = true;
  cell->setText(text);
  m_bFilling = false;
  OnEndEdit(row, column, text);
}

// The selected cells' bounding rectangle as tab-separated lines.
void CPinGrid::Copy() {
  const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
  if (ranges.isEmpty()) return;
  int top = rowCount(), bottom = -1, left = columnCount(), right = -1;
  for (const QTableWidgetSelectionRange& range : ranges) {
    top = std::min(top, range.topRow());
    bottom = std::max(bottom, range.bottomRow());
    left = std::min(left, range.leftColumn());
    right = std::max(right, range.rightColumn());
  }
  QStringList lines;
  for (int row = top; row <= bottom; ++row) {
    QStringList cells;
    for (int column = left; column <= right; ++column)
      cells.append(item(row, column)->isSelected() ? item(row, column)->text() : QString());
    lines.append(cells.join(u'\t'));
  }
  QApplication::clipboard()->setText(lines.join(u'\n'));
}

void CPinGrid::Cut() {
  Copy();
  for (QTableWidgetItem* cell : selectedItems())
    SetEditedText(cell->row() + 1, cell->column(), QString());
}

// Pastes tab-separated lines from the current cell down and to the right; cells that cannot be
// edited keep their text.
void CPinGrid::Paste() {
  if (!currentItem()) return;
  QString text = QApplication::clipboard()->text();
  if (text.endsWith(u'\n')) text.chop(1);
  const QStringList lines = text.split(u'\n');
  const int firstRow = currentRow();
  const int firstColumn = currentColumn();
  for (int i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    if (line.endsWith(u'\r')) line.chop(1);
    const QStringList cells = line.split(u'\t');
    for (int j = 0; j < cells.size(); ++j)
      SetEditedText(firstRow + i + 1, firstColumn + j, cells[j]);
  }
}
