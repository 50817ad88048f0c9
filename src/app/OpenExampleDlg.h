#pragma once

#include <QDialog>
#include <QList>

#include "app/ExampleProjects.h"

class CKyvApp;
class CKyvDoc;
class QListWidget;

// File > Open Example...: the examples with their descriptions; the chosen one is opened as a
// copy the user saves first, so the examples themselves never change.
class COpenExampleDlg : public QDialog {
  Q_OBJECT

 public:
  explicit COpenExampleDlg(QWidget* parent = nullptr);

  QListWidget* List() const { return m_pList; }
  // The example selected when the dialog was accepted; nullptr before.
  const CExampleProject* Chosen() const;

 private:
  QList<CExampleProject> m_examples;
  QListWidget* m_pList = nullptr;
};

// Runs the command: the dialog, the save dialog for the copy, then opens the copy on its
// "Object List" tab. Returns the opened project, or nullptr when cancelled or refused (the
// reason shown).
CKyvDoc* OpenExampleCopy(CKyvApp& app);
