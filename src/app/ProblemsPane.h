#pragma once

#include <QWidget>

#include "model/KyvDoc.h"

class CKyvView;
class CProblemsModel;
class QLabel;
class QTableView;

// The "Problems" pane under the pages of a project window: what the project checks find, with a
// count of each severity in its title. It checks again at every refresh of the document and
// whenever the window reports a change. A double-click or Enter on a row goes to where the
// finding is fixed: the first object's editor, the settings field of a clock or SD card finding,
// or the row of the pin a finding without objects is about.
class CProblemsPane : public QWidget, public CDocumentView {
  Q_OBJECT

 public:
  explicit CProblemsPane(CKyvView& view, QWidget* parent = nullptr);
  ~CProblemsPane() override;

  void OnUpdate() override { Refresh(); }
  void Refresh();

  QTableView* List() const { return m_pList; }
  CProblemsModel* Model() const { return m_pModel; }
  // "2 errors, 1 warning", or "No problems found."
  QLabel* Summary() const { return m_pSummary; }

  // Goes to where the finding of the row is fixed.
  void OpenFinding(int row);

  QSize sizeHint() const override;
  // The height that shows every finding whole at the list's present width.
  int HeightForFindings() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowSummary();

  CKyvView& m_view;
  CKyvDoc& m_doc;
  CProblemsModel* m_pModel = nullptr;
  QTableView* m_pList = nullptr;
  QLabel* m_pSummary = nullptr;
  QLabel* m_pTitle = nullptr;
};
