#pragma once

#include <QMdiSubWindow>

class CKyvApp;
class CKyvDoc;
class CKyvView;
class CProblemsPane;
class QSplitter;

// One project window: a tab of the main window holding the tabbed view of one document above its
// Problems pane. A document may have several windows ("New Window"); it lives as long as the last
// of them. Each window has a pane of its own, so that it stays with the pages it opens.
class CChildFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  CChildFrame(CKyvDoc& doc, CKyvApp& app);
  ~CChildFrame() override;

  CKyvDoc& Document() const { return m_doc; }
  CKyvView* View() const { return m_pView; }
  CProblemsPane* Problems() const { return m_pProblems; }
  // Shows what the project checks find now, in the Problems pane and the object list's marks.
  void RefreshFindings();

  // The project's title, with "*" while it has unsaved changes. windowNumber tells the windows
  // of one project apart ("Kyv1:2"); 0 when it has only one.
  void UpdateTitle(int windowNumber = 0);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // The Problems pane as tall as its findings need, up to a third of the window.
  void FitProblemsPane();

  CKyvDoc& m_doc;
  CKyvApp& m_app;
  CKyvView* m_pView = nullptr;
  CProblemsPane* m_pProblems = nullptr;
  QSplitter* m_pSplit = nullptr;
  bool m_bPaneFitted = false;
};
