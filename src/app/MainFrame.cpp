#include "app/MainFrame.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QUndoGroup>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AboutDlg.h"
#include "app/AppLook.h"
#include "app/BuildOutputPane.h"
#include "app/ChildFrame.h"
#include "app/CommandIcons.h"
#include "app/DocumentHistory.h"
#include "app/KyvApp.h"
#include "app/KyvView.h"
#include "app/MdiTabArea.h"
#include "app/OpenExampleDlg.h"
#include "app/PinGrid.h"
#include "app/PinReportExport.h"
#include "app/ProjectSummary.h"
#include "app/Ribbon.h"
#include "app/ScreenFit.h"
#include "app/StartPanel.h"
#include "app/WidgetText.h"
#include "app/WindowsDlg.h"
#include "codegen/BuildScripts.h"
#include "codegen/CompilerOutput.h"
#include "codegen/LoaderOutput.h"
#include "editors/CheckedGenerate.h"

CMainFrame::CMainFrame(CKyvApp& app)
    : m_app(app), m_nAppLook(app.Settings().ReadInt(kApplicationLookValue, kDefaultLook)) {
  setWindowTitle(kAppTitle);
  setObjectName(QStringLiteral("mainFrame"));
  setAcceptDrops(true);

  m_pMdiArea = new CMdiTabArea;
  CreateActions();
  // The project windows, or the start panel while none is open.
  m_pStartPanel = new CStartPanel(m_pFileNew, m_pFileOpen);
  m_pStartPanel->SetRecentFiles(m_app.RecentFiles());
  connect(m_pStartPanel, &CStartPanel::recentFileChosen, this,
          [this](const QString& path) { m_app.OpenDocumentFile(path); });
  connect(&m_app, &CKyvApp::recentFilesChanged, this,
          [this] { m_pStartPanel->SetRecentFiles(m_app.RecentFiles()); });
  m_pCentre = new QStackedWidget;
  m_pCentre->addWidget(m_pMdiArea);
  m_pCentre->addWidget(m_pStartPanel);
  // The pages and panes of a project need a certain room; on a screen with less (a small one,
  // or a large one at a high scale factor) they scroll instead of making the window taller
  // than the screen, with its status bar out of reach.
  auto* fit = new QScrollArea;
  fit->setObjectName(QStringLiteral("mainArea"));
  fit->setFrameShape(QFrame::NoFrame);
  fit->setWidgetResizable(true);
  fit->setWidget(m_pCentre);
  setCentralWidget(fit);
  CreateRibbon();
  CreateStatusBar();

  m_pBuildOutput = new CBuildOutputPane(this);
  addDockWidget(Qt::BottomDockWidgetArea, m_pBuildOutput);
  m_pBuildOutput->hide();
  m_pToolCommands = std::make_unique<CToolCommands>(*m_pBuildOutput);
  m_pBuildOutput->SetFileOpener([this](const QString& file, int line) { OpenAtLine(file, line); });
  connect(m_pBuildOutput, &CBuildOutputPane::finished, this, &CMainFrame::ShowBuildResult);
  connect(m_pBuildOutput, &CBuildOutputPane::lineCompleted, this, &CMainFrame::ReadLoaderLine);

  setDockOptions(QMainWindow::AnimatedDocks | QMainWindow::AllowTabbedDocks);
  OnApplicationLook(m_nAppLook);

  connect(m_pMdiArea, &QMdiArea::subWindowActivated, this, &CMainFrame::UpdateCommandStates);
  connect(&m_app, &CKyvApp::documentsChanged, this, &CMainFrame::UpdateCommandStates);
  connect(&m_app, &CKyvApp::documentsChanged, this, &CMainFrame::ClearOutputOfClosedProject);
  resize(SizeWithinScreen(*this, QSize(1200, 860)));
  UpdateCommandStates();
}

CMainFrame::~CMainFrame() {
  // Project windows go while the main window is still whole.
  m_app.SetClosingAll(true);
  for (QMdiSubWindow* window : m_pMdiArea->subWindowList()) delete window;
}

void CMainFrame::CreateActions() {
  auto action = [this](const QString& text, QStyle::StandardPixmap icon = QStyle::SP_CustomBase) {
    auto* created = new QAction(text, this);
    if (icon != QStyle::SP_CustomBase) created->setIcon(style()->standardIcon(icon));
    return created;
  };
  m_pFileNew = action(QStringLiteral("&New"), QStyle::SP_FileIcon);
  m_pFileOpen = action(QStringLiteral("&Open..."), QStyle::SP_DialogOpenButton);
  m_pFileOpenExample = action(QStringLiteral("Open &Example..."));
  m_pFileSave = action(QStringLiteral("&Save"), QStyle::SP_DialogSaveButton);
  m_pFileSaveAs = action(QStringLiteral("Save &As..."));
  m_pFileClose = action(QStringLiteral("&Close"), QStyle::SP_DialogCloseButton);
  m_pFileExportPinsCsv = action(QStringLiteral("As &CSV..."));
  m_pFileExportPinsHtml = action(QStringLiteral("As &HTML..."));
  m_pAppExit = action(QStringLiteral("E&xit"));
  m_pAppAbout = action(QStringLiteral("&About"), QStyle::SP_MessageBoxInformation);
  m_pFileNew->setShortcut(QKeySequence::New);
  m_pFileOpen->setShortcut(QKeySequence::Open);
  m_pFileSave->setShortcut(QKeySequence::Save);
  // Ctrl+Q on every system (the platform's Quit key is empty on some); the action lives in the
  // File menu, so the window carries it for the key to work while the menu is closed.
  m_pAppExit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  addAction(m_pAppExit);
  // Ctrl+W closes the project window everywhere, beside the platform's own key (Ctrl+F4).
  QList<QKeySequence> closeKeys = {QKeySequence(Qt::CTRL | Qt::Key_W)};
  for (const QKeySequence& key : QKeySequence::keyBindings(QKeySequence::Close))
    if (!closeKeys.contains(key)) closeKeys.append(key);
  m_pFileClose->setShortcuts(closeKeys);
  addAction(m_pFileClose);

  m_pButtonGenerate = action(QStringLiteral("1: Generate Code"), QStyle::SP_FileDialogNewFolder);
  m_pButtonCompile = action(QStringLiteral("2: Compile"));
  m_pButtonCompile->setIcon(DrawnIcon(CommandIcon::Compile));
  m_pLoadP2 = action(QStringLiteral("3: Load P2"), QStyle::SP_ArrowDown);
  m_pButtonFlexProp =
      action(QStringLiteral("Edit code with FlexProp"), QStyle::SP_FileDialogContentsView);
  m_pButtonPropTool =
      action(QStringLiteral("Edit code with PropTool"), QStyle::SP_FileDialogDetailedView);
#if !defined(Q_OS_WIN)
  m_pButtonPropTool->setToolTip(QStringLiteral(
      "Prop Tool runs on Windows only: here the main Spin2 file opens in the desktop's default "
      "editor."));
#endif

  // The texts follow the active project's history: "Undo Add SimpleVGA1", or "Undo" when there
  // is nothing to undo.
  m_pUndoGroup = new QUndoGroup(this);
  m_pEditUndo = m_pUndoGroup->createUndoAction(this);
  m_pEditRedo = m_pUndoGroup->createRedoAction(this);
  m_pEditUndo->setIcon(DrawnIcon(CommandIcon::Undo));
  m_pEditRedo->setIcon(DrawnIcon(CommandIcon::Redo));
  // Ctrl+Z; Ctrl+Shift+Z, and Ctrl+Y where the platform has it (Windows). In the whole window,
  // so that they work wherever the focus is; a text field that has the focus keeps the keys
  // for its own text undo.
  m_pEditUndo->setShortcuts(QKeySequence::Undo);
  m_pEditRedo->setShortcuts(QKeySequence::Redo);
  addActions({m_pEditUndo, m_pEditRedo});

  m_pEditPaste = action(QStringLiteral("Paste"));
  m_pEditCut = action(QStringLiteral("Cut"));
  m_pEditCopy = action(QStringLiteral("Copy"));
  m_pEditSelectAll = action(QStringLiteral("Select All"));
  m_pEditPaste->setIcon(DrawnIcon(CommandIcon::Paste));
  m_pEditCut->setIcon(DrawnIcon(CommandIcon::Cut));
  m_pEditCopy->setIcon(DrawnIcon(CommandIcon::Copy));
  m_pEditSelectAll->setIcon(DrawnIcon(CommandIcon::SelectAll));
  m_pEditPaste->setShortcut(QKeySequence::Paste);
  m_pEditCut->setShortcut(QKeySequence::Cut);
  m_pEditCopy->setShortcut(QKeySequence::Copy);
  m_pEditSelectAll->setShortcut(QKeySequence::SelectAll);
  for (QAction* clipboard : {m_pEditPaste, m_pEditCut, m_pEditCopy, m_pEditSelectAll}) {
    // Only while the grid has the clipboard: edit boxes keep their own keys.
    clipboard->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    m_pMdiArea->addAction(clipboard);
  }

  m_pViewStatusBar = action(QStringLiteral("Status Bar"));
  m_pViewStatusBar->setIcon(DrawnIcon(CommandIcon::StatusBar));
  m_pViewStatusBar->setCheckable(true);
  m_pViewStatusBar->setChecked(true);
  m_pWindowNew = action(QStringLiteral("&New Window"));
  m_pWindowManager = action(QStringLiteral("&Windows..."));

  m_pLooks = new QActionGroup(this);
  m_pLooks->setExclusive(true);
  for (const CAppLook& look : OfferedLooks()) {
    QAction* choice = m_pLooks->addAction(look.m_sCaption);
    choice->setCheckable(true);
    choice->setData(look.m_nId);
  }

  connect(m_pFileNew, &QAction::triggered, this, [this] { m_app.OnFileNew(); });
  connect(m_pFileOpen, &QAction::triggered, this, [this] { m_app.OnFileOpen(); });
  connect(m_pFileOpenExample, &QAction::triggered, this, [this] { OpenExampleCopy(m_app); });
  connect(m_pFileSave, &QAction::triggered, this,
          [this] { OnActiveDocument([this](CKyvDoc& doc) { m_app.OnFileSave(doc); }); });
  connect(m_pFileSaveAs, &QAction::triggered, this,
          [this] { OnActiveDocument([this](CKyvDoc& doc) { m_app.OnFileSaveAs(doc); }); });
  connect(m_pFileExportPinsCsv, &QAction::triggered, this, [this] {
    OnActiveDocument([this](CKyvDoc& doc) { ExportPinReport(this, doc, PinReportFormat::Csv); });
  });
  connect(m_pFileExportPinsHtml, &QAction::triggered, this, [this] {
    OnActiveDocument([this](CKyvDoc& doc) { ExportPinReport(this, doc, PinReportFormat::Html); });
  });
  connect(m_pFileClose, &QAction::triggered, this, [this] {
    if (CChildFrame* frame = ActiveFrame()) frame->close();
  });
  connect(m_pAppExit, &QAction::triggered, this, &QWidget::close);
  connect(m_pAppAbout, &QAction::triggered, this, &CMainFrame::OnAppAbout);
  connect(m_pLooks, &QActionGroup::triggered, this,
          [this](QAction* look) { OnApplicationLook(look->data().toInt()); });

  connect(m_pButtonGenerate, &QAction::triggered, this,
          [this] { OnActiveDocument([](CKyvDoc& doc) { GenerateCheckedFiles(doc); }); });
  connect(m_pButtonCompile, &QAction::triggered, this, [this] {
    OnActiveDocument([this](CKyvDoc& doc) {
      m_pOutputDoc = &doc;
      m_bOutputIsBuild = true;
      m_pBuildStatus->hide();
      m_pToolCommands->OnButtonCompile(doc);
    });
  });
  connect(m_pLoadP2, &QAction::triggered, this, [this] {
    OnActiveDocument([this](CKyvDoc& doc) {
      m_pOutputDoc = &doc;
      m_bOutputIsBuild = false;
      m_pBuildStatus->hide();
      m_pToolCommands->OnLoadP2(doc);
    });
  });
  connect(m_pButtonFlexProp, &QAction::triggered, this, [this] {
    OnActiveDocument([this](CKyvDoc& doc) { m_pToolCommands->OnButtonFlexProp(doc); });
  });
  connect(m_pButtonPropTool, &QAction::triggered, this, [this] {
    OnActiveDocument([this](CKyvDoc& doc) { m_pToolCommands->OnButtonPropTool(doc); });
  });

  auto onGrid = [this](void (CPinGrid::*command)()) {
    if (CKyvView* view = ActiveView())
      if (CPinGrid* grid = view->ClipboardGrid()) (grid->*command)();
  };
  connect(m_pEditPaste, &QAction::triggered, this, [onGrid] { onGrid(&CPinGrid::Paste); });
  connect(m_pEditCut, &QAction::triggered, this, [onGrid] { onGrid(&CPinGrid::Cut); });
  connect(m_pEditCopy, &QAction::triggered, this, [onGrid] { onGrid(&CPinGrid::Copy); });
  connect(m_pEditSelectAll, &QAction::triggered, this, [onGrid] { onGrid(&CPinGrid::SelectAll); });

  connect(m_pViewStatusBar, &QAction::toggled, this,
          [this](bool on) { statusBar()->setVisible(on); });
  connect(m_pWindowNew, &QAction::triggered, this,
          [this] { OnActiveDocument([this](CKyvDoc& doc) { m_app.NewWindow(doc); }); });
  connect(m_pWindowManager, &QAction::triggered, this, &CMainFrame::OnWindowManager);
}

void CMainFrame::CreateRibbon() {
  m_pRibbon = new CRibbonBar;
  m_pApplicationMenu = new QMenu(this);
  m_pApplicationMenu->setObjectName(QStringLiteral("applicationMenu"));
  connect(m_pApplicationMenu, &QMenu::aboutToShow, this, &CMainFrame::FillRecentFiles);
  FillRecentFiles();
  m_pRibbon->SetApplicationMenu(QStringLiteral("&File"), m_pApplicationMenu);
  for (QAction* quick : {m_pFileNew, m_pFileOpen, m_pFileSave, m_pEditUndo, m_pEditRedo})
    m_pRibbon->AddQuickAccessAction(quick);

  QWidget* generator = m_pRibbon->AddCategory(QStringLiteral("P2 Code Generator"));
  m_pRibbon->AddPanel(generator, QStringLiteral("Code Generator"))
      ->AddLargeButton(m_pButtonGenerate);
  m_pRibbon->AddPanel(generator, QStringLiteral("FlexSpin"))->AddLargeButton(m_pButtonCompile);
  m_pRibbon->AddPanel(generator, QStringLiteral("LoadP2"))->AddLargeButton(m_pLoadP2);
  m_pRibbon->AddPanel(generator, QStringLiteral("FlexProp"))->AddLargeButton(m_pButtonFlexProp);
  m_pRibbon->AddPanel(generator, QStringLiteral("PropTool"))->AddLargeButton(m_pButtonPropTool);

  QWidget* home = m_pRibbon->AddCategory(QStringLiteral("&Home"));
  CRibbonPanel* undo = m_pRibbon->AddPanel(home, QStringLiteral("&Undo"));
  undo->AddSmallButton(m_pEditUndo);
  undo->AddSmallButton(m_pEditRedo);
  CRibbonPanel* clipboard = m_pRibbon->AddPanel(home, QStringLiteral("Clipboar&d"));
  clipboard->AddLargeButton(m_pEditPaste);
  clipboard->AddSmallButton(m_pEditCut);
  clipboard->AddSmallButton(m_pEditCopy);
  clipboard->AddSmallButton(m_pEditSelectAll);
  m_pRibbon->AddPanel(home, QStringLiteral("View"))->AddLargeButton(m_pViewStatusBar);
  auto* windows = new QMenu(this);
  windows->addAction(m_pWindowNew);
  windows->addAction(m_pWindowManager);
  m_pRibbon->AddPanel(home, QStringLiteral("&Window"))
      ->AddMenuButton(QStringLiteral("Windows"), DrawnIcon(CommandIcon::Windows), windows);

  setMenuWidget(m_pRibbon);
}

void CMainFrame::FillRecentFiles() {
  QMenu* menu = m_pApplicationMenu;
  menu->clear();
  menu->addActions({m_pFileNew, m_pFileOpen, m_pFileOpenExample, m_pFileSave, m_pFileSaveAs});
  QMenu* exportPins = menu->addMenu(QStringLiteral("Export Pin &Report"));
  exportPins->addActions({m_pFileExportPinsCsv, m_pFileExportPinsHtml});
  exportPins->menuAction()->setEnabled(ActiveFrame() != nullptr);
  menu->addAction(m_pFileClose);
  const QStringList& recent = m_app.RecentFiles();
  if (!recent.isEmpty()) menu->addSeparator();
  for (int i = 0; i < recent.size(); ++i) {
    QAction* open =
        menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(LiteralWidgetText(recent[i])));
    const QString path = recent[i];
    connect(open, &QAction::triggered, this, [this, path] { m_app.OpenDocumentFile(path); });
  }
  menu->addSeparator();
  QMenu* looks = menu->addMenu(QStringLiteral("&Style"));
  looks->addActions(m_pLooks->actions());
  menu->addAction(m_pAppAbout);
  menu->addSeparator();
  menu->addAction(m_pAppExit);
}

void CMainFrame::CreateStatusBar() {
  m_pPane1 = new QLabel;
  m_pPane2 = new QLabel;
  m_pPane1->setObjectName(QStringLiteral("pane1"));
  m_pPane2->setObjectName(QStringLiteral("pane2"));
  // Which line of which file a failed build stopped at; a long message must not widen the window.
  m_pBuildStatus = new QLabel;
  m_pBuildStatus->setObjectName(QStringLiteral("buildStatus"));
  m_pBuildStatus->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  m_pBuildStatus->hide();
  for (QLabel* pane : {m_pPane1, m_pPane2, m_pBuildStatus}) pane->setTextFormat(Qt::PlainText);
  statusBar()->addWidget(m_pPane1, 1);
  statusBar()->addWidget(m_pBuildStatus, 2);
  statusBar()->addPermanentWidget(m_pPane2);
}

void CMainFrame::OpenAtLine(const QString& file, int line) {
  if (!m_pOutputDoc) return;
  // FlexProp when it is set up; else the project window's Code page, which knows the line.
  if (CToolCommands::HasFlexProp(*m_pOutputDoc)) {
    if (const QString note = CToolCommands::OpenInFlexProp(*m_pOutputDoc, file, line);
        !note.isEmpty())
      statusBar()->showMessage(note, 15000);
    return;
  }
  const QList<CChildFrame*> frames = m_app.FramesOf(*m_pOutputDoc);
  if (frames.isEmpty()) return;
  CChildFrame* frame = frames.contains(ActiveFrame()) ? ActiveFrame() : frames.constFirst();
  ActivateFrame(frame);
  frame->View()->ShowCodeAt(file, line);
}

void CMainFrame::ReadLoaderLine(const QString& line) {
  if (m_bOutputIsBuild || !m_pOutputDoc || !IsNoP2Line(line)) return;
  const QString advice = NoP2AnsweredText(ChosenSerialPort(*m_pOutputDoc));
  m_pBuildOutput->AppendNote(advice);
  m_pBuildStatus->setText(advice);
  m_pBuildStatus->setToolTip(advice);
  m_pBuildStatus->show();
  // loadp2 now waits for Enter.
  m_pBuildOutput->FocusInput();
}

void CMainFrame::ShowBuildResult(int exitCode) {
  if (!m_bOutputIsBuild) return;  // a load keeps what it said
  QString failure;
  if (exitCode != 0 && !m_pBuildOutput->WasStopped()) {
    const std::optional<CCompilerMessage> error = m_pBuildOutput->FirstError();
    failure = error ? BuildFailedText(*error)
                    : QStringLiteral("Build failed: ") + m_pBuildOutput->StatusText();
    if (m_pOutputDoc)
      m_pToolCommands->NoteBuildOutcome(
          *m_pOutputDoc, m_pBuildOutput->Folder(),
          {true,
           error ? BuildFailurePlace(*error) : m_pBuildOutput->StatusText(),
           m_pBuildOutput->ProgramSize(),
           {}});
  } else if (exitCode == 0 && m_pOutputDoc) {
    m_pToolCommands->NoteBuildOutcome(*m_pOutputDoc, m_pBuildOutput->Folder(),
                                      {false, {}, m_pBuildOutput->ProgramSize(), {}});
  }
  m_pBuildStatus->setText(failure);
  m_pBuildStatus->setToolTip(failure);
  m_pBuildStatus->setVisible(!failure.isEmpty());
}

void CMainFrame::UpdateProjectStatus() {
  const CKyvDoc* doc = ActiveDocument();
  if (!doc) {
    setWindowTitle(kAppTitle);
    m_pPane1->setText(QStringLiteral("No project open"));
    m_pPane2->clear();
    return;
  }
  setWindowTitle(
      QStringLiteral("%1%2 - %3")
          .arg(doc->GetTitle(), doc->IsModified() ? QStringLiteral("*") : QString(), kAppTitle));
  m_pPane1->setText(ProjectSummary(*doc));
  m_pPane2->setText(ClockSummary(*doc));
}

void CMainFrame::ClearOutputOfClosedProject() {
  // The document list, not the windows: a closing window is still listed while it goes.
  if (!m_pOutputDoc || m_app.Documents().contains(m_pOutputDoc)) return;
  // Its project is gone: what the pane shows (or still runs) belongs to nothing open.
  m_pOutputDoc = nullptr;
  m_pBuildOutput->Stop();
  m_pBuildOutput->Clear();
  m_pBuildStatus->hide();
}

void CMainFrame::OnApplicationLook(int id) {
  // The stored look is applied at start-up; only a change is written back (a settings write
  // syncs the file to disk).
  const bool changed = id != m_nAppLook;
  m_nAppLook = id;
  ApplyLook(id);
  const int shown = NearestOfferedLook(id);
  // The platform's own style gets the plain ribbon, whatever its colours.
  m_pRibbon->SetWindows7Appearance(shown == ID_VIEW_APPLOOK_WINDOWS_7 ||
                                   shown == ID_VIEW_APPLOOK_SYSTEM);
  for (QAction* look : m_pLooks->actions()) look->setChecked(look->data().toInt() == shown);
  if (changed) m_app.Settings().WriteInt(kApplicationLookValue, id);
}

CChildFrame* CMainFrame::CreateChildFrame(CKyvDoc& doc) {
  auto* frame = new CChildFrame(doc, m_app);
  m_pUndoGroup->addStack(m_app.History(doc).Stack());
  m_pCentre->setCurrentWidget(m_pMdiArea);  // a hidden area would not activate the window
  m_pMdiArea->addSubWindow(frame);
  connect(frame->View(), &QTabWidget::currentChanged, this, &CMainFrame::UpdateCommandStates);
  frame->showMaximized();
  ActivateFrame(frame);
  return frame;
}

void CMainFrame::ActivateFrame(CChildFrame* frame) {
  m_pMdiArea->setActiveSubWindow(frame);
  UpdateCommandStates();
}

CChildFrame* CMainFrame::ActiveFrame() const {
  // A closing window stays in the area until it is gone, but its project may be gone already.
  auto open = [this](QMdiSubWindow* window) {
    auto* frame = qobject_cast<CChildFrame*>(window);
    return frame && m_app.FramesOf(frame->Document()).contains(frame) ? frame : nullptr;
  };
  if (CChildFrame* frame = open(m_pMdiArea->currentSubWindow())) return frame;
  for (QMdiSubWindow* window : m_pMdiArea->subWindowList())
    if (CChildFrame* frame = open(window)) return frame;
  return nullptr;
}

CKyvDoc* CMainFrame::ActiveDocument() const {
  CChildFrame* frame = ActiveFrame();
  return frame ? &frame->Document() : nullptr;
}

QList<CChildFrame*> CMainFrame::Frames() const {
  QList<CChildFrame*> frames;
  for (QMdiSubWindow* window : m_pMdiArea->subWindowList())
    if (auto* frame = qobject_cast<CChildFrame*>(window)) frames.append(frame);
  return frames;
}

CKyvView* CMainFrame::ActiveView() const {
  CChildFrame* frame = ActiveFrame();
  return frame ? frame->View() : nullptr;
}

template <typename Command>
void CMainFrame::OnActiveDocument(Command command) {
  if (CKyvDoc* doc = ActiveDocument()) command(*doc);
}

void CMainFrame::UpdateCommandStates() {
  const bool hasProject = ActiveFrame() != nullptr;
  m_pCentre->setCurrentWidget(hasProject ? static_cast<QWidget*>(m_pMdiArea) : m_pStartPanel);
  // The history of the project shown, or none.
  m_pUndoGroup->setActiveStack(hasProject ? m_app.History(*ActiveDocument()).Stack() : nullptr);
  for (QAction* command : {m_pButtonGenerate, m_pButtonCompile, m_pLoadP2, m_pButtonFlexProp,
                           m_pButtonPropTool, m_pFileSave, m_pFileSaveAs, m_pFileClose,
                           m_pFileExportPinsCsv, m_pFileExportPinsHtml, m_pWindowNew})
    command->setEnabled(hasProject);
  CKyvView* view = ActiveView();
  const bool onGrid = view && view->ClipboardGrid();
  for (QAction* clipboard : {m_pEditPaste, m_pEditCut, m_pEditCopy, m_pEditSelectAll})
    clipboard->setEnabled(onGrid);
  UpdateProjectStatus();
}

void CMainFrame::OnAppAbout() {
  if (CPromptHooks::IsTestMode()) return;
  CAboutDlg about(this);
  about.exec();
}

void CMainFrame::OnWindowManager() {
  if (CPromptHooks::IsTestMode()) return;
  CWindowsDlg windows(*m_pMdiArea, this);
  windows.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!m_app.SaveAllModified()) {
    event->ignore();
    return;
  }
  m_app.SetClosingAll(true);
  m_pMdiArea->closeAllSubWindows();
  event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  for (const QUrl& url : urls)
    if (url.isLocalFile()) m_app.OpenDocumentFile(url.toLocalFile());
  event->acceptProposedAction();
}
