#pragma once

#include <QWidget>

#include "model/KyvDoc.h"

class QListWidget;
class QListWidgetItem;

// The "Object List" tab: one line per object, a warning line for every object whose pins were
// last rejected, and the Add, Edit and Delete commands. Both lists are rebuilt from the
// document at every refresh; the view keeps no project data of its own.
class CObjectView : public QWidget, public CDocumentView {
  Q_OBJECT

 public:
  explicit CObjectView(CKyvDoc& doc, QWidget* parent = nullptr);
  ~CObjectView() override;

  void OnInitialUpdate() { OnUpdate(); }
  void OnUpdate() override;

  QListWidget* ObjectList() const { return m_pObjects; }
  QListWidget* WarningList() const { return m_pWarnings; }

 public slots:
  void OnAddObject();
  void OnEditObject();
  void OnDeleteObject();

 signals:
  void modified();

 private:
  // The object named by the selected line (the text before its first blank), or nullptr.
  CCodeObject* SelectedObject() const;

  CKyvDoc& m_doc;
  QListWidget* m_pObjects = nullptr;
  QListWidget* m_pWarnings = nullptr;
};
