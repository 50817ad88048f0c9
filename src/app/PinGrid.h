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

 signals:
  // Around Cut and Paste, which may edit many cells: the cells edited in between are one
  // change, made by `command` ("Cut" or "Paste").
  void cellEditsStarted(const QString& command);
  void cellEditsFinished();

 private:
  void SetEditedText(const QModelIndex& index, const QString& text);
};
