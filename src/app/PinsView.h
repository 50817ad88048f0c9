#pragma once

#include <QWidget>

#include "model/KyvDoc.h"

class CDocumentHistory;
class CPinGrid;
class CPinTableModel;

// The "I/O Pin View" tab: the document's pin table in a grid, one row per P2 pin. The grid shows
// the document as it is at every refresh; only the "Notes" column can be edited, and an edited
// note goes straight into the document and into the project's history.
class CPinsView : public QWidget, public CDocumentView {
  Q_OBJECT

 public:
  CPinsView(CKyvDoc& doc, CDocumentHistory& history, QWidget* parent = nullptr);
  ~CPinsView() override;

  void OnInitialUpdate();
  void OnUpdate() override;

  CPinGrid* Grid() const { return m_pGrid; }
  // Makes the pin's row the current, selected and visible one.
  void SelectPin(int pin);

 signals:
  void modified();

 protected:
  void changeEvent(QEvent* event) override;

 private:
  // The pin numbers are shaded like the headers, in the button colours of the current look.
  void ShadePinNumbers();

  CKyvDoc& m_doc;
  CDocumentHistory& m_history;
  CPinTableModel* m_pModel = nullptr;
  CPinGrid* m_pGrid = nullptr;
};
