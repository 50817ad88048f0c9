#pragma once

#include <QAbstractItemView>
#include <QColor>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStringList>
#include <QTest>
#include <QVariant>

// The lists and tables of the program read and driven through their models, as shown.

inline QVariant CellData(const QAbstractItemView* view, int row, int column,
                         int role = Qt::DisplayRole) {
  return view->model()->index(row, column).data(role);
}

inline QString CellText(const QAbstractItemView* view, int row, int column) {
  return CellData(view, row, column).toString();
}

inline QColor CellColour(const QAbstractItemView* view, int row, int column, int role) {
  return CellData(view, row, column, role).value<QColor>();
}

inline int RowCount(const QAbstractItemView* view) { return view->model()->rowCount(); }

// The first column's text of every row.
inline QStringList Lines(const QAbstractItemView* view) {
  QStringList lines;
  for (int row = 0; row < RowCount(view); ++row) lines.append(CellText(view, row, 0));
  return lines;
}

// The object list's rows as its one-line text: "SimpleVGA1 - Simple VGA" from the name and kind
// columns.
inline QStringList NameKindLines(const QAbstractItemView* view) {
  QStringList lines;
  for (int row = 0; row < RowCount(view); ++row)
    lines.append(CellText(view, row, 0) + QStringLiteral(" - ") + CellText(view, row, 1));
  return lines;
}

// Makes the row current and the only one selected; -1 leaves none selected.
inline void SelectRow(QAbstractItemView* view, int row) {
  view->setCurrentIndex(view->model()->index(row, 0));
}

// Adds the cells from (top, left) to (bottom, right) to the selection.
inline void SelectCells(QAbstractItemView* view, int top, int left, int bottom, int right) {
  const QAbstractItemModel* model = view->model();
  view->selectionModel()->select(
      QItemSelection(model->index(top, left), model->index(bottom, right)),
      QItemSelectionModel::Select);
}

// Opens the cell's editor, types the text and presses Return, as the user edits a cell.
inline void TypeIntoCell(QAbstractItemView* view, int row, int column, const QString& text) {
  const QModelIndex cell = view->model()->index(row, column);
  view->setCurrentIndex(cell);
  view->edit(cell);
  auto* editor = view->viewport()->findChild<QLineEdit*>();
  QVERIFY(editor);
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
  // The view commits the edit once the key is handled.
  QTRY_COMPARE(cell.data().toString(), text);
}
