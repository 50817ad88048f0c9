#pragma once

#include <QTableView>

// A table view with the clipboard commands of a spreadsheet: Copy and Select All work on any
// cells, Cut and Paste change only the cells its model lets the user edit.
class CPinGrid : public QTableView {
  Q_OBJECT

 public:
  explicit CPinGrid(QWidget* parent = nullptr);

  void Copy();
  void Cut();
  void Paste();
  void SelectAll() { selectAll(); }

 private:
  void SetEditedText(const QModelIndex& index, const QString& text);
};
