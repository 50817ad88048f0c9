#pragma once

#include <QWidget>

#include "model/KyvDoc.h"

class CPinGrid;

// The "I/O Pin View" tab: the document's pin table in a grid, one row per P2 pin. The grid is
// rewritten from the document at every refresh; only the "Notes" column can be edited, and an
// edited note goes straight into the document.
class CPinsView : public QWidget, public CDocumentView {
  Q_OBJECT

 public:
  static constexpr int kRows = 65;
  static constexpr int kColumns = 5;
  static constexpr int kUsedByColumn = 2;
  static constexpr int kUsedForColumn = 3;
  static constexpr int kNotesColumn = 4;

  explicit CPinsView(CKyvDoc& doc, QWidget* parent = nullptr);
  ~CPinsView() override;

  void OnInitialUpdate();
  void OnUpdate() override;

  CPinGrid* Grid() const { return m_pGrid; }

 signals:
  void modified();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // The pin numbers are shaded like the headers, in the button colours of the current look.
  void ShadePinNumbers();
  void OnCellEdited(int row, int column, const QString& text);

  CKyvDoc& m_doc;
  CPinGrid* m_pGrid = nullptr;
};
