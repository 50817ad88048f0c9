#pragma once

#include <QTableWidget>

// The grid of the pin table: a fixed header row and a fixed first column around the data cells,
// addressed as one grid (row 0 is the header, column 0 the pin numbers). Cells are read-only
// unless made editable; the end of every in-place edit goes through OnEndEdit. Copy and Select
// All work on any cells, Cut and Paste only on editable ones.
class CPinGrid : public QTableWidget {
  Q_OBJECT

 public:
  explicit CPinGrid(QWidget* parent = nullptr);

  // Sets rows and columns of the whole grid, header row and column included.
  void SetGridSize(int rows, int columns);
  int GridRowCount() const { return rowCount() + 1; }
  int GridColumnCount() const { return columnCount(); }

  void SetCellText(int row, int column, const QString& text);
  QString CellText(int row, int column) const;
  void SetCellBackground(int row, int column, const QColor& colour);
  QColor CellBackground(int row, int column) const;
  void SetCellFontWeight(int row, int column, int weight);
  QFont CellFont(int row, int column) const;
  void SetColumnEditable(int column, bool editable);
  bool IsCellEditable(int row, int column) const;

  void Copy();
  void Cut();
  void Paste();
  void SelectAll() { selectAll(); }

 signals:
  // A cell's text was changed by the user (edit, cut or paste).
  void cellEdited(int row, int column, const QString& text);

 protected:
  // The end of an in-place edit: passed on unchanged.
  virtual void OnEndEdit(int row, int column, const QString& text);

 private:
  QTableWidgetItem* Item(int row, int column) const;
  void SetEditedText(int row, int column, const QString& text);

  QList<bool> m_editableColumns;
  bool m_bFilling = false;  // cells written by the program, not the user
};
