#pragma once

#include <QWidget>

#include "model/KyvDoc.h"

class CDocumentHistory;
class CObjectListModel;
class QLabel;
class QListWidget;
class QModelIndex;
class QTreeView;

// The "Object List" tab: one row per object (name, kind, pins, problems), a warning line for
// every object whose pins were last rejected, and the Add, Edit and Delete commands. Both lists
// show the document as it is at every refresh; the view keeps no project data of its own.
class CObjectView : public QWidget, public CDocumentView {
  Q_OBJECT

 public:
  CObjectView(CKyvDoc& doc, CDocumentHistory& history, QWidget* parent = nullptr);
  ~CObjectView() override;

  void OnInitialUpdate() { OnUpdate(); }
  void OnUpdate() override;

  QTreeView* ObjectList() const { return m_pObjects; }
  // Selects the first object of that name; false, with the selection cleared, when none has it.
  bool SelectObjectNamed(const QString& name);
  QListWidget* WarningList() const { return m_pWarnings; }
  // Checks the project again after a change made elsewhere, keeping the selection.
  void RefreshFindings();

 public slots:
  void OnAddObject();
  void OnEditObject();
  void OnDeleteObject();

 signals:
  void modified();

 private:
  // The object of the selected row, or nullptr.
  CCodeObject* SelectedObject() const;
  void SelectIndex(const QModelIndex& index);

  CKyvDoc& m_doc;
  CDocumentHistory& m_history;
  CObjectListModel* m_pModel = nullptr;
  QTreeView* m_pObjects = nullptr;
  QLabel* m_pWarningsTitle = nullptr;
  QListWidget* m_pWarnings = nullptr;
};
