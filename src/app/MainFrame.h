#pragma once

#include <QMainWindow>
#include <memory>

#include "app/ToolCommands.h"

class CBuildOutputPane;
class CChildFrame;
class CKyvApp;
class CKyvDoc;
class CKyvView;
class CMdiTabArea;
class CRibbonBar;
class QActionGroup;
class QLabel;
class QMenu;
class QStackedWidget;
class CStartPanel;
class QUndoGroup;

// The main window: the ribbon, the project windows as tabs, the status bar and the "Build
// Output" pane. Its commands act on the active project.
class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainFrame(CKyvApp& app);
  ~CMainFrame() override;

  CChildFrame* CreateChildFrame(CKyvDoc& doc);
  void ActivateFrame(CChildFrame* frame);
  // The active project window, or nullptr when none is open.
  CChildFrame* ActiveFrame() const;
  CKyvDoc* ActiveDocument() const;
  QList<CChildFrame*> Frames() const;

  CMdiTabArea* MdiArea() const { return m_pMdiArea; }
  CRibbonBar* Ribbon() const { return m_pRibbon; }
  CBuildOutputPane* BuildOutput() const { return m_pBuildOutput; }
  // Shown in place of the project windows while none is open.
  CStartPanel* StartPanel() const { return m_pStartPanel; }
  // The current look id as stored ("ApplicationLook").
  int ApplicationLook() const { return m_nAppLook; }

  // The commands of the ribbon, by their command names.
  QAction* m_pFileNew = nullptr;
  QAction* m_pFileOpen = nullptr;
  QAction* m_pFileOpenExample = nullptr;  // File > Open Example...
  QAction* m_pFileSave = nullptr;
  QAction* m_pFileSaveAs = nullptr;
  QAction* m_pFileClose = nullptr;
  QAction* m_pFileExportPinsCsv = nullptr;   // File > Export Pin Report > As CSV...
  QAction* m_pFileExportPinsHtml = nullptr;  // File > Export Pin Report > As HTML...
  QAction* m_pAppExit = nullptr;
  QAction* m_pAppAbout = nullptr;
  QAction* m_pButtonGenerate = nullptr;
  QAction* m_pButtonCompile = nullptr;
  QAction* m_pLoadP2 = nullptr;
  QAction* m_pButtonFlexProp = nullptr;
  QAction* m_pButtonPropTool = nullptr;
  // Undo and redo of the active project's last change, named after it ("Undo Delete SimpleVGA1").
  QAction* m_pEditUndo = nullptr;
  QAction* m_pEditRedo = nullptr;
  QAction* m_pEditPaste = nullptr;
  QAction* m_pEditCut = nullptr;
  QAction* m_pEditCopy = nullptr;
  QAction* m_pEditSelectAll = nullptr;
  QAction* m_pViewStatusBar = nullptr;
  QAction* m_pWindowNew = nullptr;
  QAction* m_pWindowManager = nullptr;
  QActionGroup* m_pLooks = nullptr;

 public slots:
  void OnApplicationLook(int id);
  void UpdateCommandStates();
  // The window title ("Robot.KYV* - Kyv") and the status bar for the active project.
  void UpdateProjectStatus();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateActions();
  void CreateRibbon();
  void CreateStatusBar();
  void FillRecentFiles();
  // Clears the Build Output pane when the project whose script it showed has closed.
  void ClearOutputOfClosedProject();
  // After a build script ended: a failed build names its first error in the status bar, and
  // what the build reported is kept for the next load.
  void ShowBuildResult(int exitCode);
  // A line the load script printed: when no P2 answered, says what to do.
  void ReadLoaderLine(const QString& line);
  // Opens a file of a compiler message at its line.
  void OpenAtLine(const QString& file, int line);
  void OnAppAbout();
  void OnWindowManager();
  CKyvView* ActiveView() const;
  template <typename Command>
  void OnActiveDocument(Command command);

  CKyvApp& m_app;
  int m_nAppLook;
  CRibbonBar* m_pRibbon = nullptr;
  CMdiTabArea* m_pMdiArea = nullptr;
  CStartPanel* m_pStartPanel = nullptr;
  QStackedWidget* m_pCentre = nullptr;
  CBuildOutputPane* m_pBuildOutput = nullptr;
  QUndoGroup* m_pUndoGroup = nullptr;  // the histories of the open projects; the active one acts
  std::unique_ptr<CToolCommands> m_pToolCommands;
  QMenu* m_pApplicationMenu = nullptr;
  QMenu* m_pRecentMenu = nullptr;
  QLabel* m_pPane1 = nullptr;
  QLabel* m_pPane2 = nullptr;
  QLabel* m_pBuildStatus = nullptr;
  const CKyvDoc* m_pOutputDoc = nullptr;  // the project whose script the pane shows
  bool m_bOutputIsBuild = false;          // that script is the build script
};
