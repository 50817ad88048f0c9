#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolButton>

#include "AppFixture.h"
#include "ItemViews.h"
#include "app/AboutDlg.h"
#include "app/AppLook.h"
#include "app/BuildOutputPane.h"
#include "app/MdiTabArea.h"
#include "app/PinGrid.h"
#include "app/ProblemsPane.h"
#include "app/Ribbon.h"
#include "app/StartPanel.h"
#include "codegen/ToolChecks.h"
#include "model/KyvFile.h"
#include "platform/QtSettingsStore.h"

// The main window: start-up and command line, file commands, the ribbon, the looks and
// closing with unsaved changes.
class TestMainFrame : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;

  QStringList Titles() {
    QStringList titles;
    for (CChildFrame* frame : m_fixture.Frame().Frames())
      titles.append(CAppFixture::ShownTitle(frame));
    return titles;
  }

  QString SavedProject(const QString& name) {
    CKyvApp& app = m_fixture.Start();
    CPromptHooks::QueuePath(m_fixture.WorkPath(name));
    app.MainFrame()->m_pFileSave->trigger();
    const QString path = m_fixture.ActiveDoc().GetPathName();
    m_fixture.Stop();
    return path;
  }

  // Points the active project's settings tab at a folder of stand-in flexspin and loadp2 that
  // print their arguments (and fail as a compile error would, when asked to).
  void UseStandInTools(const QTemporaryDir& tools, int exitCode = 0) {
    for (const QString& name : {QStringLiteral("flexspin"), QStringLiteral("loadp2")}) {
      QFile tool(QDir(tools.path()).filePath(name));
      QVERIFY(tool.open(QIODevice::WriteOnly));
      tool.write(QStringLiteral("#!/bin/sh\necho \"stand-in %1 $*\"\nexit %2\n")
                     .arg(name)
                     .arg(exitCode)
                     .toUtf8());
      tool.close();
      QVERIFY(tool.setPermissions(tool.permissions() | QFileDevice::ExeOwner));
    }
    for (const QString& field : {QStringLiteral("flexSpinPath"), QStringLiteral("loadP2Path")})
      m_fixture.ActiveView().findChild<QLineEdit*>(field)->setText(tools.path());
  }

  // A build script of the test's own beside an empty main file, as if generated.
  static void WriteBuildScript(const QString& project, const QByteArray& script) {
    const QDir folder = QFileInfo(project).dir();
    QFile file(folder.filePath(QStringLiteral("build.sh")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(script);
    QFile main(folder.filePath(QFileInfo(project).completeBaseName() + QStringLiteral(".spin2")));
    QVERIFY(main.open(QIODevice::WriteOnly));
  }

  QList<QAction*> GeneratorCommands() {
    CMainFrame& frame = m_fixture.Frame();
    return {frame.m_pButtonGenerate, frame.m_pButtonCompile, frame.m_pLoadP2,
            frame.m_pButtonFlexProp, frame.m_pButtonPropTool};
  }

  QString CheckedLook() {
    QAction* checked = m_fixture.Frame().m_pLooks->checkedAction();
    return checked ? checked->text() : QString();
  }

 private slots:
  void init() {
    m_fixture.Stop();
    QSettings(CQtSettingsStore::kOrganisation, CQtSettingsStore::kApplication).clear();
  }
  void cleanupTestCase() { m_fixture.Stop(); }

  void startWithoutArgumentsGivesKyv1AndNewGivesKyv2() {
    CKyvApp& app = m_fixture.Start();
    QVERIFY(m_fixture.Started());
    QCOMPARE(Titles(), QStringList{QStringLiteral("Kyv1")});
    QCOMPARE(m_fixture.ActiveView().currentIndex(), int(CKyvView::kSettingsPage));
    app.MainFrame()->m_pFileNew->trigger();
    QCOMPARE(Titles(), (QStringList{QStringLiteral("Kyv1"), QStringLiteral("Kyv2")}));
    QCOMPARE(m_fixture.ActiveDoc().GetTitle(), QStringLiteral("Kyv2"));
    QVERIFY(m_fixture.ActiveFrame()->isMaximized());

    // A new run of the program counts from 1 again.
    m_fixture.Start();
    QCOMPARE(Titles(), QStringList{QStringLiteral("Kyv1")});
  }

  void startWithAProjectFileOpensItAndNoOther() {
    const QString path = SavedProject(QStringLiteral("Demo.KYV"));
    CKyvApp& app = m_fixture.Start({path});
    QVERIFY(m_fixture.Started());
    QCOMPARE(Titles(), QStringList{QStringLiteral("Demo.KYV")});
    QCOMPARE(app.Documents().size(), 1);
    QCOMPARE(app.RecentFiles().value(0), QDir::toNativeSeparators(path));

    // Opening it again shows the window that is open, not a second copy.
    app.OpenDocumentFile(path);
    QCOMPARE(app.Documents().size(), 1);
  }

  void anAmpersandInAFileNameIsShownAsItIs() {
    const QString path = SavedProject(QStringLiteral("R&D.KYV"));
    m_fixture.Start({path});
    QCOMPARE(m_fixture.Frame().MdiArea()->TabBar()->tabText(0), QStringLiteral("R&&D.KYV"));
    QCOMPARE(Titles(), QStringList{QStringLiteral("R&D.KYV")});
  }

  void startWithAFileThatCannotBeReadFails() {
    QFile broken(m_fixture.WorkPath(QStringLiteral("Broken.KYV")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("\x01\x00\x00", 3);
    broken.close();
    CKyvApp& app = m_fixture.Start({broken.fileName()});
    QVERIFY(!m_fixture.Started());
    QVERIFY(app.Documents().isEmpty());
    QCOMPARE(CPromptHooks::ShownTexts(), QStringList{QStringLiteral("Unexpected file format.")});
    QCOMPARE(CPromptHooks::ShownMessages().constFirst().m_style, MessageStyle::Warning);
  }

  void generatorCommandsNeedAProject() {
    m_fixture.Start();
    for (QAction* command : GeneratorCommands())
      QVERIFY2(command->isEnabled(), qPrintable(command->text()));
    m_fixture.Frame().m_pFileClose->trigger();
    QTRY_VERIFY(m_fixture.Frame().Frames().isEmpty());
    for (QAction* command : GeneratorCommands())
      QVERIFY2(!command->isEnabled(), qPrintable(command->text()));
    QVERIFY(!m_fixture.Frame().m_pFileSave->isEnabled());
    QVERIFY(m_fixture.App().Documents().isEmpty());
  }

  void ribbonShowsCategoriesPanelsAndCaptions() {
    m_fixture.Start();
    CRibbonBar* ribbon = m_fixture.Frame().Ribbon();
    QCOMPARE(ribbon->count(), 2);
    QCOMPARE(ribbon->tabText(0), QStringLiteral("P2 Code Generator"));
    QCOMPARE(ribbon->tabText(1), QStringLiteral("&Home"));
    QStringList panels;
    for (int category = 0; category < ribbon->count(); ++category)
      for (CRibbonPanel* panel : ribbon->widget(category)->findChildren<CRibbonPanel*>())
        panels.append(panel->Caption());
    QCOMPARE(panels, (QStringList{QStringLiteral("Code Generator"), QStringLiteral("FlexSpin"),
                                  QStringLiteral("LoadP2"), QStringLiteral("FlexProp"),
                                  QStringLiteral("PropTool"), QStringLiteral("Undo"),
                                  QStringLiteral("Clipboard"), QStringLiteral("View"),
                                  QStringLiteral("Window")}));
    QStringList captions;
    for (QAction* command : GeneratorCommands()) captions.append(command->text());
    QCOMPARE(captions,
             (QStringList{QStringLiteral("1: Generate Code"), QStringLiteral("2: Compile"),
                          QStringLiteral("3: Load P2"), QStringLiteral("Edit code with FlexProp"),
                          QStringLiteral("Edit code with PropTool")}));

    QMenu* menu = m_fixture.Frame().findChild<QMenu*>(QStringLiteral("applicationMenu"));
    QVERIFY(menu);
    QStringList items;
    for (QAction* item : menu->actions())
      if (!item->isSeparator()) items.append(item->text());
    QCOMPARE(items,
             (QStringList{QStringLiteral("&New"), QStringLiteral("&Open..."),
                          QStringLiteral("Open &Example..."), QStringLiteral("&Save"),
                          QStringLiteral("Save &As..."), QStringLiteral("Export Pin &Report"),
                          QStringLiteral("&Close"), QStringLiteral("&Style"),
                          QStringLiteral("&About"), QStringLiteral("E&xit")}));

    m_fixture.Frame().m_pViewStatusBar->trigger();
    QVERIFY(!m_fixture.Frame().statusBar()->isVisible());
  }

  void clipboardCommandsOnlyOnThePinTab() {
    m_fixture.Start();
    QVERIFY(!m_fixture.Frame().m_pEditCopy->isEnabled());
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kPinsPage);
    QVERIFY(m_fixture.Frame().m_pEditCopy->isEnabled());
    QVERIFY(m_fixture.Frame().m_pEditPaste->isEnabled());
  }

  void looksAreStoredAndAppliedOnRestart_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<QString>("checked");
    QTest::addColumn<int>("applied");
    QTest::newRow("none stored") << -1 << QStringLiteral("S&ystem (Desktop Colours)") << 220;
    QTest::newRow("system") << 220 << QStringLiteral("S&ystem (Desktop Colours)") << 220;
    QTest::newRow("silver") << 217 << QStringLiteral("Office 2007 (&Silver Style)") << 217;
    QTest::newRow("black") << 216 << QStringLiteral("Office 2007 (B&lack Style)") << 216;
    QTest::newRow("Windows 7") << 219 << QStringLiteral("Win&dows 7") << 219;
    QTest::newRow("Office 2003") << 208 << QStringLiteral("Office 2007 (&Blue Style)") << 215;
    QTest::newRow("Visual Studio 2008")
        << 210 << QStringLiteral("Office 2007 (&Silver Style)") << 217;
    QTest::newRow("Windows 2000") << 205 << QStringLiteral("Win&dows 7") << 219;
  }
  void looksAreStoredAndAppliedOnRestart() {
    QFETCH(int, stored);
    QFETCH(QString, checked);
    QFETCH(int, applied);
    if (stored >= 0) CQtSettingsStore().WriteInt(kApplicationLookValue, stored);
    m_fixture.Start();
    QCOMPARE(CheckedLook(), checked);
    QCOMPARE(m_fixture.Frame().ApplicationLook(), stored >= 0 ? stored : kDefaultLook);
    QCOMPARE(m_fixture.Frame().Ribbon()->HasWindows7Appearance(),
             applied == ID_VIEW_APPLOOK_WINDOWS_7 || applied == ID_VIEW_APPLOOK_SYSTEM);
    // What is applied is what choosing the shown look gives.
    const QColor window = QApplication::palette().color(QPalette::Window);
    const QString styleName = QApplication::style()->name();
    ApplyLook(applied);
    QCOMPARE(QApplication::palette().color(QPalette::Window), window);
    QCOMPARE(QApplication::style()->name(), styleName);
  }

  void chosenLookSurvivesARestart() {
    m_fixture.Start();
    const QColor silver = QApplication::palette().color(QPalette::Window);
    for (QAction* look : m_fixture.Frame().m_pLooks->actions())
      if (look->data().toInt() == ID_VIEW_APPLOOK_OFF_2007_BLUE) look->trigger();
    const QColor blue = QApplication::palette().color(QPalette::Window);
    QVERIFY(blue != silver);
    QCOMPARE(CQtSettingsStore().ReadInt(kApplicationLookValue, 0),
             int(ID_VIEW_APPLOOK_OFF_2007_BLUE));
    ApplyLook(kDefaultLook);

    m_fixture.Start();
    QCOMPARE(CheckedLook(), QStringLiteral("Office 2007 (&Blue Style)"));
    QCOMPARE(QApplication::palette().color(QPalette::Window), blue);
  }

  // A look chosen while projects are open reaches their tabs too, not only windows opened later.
  void chosenLookReachesOpenProjects() {
    m_fixture.Start();
    m_fixture.Frame().m_pFileNew->trigger();
    for (QAction* look : m_fixture.Frame().m_pLooks->actions())
      if (look->data().toInt() == ID_VIEW_APPLOOK_OFF_2007_BLACK) look->trigger();
    const QColor buttonFace = QApplication::palette().color(QPalette::Button);
    for (CChildFrame* frame : m_fixture.Frame().Frames()) {
      CKyvView& view = *frame->View();
      for (int page = 0; page < view.count(); ++page) {
        QWidget* tab = view.widget(page);
        QCOMPARE(tab->palette().color(QPalette::Button), buttonFace);
        for (QWidget* child : tab->findChildren<QWidget*>())
          QCOMPARE(child->palette().color(QPalette::Button), buttonFace);
      }
      CPinGrid* grid = view.findChild<CPinGrid*>();
      QVERIFY(grid);
      QCOMPARE(CellColour(grid, 0, 0, Qt::BackgroundRole), buttonFace);
      QCOMPARE(CellColour(grid, 0, 0, Qt::ForegroundRole),
               QApplication::palette().color(QPalette::ButtonText));
    }
    ApplyLook(kDefaultLook);
  }

  void unsavedChangesShowInTheTabTitle() {
    m_fixture.Start();
    CChildFrame* frame = m_fixture.ActiveFrame();
    QCOMPARE(CAppFixture::ShownTitle(frame), QStringLiteral("Kyv1"));
    QLineEdit* clock =
        m_fixture.ActiveView().findChild<QComboBox*>(QStringLiteral("clockFreq"))->lineEdit();
    QTest::keyClicks(clock, QStringLiteral("1"));
    QCOMPARE(CAppFixture::ShownTitle(frame), QStringLiteral("Kyv1*"));
    QTabBar* tabs = m_fixture.Frame().MdiArea()->TabBar();
    QCOMPARE(tabs->tabText(0), QStringLiteral("Kyv1*"));

    CPromptHooks::QueuePath(m_fixture.WorkPath(QStringLiteral("Marked.KYV")));
    m_fixture.Frame().m_pFileSave->trigger();
    QCOMPARE(tabs->tabText(0), QStringLiteral("Marked.KYV"));
  }

  void closingWithUnsavedChangesAsks() {
    m_fixture.Start();
    CKyvDoc& doc = m_fixture.ActiveDoc();
    doc.SetModifiedFlag(true);
    const QString question = QStringLiteral("Save changes to Kyv1?");

    // Cancel keeps the window.
    CPromptHooks::QueueButton(QMessageBox::Cancel);
    m_fixture.Frame().m_pFileClose->trigger();
    QCOMPARE(CPromptHooks::AskedQuestions(), QStringList{question});
    QCOMPARE(m_fixture.Frame().Frames().size(), 1);

    // A second window on the same project closes without asking: the project stays open.
    m_fixture.Frame().m_pWindowNew->trigger();
    QCOMPARE(Titles(), (QStringList{QStringLiteral("Kyv1:1*"), QStringLiteral("Kyv1:2*")}));
    m_fixture.Frame().m_pFileClose->trigger();
    QTRY_COMPARE(m_fixture.Frame().Frames().size(), 1);
    QCOMPARE(CPromptHooks::AskedQuestions().size(), 1);
    QCOMPARE(Titles(), QStringList{QStringLiteral("Kyv1*")});

    // Quitting asks too; Cancel keeps the program running.
    CPromptHooks::QueueButton(QMessageBox::Cancel);
    QVERIFY(!m_fixture.Frame().close());
    QCOMPARE(CPromptHooks::AskedQuestions().size(), 2);
    QCOMPARE(m_fixture.Frame().Frames().size(), 1);

    // Save asks for a name, writes the file and lets the program end.
    const QString path = m_fixture.WorkPath(QStringLiteral("OnQuit.KYV"));
    CPromptHooks::QueueButton(QMessageBox::Save);
    CPromptHooks::QueuePath(path);
    QVERIFY(m_fixture.Frame().close());
    QVERIFY(QFileInfo::exists(path));
    QTRY_VERIFY(m_fixture.Frame().Frames().isEmpty());
  }

  void discardClosesWithoutSaving() {
    m_fixture.Start();
    m_fixture.ActiveDoc().SetModifiedFlag(true);
    CPromptHooks::QueueButton(QMessageBox::Discard);
    m_fixture.Frame().m_pFileClose->trigger();
    QTRY_VERIFY(m_fixture.Frame().Frames().isEmpty());
    QVERIFY(m_fixture.App().Documents().isEmpty());

    // Cancelling the Save As of "Save" keeps the window open.
    m_fixture.Frame().m_pFileNew->trigger();
    m_fixture.ActiveDoc().SetModifiedFlag(true);
    CPromptHooks::QueueButton(QMessageBox::Save);
    CPromptHooks::QueuePath(QString());
    m_fixture.Frame().m_pFileClose->trigger();
    QCOMPARE(m_fixture.Frame().Frames().size(), 1);
  }

  void droppedFilesOpenAsProjects() {
    const QString first = SavedProject(QStringLiteral("First.KYV"));
    const QString second = SavedProject(QStringLiteral("Second.KYV"));
    m_fixture.Start();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    // Delivered straight to the window: without a drag in progress the application drops it.
    static_cast<QObject&>(m_fixture.Frame()).event(&drop);
    QCOMPARE(Titles(), (QStringList{QStringLiteral("Kyv1"), QStringLiteral("First.KYV"),
                                    QStringLiteral("Second.KYV")}));
  }

  void recentFilesKeepTheLastFour() {
    QStringList saved;
    for (int i = 1; i <= 5; ++i)
      saved.prepend(QDir::toNativeSeparators(SavedProject(QStringLiteral("P%1.KYV").arg(i))));
    m_fixture.Start();
    QCOMPARE(m_fixture.App().RecentFiles(), saved.mid(0, 4));
  }

  void editorCommandsRefuseUntilGenerated() {
    m_fixture.Start();
    CKyvDoc& doc = m_fixture.ActiveDoc();
    m_fixture.Frame().m_pButtonFlexProp->trigger();
    m_fixture.Frame().m_pButtonPropTool->trigger();
    doc.m_sMainFilePath = m_fixture.WorkPath(QStringLiteral("Kyv1.spin2"));
    doc.m_sFlexSpinPath.clear();
#if defined(Q_OS_WIN)
    m_fixture.Frame().m_pButtonFlexProp->trigger();
    doc.m_sFlexSpinPath = QStringLiteral("\bin");  // no FlexProp folder left: nothing to start
    m_fixture.Frame().m_pButtonFlexProp->trigger();
    const QString noFlexProp =
        QStringLiteral("Please specify FlexProp path before invoking FlexProp.");
#else
    // Off Windows an empty folder means "from PATH", and a FlexProp found nowhere is said so.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", m_fixture.WorkPath(QStringLiteral("empty")).toLocal8Bit());
    m_fixture.Frame().m_pButtonFlexProp->trigger();
    qputenv("PATH", path);
    const QString noFlexProp = FlexPropMissingMessage(QString());
    QVERIFY(
        m_fixture.Frame().m_pButtonPropTool->toolTip().contains(QStringLiteral("default editor")));
#endif
    m_fixture.Frame().m_pButtonPropTool->trigger();  // the main file was never written
    QCOMPARE(CPromptHooks::ShownTexts(),
             (QStringList{
                 QStringLiteral("Please Generate Files before invoking FlexProp."),
                 QStringLiteral("Please Generate Code before invoking Prop Tool."), noFlexProp,
                 QDir::toNativeSeparators(doc.m_sMainFilePath) +
                     QStringLiteral(
                         " is no longer there. Press \"1: Generate Code\" to write it again.")}));
    for (const auto& message : CPromptHooks::ShownMessages()) {
      QCOMPARE(message.m_style, MessageStyle::Plain);
      QCOMPARE(message.m_sCaption, QStringLiteral("Kyv"));
    }
    QCOMPARE(CToolCommands::FlexPropFolder(QStringLiteral("C:\\FlexProp\\bin")),
             QStringLiteral("C:\\FlexProp"));
    QCOMPARE(CToolCommands::FlexPropFolder(QStringLiteral("/opt/flexprop/bin")),
             QStringLiteral("/opt/flexprop"));
  }

  void compileOfAProjectWithoutAFileAsksToSaveFirst() {
    m_fixture.Start();
    CPromptHooks::QueuePath(QString());
    m_fixture.Frame().m_pButtonCompile->trigger();
    QCOMPARE(CPromptHooks::ShownTexts(),
             (QStringList{QStringLiteral("Project must be saved first."),
                          QStringLiteral("Unable to find project path.")}));
    QVERIFY(!m_fixture.Frame().BuildOutput()->IsRunning());
    QVERIFY(m_fixture.Frame().BuildOutput()->OutputText().isEmpty());
  }

#if !defined(Q_OS_WIN)
  void compileShowsTheScriptOutputAndItsExitStatus() {
    const QString path = SavedProject(QStringLiteral("Script.KYV"));
    WriteBuildScript(path, "echo compiling Script.spin2\necho 'an error' >&2\nexit 3\n");
    m_fixture.Start({path});
    QTemporaryDir tools;
    UseStandInTools(tools);
    CBuildOutputPane* pane = m_fixture.Frame().BuildOutput();
    QSignalSpy finished(pane, &CBuildOutputPane::finished);
    m_fixture.Frame().m_pButtonCompile->trigger();
    QVERIFY(pane->isVisible());
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.constFirst().constFirst().toInt(), 3);
    QVERIFY2(pane->OutputText().contains(QStringLiteral("compiling Script.spin2\nan error")),
             qPrintable(pane->OutputText()));
    QCOMPARE(pane->StatusText(), QStringLiteral("build.sh finished with exit status 3."));
    QVERIFY(CPromptHooks::ShownTexts().isEmpty());
  }

  void generateThenCompileRunsTheConfiguredFlexSpin() {
    // A stand-in compiler that reports its arguments and fails like a compile error would.
    QTemporaryDir flexSpinFolder;
    // An include folder beside the compiler is passed to it with -L.
    QVERIFY(QDir(flexSpinFolder.path()).mkdir(QStringLiteral("include")));
    QFile compiler(QDir(flexSpinFolder.path()).filePath(QStringLiteral("flexspin")));
    QVERIFY(compiler.open(QIODevice::WriteOnly));
    compiler.write(
        "#!/bin/sh\necho \"stand-in flexspin $*\"\necho \"Generated.spin2:1: error: demo\"\nexit "
        "2\n");
    compiler.close();
    compiler.setPermissions(compiler.permissions() | QFileDevice::ExeOwner);

    const QString path = SavedProject(QStringLiteral("Generated.KYV"));
    m_fixture.Start({path});
    QLineEdit* folder =
        m_fixture.ActiveView().findChild<QLineEdit*>(QStringLiteral("flexSpinPath"));
    folder->selectAll();
    QTest::keyClicks(folder, flexSpinFolder.path());
    m_fixture.Frame().m_pButtonGenerate->trigger();
    const QDir project = QFileInfo(path).dir();
    QCOMPARE(CPromptHooks::ShownTexts().value(0),
             QStringLiteral("Project files created in %1.")
                 .arg(QDir::toNativeSeparators(project.path())));
    QVERIFY(project.exists(QStringLiteral("build.sh")));
    QVERIFY(project.exists(QStringLiteral("Generated.spin2")));

    CBuildOutputPane* pane = m_fixture.Frame().BuildOutput();
    QSignalSpy finished(pane, &CBuildOutputPane::finished);
    m_fixture.Frame().m_pButtonCompile->trigger();
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.constFirst().constFirst().toInt(), 2);
    const QString output = pane->OutputText();
    QVERIFY2(output.contains(QStringLiteral("stand-in flexspin -2 -L ") + flexSpinFolder.path() +
                             QStringLiteral("/include")),
             qPrintable(output));
    QVERIFY2(output.contains(QStringLiteral("Generated.spin2\nGenerated.spin2:1: error: demo")),
             qPrintable(output));
    QCOMPARE(pane->StatusText(), QStringLiteral("build.sh finished with exit status 2."));
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("main-window-build-output"));
  }

  void stopEndsARunningScript() {
    const QString path = SavedProject(QStringLiteral("Slow.KYV"));
    WriteBuildScript(path, "echo started\nexec sleep 30\n");
    m_fixture.Start({path});
    QTemporaryDir tools;
    UseStandInTools(tools);
    CBuildOutputPane* pane = m_fixture.Frame().BuildOutput();
    QSignalSpy finished(pane, &CBuildOutputPane::finished);
    m_fixture.Frame().m_pButtonCompile->trigger();
    // The window keeps working while the script runs.
    QTRY_VERIFY(pane->OutputText().contains(QStringLiteral("started")));
    QVERIFY(pane->IsRunning());
    m_fixture.Frame().m_pFileNew->trigger();
    QCOMPARE(m_fixture.Frame().Frames().size(), 2);
    // A second run waits for the first.
    m_fixture.Frame().ActivateFrame(m_fixture.Frame().Frames().constFirst());
    m_fixture.Frame().m_pButtonCompile->trigger();
    QCOMPARE(
        CPromptHooks::ShownTexts(),
        QStringList{QStringLiteral(
            "A script is still running in the Build Output pane; press Stop to end it first.")});
    QTest::mouseClick(pane->findChild<QPushButton*>(QStringLiteral("stopScript")), Qt::LeftButton);
    QVERIFY(finished.wait(10000));
    QCOMPARE(finished.constFirst().constFirst().toInt(), -1);
    QCOMPARE(pane->StatusText(), QStringLiteral("build.sh was stopped."));
  }
#endif

  void titleAndStatusBarFollowTheActiveProject() {
    m_fixture.Start();
    CMainFrame& frame = m_fixture.Frame();
    auto* summary = frame.findChild<QLabel*>(QStringLiteral("pane1"));
    auto* clock = frame.findChild<QLabel*>(QStringLiteral("pane2"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Kyv1 - Kyv"));
    QCOMPARE(summary->text(), QStringLiteral("0 objects, 2 of 64 pins used"));

    QLineEdit* clockEdit =
        m_fixture.ActiveView().findChild<QComboBox*>(QStringLiteral("clockFreq"))->lineEdit();
    clockEdit->selectAll();
    QTest::keyClicks(clockEdit, QStringLiteral("312_500_000"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Kyv1* - Kyv"));

    // The form's values reach the project when it is saved.
    CPromptHooks::QueuePath(m_fixture.WorkPath(QStringLiteral("Robot.KYV")));
    frame.m_pFileSave->trigger();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Robot.KYV - Kyv"));
    QCOMPARE(clock->text(), QStringLiteral("P2 clock 312.5 MHz"));

    frame.m_pFileNew->trigger();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Kyv2 - Kyv"));
    for (CChildFrame* open : frame.Frames()) open->close();
    QTRY_COMPARE(frame.windowTitle(), QStringLiteral("Kyv"));
    QCOMPARE(summary->text(), QStringLiteral("No project open"));
    QVERIFY(clock->text().isEmpty());
  }

  void ctrlQQuits() {
    m_fixture.Start();
    CMainFrame& frame = m_fixture.Frame();
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!frame.isVisible());
  }

  void buildOutputIsClearedWhenItsProjectCloses() {
    const QString path = SavedProject(QStringLiteral("Output.KYV"));
    WriteBuildScript(path, "echo compiled\n");
    m_fixture.Start({path});
    QTemporaryDir tools;
    UseStandInTools(tools);
    CMainFrame& frame = m_fixture.Frame();
    CBuildOutputPane* pane = frame.BuildOutput();
    QSignalSpy finished(pane, &CBuildOutputPane::finished);
    frame.m_pButtonCompile->trigger();
    QVERIFY(finished.wait(10000));
    QVERIFY(pane->OutputText().contains(QStringLiteral("compiled")));

    // Another project closing leaves the output alone.
    frame.m_pFileNew->trigger();
    frame.Frames().constLast()->close();
    QTRY_COMPARE(frame.Frames().size(), 1);
    QVERIFY(pane->OutputText().contains(QStringLiteral("compiled")));
    // The stand-in tool folders are unsaved changes of the project.
    CPromptHooks::QueueButton(QMessageBox::Discard);
    frame.Frames().constFirst()->close();
    QTRY_VERIFY(pane->OutputText().isEmpty());
    QVERIFY(pane->StatusText().isEmpty());
  }

  // Every look colours the tables and lists as its own (a dark look has no white pages), and
  // their text stays readable on them.
  void everyLookReachesTheTables_data() {
    QTest::addColumn<int>("look");
    for (const CAppLook& look : OfferedLooks())
      QTest::newRow(qPrintable(look.m_sCaption)) << look.m_nId;
  }
  void everyLookReachesTheTables() {
    QFETCH(int, look);
    m_fixture.Start();
    ApplyLook(look);
    const QPalette palette = QApplication::palette();
    const bool darkFrame = palette.color(QPalette::Window).lightness() < 128;
    CKyvView& view = m_fixture.ActiveView();
    QList<QAbstractItemView*> tables = view.findChildren<QAbstractItemView*>();
    tables.append(m_fixture.ActiveFrame()->Problems()->List());
    for (QAbstractItemView* table : tables) {
      const QColor base = table->palette().color(QPalette::Base);
      QCOMPARE(base, palette.color(QPalette::Base));
      if (darkFrame) QVERIFY2(base.lightness() < 128, qPrintable(table->objectName()));
      const int contrast =
          std::abs(table->palette().color(QPalette::Text).lightness() - base.lightness());
      QVERIFY2(contrast > 100, qPrintable(table->objectName()));
    }
    // The pin table's coloured Free cells keep dark text on their light colours.
    CPinGrid* grid = view.findChild<CPinGrid*>();
    QVERIFY(grid);
    QVERIFY(CellColour(grid, 0, 1, Qt::BackgroundRole).lightness() -
                CellColour(grid, 0, 1, Qt::ForegroundRole).lightness() >
            100);
    ApplyLook(kDefaultLook);
  }

  // "System" takes the desktop's palette, and dark colours when the desktop says it is dark
  // while its palette is light (a dark GTK theme without a Qt plugin for it).
  void systemLookFollowsTheDesktop_data() {
    QTest::addColumn<QString>("gtkTheme");
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << QString() << false;
    QTest::newRow("dark") << QStringLiteral("Adwaita:dark") << true;
    QTest::newRow("dark variant by name") << QStringLiteral("Yaru-dark") << true;
  }
  void systemLookFollowsTheDesktop() {
    QFETCH(QString, gtkTheme);
    QFETCH(bool, dark);
    const QByteArray before = qgetenv("GTK_THEME");
    qputenv("GTK_THEME", gtkTheme.toUtf8());
    m_fixture.Start();
    ApplyLook(ID_VIEW_APPLOOK_SYSTEM);
    const QPalette palette = QApplication::palette();
    QCOMPARE(palette.color(QPalette::Window).lightness() < 128, dark);
    QCOMPARE(palette.color(QPalette::Base).lightness() < 128, dark);
    QVERIFY(std::abs(palette.color(QPalette::Text).lightness() -
                     palette.color(QPalette::Base).lightness()) > 100);
    QVERIFY(std::abs(palette.color(QPalette::WindowText).lightness() -
                     palette.color(QPalette::Window).lightness()) > 100);
    // A desktop palette that is dark already is taken as it is.
    QPalette desktopDark(QColor(30, 30, 30), QColor(40, 40, 40));
    desktopDark.setColor(QPalette::WindowText, QColor(220, 220, 220));
    QCOMPARE(SystemLookPalette(desktopDark, DesktopIsDark(desktopDark)), desktopDark);

    m_fixture.Frame().resize(1100, 760);
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kPinsPage);
    CAppFixture::Screenshot(m_fixture.Frame(),
                            QStringLiteral("look-system-%1")
                                .arg(dark ? QStringLiteral("dark") : QStringLiteral("light")));
    qputenv("GTK_THEME", before);
    ApplyLook(kDefaultLook);
  }

  void ctrlWClosesTheProjectWindow() {
    m_fixture.Start();
    CMainFrame& frame = m_fixture.Frame();
    frame.m_pFileNew->trigger();
    QCOMPARE(frame.Frames().size(), 2);
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &frame, Qt::Key_W,
                    Qt::ControlModifier);
    QTRY_COMPARE(frame.Frames().size(), 1);
    QCOMPARE(CAppFixture::ShownTitle(frame.Frames().constFirst()), QStringLiteral("Kyv1"));
  }

  // With no project open the main area offers New, Open and the recent projects.
  void theStartPanelShowsWhenNoProjectIsOpen() {
    const QString path = SavedProject(QStringLiteral("Recent.KYV"));
    m_fixture.Start({path});
    CMainFrame& frame = m_fixture.Frame();
    CStartPanel* start = frame.StartPanel();
    QVERIFY(!start->isVisible());
    frame.Frames().constFirst()->close();
    QTRY_VERIFY(start->isVisible());
    QCOMPARE(Lines(start->RecentList()), QStringList{QDir::toNativeSeparators(path)});
    QVERIFY(start->findChild<QLabel*>(QStringLiteral("firstStep1")));
    frame.resize(1000, 700);
    CAppFixture::Screenshot(frame, QStringLiteral("start-panel"));

    const QRect entry = start->RecentList()->visualItemRect(start->RecentList()->item(0));
    QTest::mouseClick(start->RecentList()->viewport(), Qt::LeftButton, {}, entry.center());
    QTRY_COMPARE(frame.Frames().size(), 1);
    QCOMPARE(m_fixture.ActiveDoc().GetPathName(), path);
    QVERIFY(!start->isVisible());

    frame.Frames().constFirst()->close();
    QTRY_VERIFY(start->isVisible());
    QTest::mouseClick(start->findChild<QPushButton*>(QStringLiteral("startNew")), Qt::LeftButton);
    QCOMPARE(frame.Frames().size(), 1);
    QVERIFY(!start->isVisible());
  }

  void aboutNamesVersionQtAndLicence() {
    m_fixture.Start();
    CAboutDlg about(&m_fixture.Frame());
    auto* text = about.findChild<QLabel*>(QStringLiteral("aboutText"));
    QVERIFY(text);
    for (const QString& part :
         {QStringLiteral("Kyv, Version " KYV_VERSION),
          QStringLiteral("Qt ") + QString::fromLatin1(qVersion()), QStringLiteral("MIT licence")})
      QVERIFY2(text->text().contains(part), qPrintable(text->text()));
    // No home is configured for this build: none is made up.
    QCOMPARE(QStringLiteral(KYV_HOMEPAGE).isEmpty(),
             !text->text().contains(QStringLiteral("http")));
    QCOMPARE(
        AboutLines(QStringLiteral("1.0"), QStringLiteral("6.4.2"),
                   QStringLiteral("https://example.org/kyv")),
        (QStringList{QStringLiteral("Kyv, Version 1.0"), QStringLiteral("Qt 6.4.2"),
                     QStringLiteral("MIT licence"), QStringLiteral("https://example.org/kyv")}));
  }

  // The questions' buttons each answer their own Alt key (the quit prompt's Save, Don't Save
  // and Cancel first of all).
  void questionButtonsHaveTheirOwnAccessKeys_data() {
    QTest::addColumn<int>("buttons");
    QTest::newRow("save changes") << int(QMessageBox::Save | QMessageBox::Discard |
                                         QMessageBox::Cancel);
    QTest::newRow("yes or no") << int(QMessageBox::Yes | QMessageBox::No);
  }
  void questionButtonsHaveTheirOwnAccessKeys() {
    QFETCH(int, buttons);
    const std::unique_ptr<QMessageBox> box =
        QuestionBox(nullptr, QStringLiteral("Kyv"), QStringLiteral("Save changes to Kyv1?"),
                    QMessageBox::StandardButtons::fromInt(buttons));
    QSet<QChar> keys;
    for (QAbstractButton* button : box->buttons()) {
      const QString text = button->text();
      const qsizetype marker = text.indexOf(u'&');
      QVERIFY2(marker >= 0 && marker + 1 < text.size(), qPrintable(text));
      const QChar key = text[marker + 1].toLower();
      QVERIFY2(!keys.contains(key), qPrintable(text));
      keys.insert(key);
    }
    QCOMPARE(keys.size(), box->buttons().size());
  }

  void screenshotOfTwoProjects() {
    m_fixture.Start();
    m_fixture.Frame().m_pFileNew->trigger();
    m_fixture.Frame().resize(1100, 800);
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("main-window-two-projects"));
    m_fixture.Frame().Ribbon()->setCurrentIndex(1);
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("main-window-home-category"));
  }
};

QTEST_MAIN(TestMainFrame)
#include "tst_mainframe.moc"
