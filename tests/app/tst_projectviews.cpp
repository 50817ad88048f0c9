#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTreeView>
#include <algorithm>
#include <functional>

#include "AppFixture.h"
#include "ItemViews.h"
#include "SampleProject.h"
#include "TestPlatform.h"
#include "app/FlexSpinView.h"
#include "app/ObjectView.h"
#include "app/PinGrid.h"
#include "app/PinMapView.h"
#include "app/PinTableModel.h"
#include "app/PinsView.h"
#include "app/ProblemsModel.h"
#include "app/ProblemsPane.h"
#include "codegen/BuildScripts.h"
#include "codegen/GenerateFiles.h"
#include "model/KyvFile.h"
#include "model/ObjectListText.h"
#include "model/ObjectType.h"
#include "model/ProjectSettings.h"
#include "platform/QtSettingsStore.h"

// The three pages of a project window, driven through their controls.
class TestProjectViews : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;

  template <typename Widget>
  Widget* Control(const QString& name) {
    Widget* widget = m_fixture.ActiveView().findChild<Widget*>(name);
    if (!widget) qFatal("no control %s", qPrintable(name));
    return widget;
  }
  QLineEdit* Edit(const QString& name) { return Control<QLineEdit>(name); }
  QLineEdit* ComboEdit(const QString& name) { return Control<QComboBox>(name)->lineEdit(); }
  CPinGrid* Grid() { return m_fixture.ActiveView().PinsView()->Grid(); }

  static void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  CCodeObject* AddObject(ObjectType kind, const QString& name, int basePin, int count, bool valid) {
    CCodeObject* added = AddHeldObject(m_fixture.ActiveDoc(), kind, name, basePin, count, valid);
    m_fixture.ActiveDoc().UpdateAllViews();
    return added;
  }

  void TypeNote(int pin, const QString& text) {
    TypeIntoCell(Grid(), pin, CPinTableModel::kNotesColumn, text);
  }

  // Another program (kyv-cli, a second Kyv) writes the project file at path: the file as it
  // reads with `change` applied, or a new project when there is no file yet. Returns what went
  // wrong, "" when the file was written.
  static QString WriteAsAnotherProgram(const QString& path,
                                       const std::function<void(CKyvDoc&)>& change = {}) {
    CTestPlatform other;
    QString error;
    std::unique_ptr<CKyvDoc> doc;
    if (QFileInfo::exists(path)) {
      doc = LoadKyvFile(path, other.Services(), &error);
      if (!doc) return error;
    } else {
      doc = std::make_unique<CKyvDoc>(other.Services());
      doc->OnNewDocument();
    }
    if (change) change(*doc);
    return SaveKyvFile(*doc, path, &error) ? QString() : error;
  }

 private slots:
  void initTestCase() { m_fixture.Start(); }
  void init() {
    QSettings(CQtSettingsStore::kOrganisation, CQtSettingsStore::kApplication).clear();
    m_fixture.Start();
  }
  void cleanupTestCase() { m_fixture.Stop(); }

  void pagesInOrderWithTheAmpersandShown() {
    CKyvView& view = m_fixture.ActiveView();
    QCOMPARE(view.count(), 5);
    QCOMPARE(view.tabBar()->tabText(0), QStringLiteral("P2 && FlexSpin"));
    QCOMPARE(view.tabText(1), QStringLiteral("Object List"));
    QCOMPARE(view.tabText(2), QStringLiteral("I/O Pin View"));
    QCOMPARE(view.tabText(3), QStringLiteral("Pin Map"));
    QCOMPARE(view.tabText(4), QStringLiteral("Code"));
    QCOMPARE(view.currentIndex(), 0);
  }

  void settingsFormShowsTheDocument() {
    CKyvDoc& doc = m_fixture.ActiveDoc();
    QCOMPARE(ComboEdit(QStringLiteral("clockFreq"))->text(), QStringLiteral("160_000_000"));
    QCOMPARE(Edit(QStringLiteral("flexSpinPath"))->text(), doc.m_sFlexSpinPath);
    QCOMPARE(Edit(QStringLiteral("sdMiso"))->text(), QStringLiteral("58"));
    QVERIFY(Control<QCheckBox>(QStringLiteral("showTerminal"))->isChecked());
    QVERIFY(Control<QRadioButton>(QStringLiteral("sdDriverFsrw"))->isChecked());
    QComboBox* clock = Control<QComboBox>(QStringLiteral("clockFreq"));
    QCOMPARE(clock->count(), 5);
    QCOMPARE(clock->itemText(3), QStringLiteral("297_000_000"));
    QComboBox* opt = Control<QComboBox>(QStringLiteral("optLevel"));
    QCOMPARE(opt->itemText(3), QStringLiteral("2,!cse"));
    QCOMPARE(Control<QComboBox>(QStringLiteral("baud"))->itemText(2), QStringLiteral("1000000"));
  }

  void typedSettingsReachTheDocumentAtOnce() {
    CKyvDoc& doc = m_fixture.ActiveDoc();
    Retype(ComboEdit(QStringLiteral("clockFreq")), QStringLiteral("250_000_000"));
    QCOMPARE(doc.m_sClockFreq, QStringLiteral("250_000_000"));
    QVERIFY(doc.IsModified());
    Retype(ComboEdit(QStringLiteral("optLevel")), QStringLiteral("2,!cse"));
    Retype(Edit(QStringLiteral("heapSize")), QStringLiteral("12000"));
    QTest::mouseClick(Control<QCheckBox>(QStringLiteral("useBaud")), Qt::LeftButton);
    QTest::mouseClick(Control<QRadioButton>(QStringLiteral("sdDriverFat32")), Qt::LeftButton);
    QCOMPARE(doc.m_sOptLevel, QStringLiteral("2,!cse"));
    QCOMPARE(doc.m_sHeapSize, QStringLiteral("12000"));
    QCOMPARE(doc.m_bUseBaud, 1);
    QCOMPARE(doc.m_nSdDriver, 1);

    // What the drop-down list completes is what the document holds.
    Retype(ComboEdit(QStringLiteral("clockFreq")), QStringLiteral("29"));
    QCOMPARE(doc.m_sClockFreq, Control<QComboBox>(QStringLiteral("clockFreq"))->currentText());
    // Picking from the list.
    QComboBox* baud = Control<QComboBox>(QStringLiteral("baud"));
    baud->setCurrentIndex(3);
    emit baud->activated(3);
    QCOMPARE(doc.m_sBaud, QStringLiteral("2000000"));
  }

  // Every setting on the tab: the user's change is in the document at once and marks it
  // modified when the file holds the setting; a value the document gets elsewhere is shown at the
  // next refresh, and showing it neither changes the document nor marks it modified.
  void everySettingIsWrittenThrough_data() {
    QTest::addColumn<int>("index");
    for (int i = 0; i < ProjectSettings().size(); ++i)
      if (ProjectSettings()[i].m_sKey != QStringLiteral("fileVersion"))
        QTest::newRow(qPrintable(ProjectSettings()[i].m_sKey)) << i;
  }
  void everySettingIsWrittenThrough() {
    QFETCH(int, index);
    const CProjectSetting& setting = ProjectSettings()[index];
    CKyvDoc& doc = m_fixture.ActiveDoc();
    QVERIFY(!doc.IsModified());
    QObject* control = m_fixture.ActiveView().findChild<QObject*>(setting.m_sKey);
    QVERIFY(control);
    if (const auto* text = std::get_if<QString CKyvDoc::*>(&setting.m_member)) {
      auto* combo = qobject_cast<QComboBox*>(control);
      QLineEdit* edit = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(control);
      QVERIFY(edit);
      Retype(edit, QStringLiteral("typed ") + setting.m_sKey);
      QCOMPARE(doc.*(*text), QStringLiteral("typed ") + setting.m_sKey);
      QVERIFY(doc.IsModified());

      doc.SetModifiedFlag(false);
      doc.*(*text) = QStringLiteral("given");
      doc.UpdateAllViews();
      QCOMPARE(edit->text(), QStringLiteral("given"));
      QCOMPARE(doc.*(*text), QStringLiteral("given"));
    } else {
      int32_t CKyvDoc::*number = std::get<int32_t CKyvDoc::*>(setting.m_member);
      auto* box = qobject_cast<QCheckBox*>(control);
      auto* choice = qobject_cast<QButtonGroup*>(control);
      QVERIFY(box || choice);
      auto shown = [&] { return box ? int32_t{box->isChecked()} : choice->checkedId(); };
      const int32_t before = doc.*number;
      // On the box's indicator: a box that spans several columns takes no click far from it.
      QAbstractButton* button = box ? box : choice->button(1 - before);
      QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
      QCOMPARE(doc.*number, 1 - before);
      // The mark says the file would change: a setting the file does not hold leaves it off.
      QCOMPARE(doc.IsModified(), setting.m_nFilePlace >= 0);

      doc.SetModifiedFlag(false);
      doc.*number = before;
      doc.UpdateAllViews();
      QCOMPARE(shown(), before);
      QCOMPARE(doc.*number, before);
    }
    QVERIFY(!doc.IsModified());
  }

  // Two windows on one project: what is typed in one stays in the project at every refresh, and
  // the other window shows it.
  void secondWindowKeepsWhatTheFirstTyped() {
    m_fixture.Frame().m_pWindowNew->trigger();
    const QList<CChildFrame*> frames = m_fixture.Frame().Frames();
    QCOMPARE(frames.size(), 2);
    auto clockIn = [](CChildFrame* frame) {
      return frame->View()->findChild<QComboBox*>(QStringLiteral("clockFreq"))->lineEdit();
    };
    CKyvDoc& doc = m_fixture.ActiveDoc();
    for (CChildFrame* typedIn : frames) {
      const QString clock = QStringLiteral("%1_000_000").arg(frames.indexOf(typedIn) + 201);
      Retype(clockIn(typedIn), clock);
      doc.UpdateAllViews();
      QCOMPARE(doc.m_sClockFreq, clock);
      for (CChildFrame* frame : frames) QCOMPARE(clockIn(frame)->text(), clock);
    }
  }

  // The core reads the document directly: a clock typed a moment ago is generated without any
  // refresh in between.
  void typedClockIsGeneratedWithoutARefresh() {
    Retype(ComboEdit(QStringLiteral("clockFreq")), QStringLiteral("250_000_000"));
    CKyvDoc& doc = m_fixture.ActiveDoc();
    const QString folder = m_fixture.WorkPath(QStringLiteral("typedClock"));
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(GenerateFiles(doc, {folder, QString()}).m_bCompleted);
    QFile main(doc.m_sMainFilePath);
    QVERIFY(main.open(QIODevice::ReadOnly));
    QVERIFY(main.readAll().contains("  _clkfreq = 250_000_000\r\n"));
  }

  void savingWritesWhatTheFormShows() {
    const QString path = m_fixture.WorkPath(QStringLiteral("Typed.KYV"));
    Retype(ComboEdit(QStringLiteral("clockFreq")), QStringLiteral("300_000_000"));
    Retype(Edit(QStringLiteral("loadP2Options")), QStringLiteral("-v"));
    CPromptHooks::QueuePath(path);
    m_fixture.Frame().m_pFileSave->trigger();
    QVERIFY(!m_fixture.ActiveDoc().IsModified());

    QString error;
    CTestPlatform platform;
    const auto reopened = LoadKyvFile(path, platform.Services(), &error);
    QVERIFY2(reopened, qPrintable(error));
    QCOMPARE(reopened->m_sClockFreq, QStringLiteral("300_000_000"));
    QCOMPARE(reopened->m_sLoadP2Options, QStringLiteral("-v"));
  }

  void sdPresetsSetTheFourPins_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("pins");
    QTest::newRow("Eval/Edge") << QStringLiteral("evalEdgePins")
                               << QStringList{QStringLiteral("61"), QStringLiteral("60"),
                                              QStringLiteral("59"), QStringLiteral("58")};
    QTest::newRow("Kestrom") << QStringLiteral("kestromPins")
                             << QStringList{QStringLiteral("55"), QStringLiteral("57"),
                                            QStringLiteral("56"), QStringLiteral("54")};
  }
  void sdPresetsSetTheFourPins() {
    QFETCH(QString, button);
    QFETCH(QStringList, pins);
    CKyvDoc& doc = m_fixture.ActiveDoc();
    const QStringList names = {QStringLiteral("sdClk"), QStringLiteral("sdCs"),
                               QStringLiteral("sdMosi"), QStringLiteral("sdMiso")};
    for (const QString& name : names) Retype(Edit(name), QStringLiteral("7"));
    Retype(ComboEdit(QStringLiteral("clockFreq")), QStringLiteral("123"));
    QTest::mouseClick(Control<QPushButton>(button), Qt::LeftButton);
    QStringList shown;
    for (const QString& name : names) shown.append(Edit(name)->text());
    QCOMPARE(shown, pins);
    // Nothing else on the form changes; the document has the four pins at once.
    QCOMPARE(ComboEdit(QStringLiteral("clockFreq"))->text(), QStringLiteral("123"));
    QCOMPARE((QStringList{doc.m_sSdClk, doc.m_sSdCs, doc.m_sSdMosi, doc.m_sSdMiso}), pins);
    QCOMPARE(doc.m_sClockFreq, QStringLiteral("123"));
  }

  // The port is the user's: kept in the settings store at once, never in the project, and
  // shown again by every project's tab.
  void serialPortChoiceIsAUserSetting() {
    CQtSettingsStore().WriteString(kSerialPortSetting, QStringLiteral("/dev/ttyKYV9"));
    m_fixture.Start();
    QComboBox* port = Control<QComboBox>(QStringLiteral("serialPort"));
    QCOMPARE(port->itemText(0), QStringLiteral("Automatic"));
    QCOMPARE(port->currentText(), QStringLiteral("/dev/ttyKYV9 (not connected)"));

    port->setCurrentIndex(0);
    emit port->activated(0);
    QCOMPARE(CQtSettingsStore().ReadString(kSerialPortSetting, QStringLiteral("unset")), QString());
    QVERIFY(!m_fixture.ActiveDoc().IsModified());
    const QByteArray before = KyvFileBytes(m_fixture.ActiveDoc());

    CQtSettingsStore().WriteString(kSerialPortSetting, QStringLiteral("/dev/ttyKYV9"));
    m_fixture.ActiveDoc().UpdateAllViews();
    QCOMPARE(port->currentData().toString(), QStringLiteral("/dev/ttyKYV9"));
    QCOMPARE(KyvFileBytes(m_fixture.ActiveDoc()), before);
  }

  void browseTakesTheChosenFolderAndCancelKeepsTheText() {
    CKyvDoc& doc = m_fixture.ActiveDoc();
    QLineEdit* folder = Edit(QStringLiteral("libraryPath"));
    Retype(folder, QStringLiteral("typed"));
    doc.SetModifiedFlag(false);
    CPromptHooks::QueuePath(QString());
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("browseLibrary")), Qt::LeftButton);
    QCOMPARE(folder->text(), QStringLiteral("typed"));
    QCOMPARE(doc.m_sLibraryPath, QStringLiteral("typed"));
    QVERIFY(!doc.IsModified());
    CPromptHooks::QueuePath(m_fixture.WorkPath(QStringLiteral("lib")));
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("browseLibrary")), Qt::LeftButton);
    const QString chosen = QDir::toNativeSeparators(m_fixture.WorkPath(QStringLiteral("lib")));
    QCOMPARE(folder->text(), chosen);
    QCOMPARE(doc.m_sLibraryPath, chosen);
    QVERIFY(doc.IsModified());
  }

  // Another program (kyv-cli, a second Kyv, a checkout) rewrites the open project's file: the
  // project takes the file's state and every view shows it, the pin table and the pin map as
  // much as the object list and the Problems pane. The reload is one step that Undo takes back.
  void everyViewFollowsAChangeOnDisk() {
    const QString path = m_fixture.WorkPath(QStringLiteral("OnDisk.KYV"));
    QString error = WriteAsAnotherProgram(path);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    m_fixture.Start({path});
    CKyvView& view = m_fixture.ActiveView();
    CPinMapView* map = view.PinMapView();
    const auto pinMapText = [map](int pin) { return map->ToolTipAt(map->PinCentre(pin)); };
    QCOMPARE(pinMapText(58), QStringLiteral("P58: free (boot/flash pin)"));
    const int findingsBefore = m_fixture.ActiveFrame()->Problems()->Model()->rowCount();

    error = WriteAsAnotherProgram(path, [](CKyvDoc& changed) {
      AddHeldObject(changed, OBJ_NEOPIXEL, QStringLiteral("Neopixel1"), 58, 1, true);
    });
    QVERIFY2(error.isEmpty(), qPrintable(error));
    CKyvDoc& doc = m_fixture.ActiveDoc();
    QTRY_COMPARE(doc.m_ObjectList.size(), size_t(1));
    QCOMPARE(CellText(Grid(), 58, CPinTableModel::kUsedByColumn), QStringLiteral("Neopixel1"));
    QVERIFY2(pinMapText(58).startsWith(QStringLiteral("P58: Neopixel1")),
             qPrintable(pinMapText(58)));
    QCOMPARE(NameKindLines(view.ObjectView()->ObjectList()),
             QStringList{QStringLiteral("Neopixel1 - ") + KindDisplayName(OBJ_NEOPIXEL)});
    QVERIFY(m_fixture.ActiveFrame()->Problems()->Model()->rowCount() > findingsBefore);
    QVERIFY(!doc.IsModified());
    QVERIFY(CPromptHooks::AskedQuestions().isEmpty());

    m_fixture.Frame().m_pEditUndo->trigger();
    QCOMPARE(doc.m_ObjectList.size(), size_t(0));
    QCOMPARE(CellText(Grid(), 58, CPinTableModel::kUsedByColumn), QString());
    QCOMPARE(pinMapText(58), QStringLiteral("P58: free (boot/flash pin)"));
    QVERIFY(doc.IsModified());  // it differs from the file now
  }

  // With unsaved changes the user is asked first; No keeps them, and a file that no longer
  // reads changes nothing.
  void aChangeOnDiskAsksBeforeDiscardingUnsavedWork() {
    const QString path = m_fixture.WorkPath(QStringLiteral("Unsaved.KYV"));
    QString error = WriteAsAnotherProgram(path);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    m_fixture.Start({path});
    TypeNote(5, QStringLiteral("mine"));
    CKyvDoc& doc = m_fixture.ActiveDoc();
    QVERIFY(doc.IsModified());

    CPromptHooks::QueueButton(QMessageBox::No);
    error = WriteAsAnotherProgram(
        path, [](CKyvDoc& changed) { changed.m_sPinNotes[6] = QStringLiteral("theirs"); });
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QTRY_COMPARE(CPromptHooks::AskedQuestions().size(), qsizetype(1));
    QVERIFY(CPromptHooks::AskedQuestions().constFirst().contains(QStringLiteral("Reload it")));
    QCOMPARE(doc.m_sPinNotes[5], QStringLiteral("mine"));
    QCOMPARE(doc.m_sPinNotes[6], QString());

    QFile broken(path);
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a project");
    broken.close();
    CPromptHooks::QueueButton(QMessageBox::Yes);
    QTRY_VERIFY(!CPromptHooks::ShownTexts().isEmpty());
    QVERIFY(CPromptHooks::ShownTexts().constLast().contains(QStringLiteral("cannot be read")));
    QCOMPARE(doc.m_sPinNotes[5], QStringLiteral("mine"));
    QVERIFY(doc.IsModified());
  }

  // The five tool defaults of new projects change only when the user edits those fields here
  // (typing or Browse); a value the project brings along (opened, imported, set elsewhere) and
  // the other fields leave them as they were.
  void toolDefaultsFollowOnlyTheUsersEdits() {
    CKyvDoc& doc = m_fixture.ActiveDoc();
    const auto stored = [](const QString& name) {
      return CQtSettingsStore().ReadString(name, QStringLiteral("unset"));
    };
    doc.m_sFlexSpinPath = QStringLiteral("/opt/evil/bin");
    doc.m_sFlexOptions = QStringLiteral("-DX");
    doc.UpdateAllViews();
    Retype(ComboEdit(QStringLiteral("clockFreq")), QStringLiteral("250_000_000"));
    Retype(Edit(QStringLiteral("heapSize")), QStringLiteral("12000"));
    QCOMPARE(stored(QStringLiteral("FlexSpinPath")), QStringLiteral("unset"));
    QCOMPARE(stored(QStringLiteral("FlexOptions")), QStringLiteral("unset"));

    Retype(Edit(QStringLiteral("flexOptions")), QStringLiteral("--fcache=100"));
    QCOMPARE(stored(QStringLiteral("FlexOptions")), QStringLiteral("--fcache=100"));
    QCOMPARE(stored(QStringLiteral("FlexSpinPath")), QStringLiteral("unset"));
    CPromptHooks::QueuePath(m_fixture.WorkPath(QStringLiteral("p2")));
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("browseLoadP2")), Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("LoadP2Path")),
             QDir::toNativeSeparators(m_fixture.WorkPath(QStringLiteral("p2"))));
    QCOMPARE(stored(QStringLiteral("FlexSpinPath")), QStringLiteral("unset"));
  }

  void objectListAndWarningLines() {
    AddObject(OBJ_SIMPLE_VGA, QStringLiteral("SimpleVGA1"), 48, 5, true);
    AddObject(OBJ_NCO, QStringLiteral("NCO1"), 62, 1, false);
    AddObject(OBJ_SERVO, QStringLiteral("Servo1"), 10, 1, true);
    CObjectView* view = m_fixture.ActiveView().ObjectView();
    QCOMPARE(NameKindLines(view->ObjectList()),
             (QStringList{QStringLiteral("SimpleVGA1 - Simple VGA"),
                          QStringLiteral("NCO1 - NCO-Frequency"),
                          QStringLiteral("Servo1 - Hobby Servo")}));
    QCOMPARE(Lines(view->WarningList()),
             QStringList{QStringLiteral("Invalid pin assignment in: NCO1 - NCO-Frequency")});
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kObjectPage);
    QVERIFY(view->WarningList()->isVisible());
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("tab-object-list"));

    // Delete with nothing selected changes nothing; with the invalid object selected its
    // warning goes too.
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("deleteObject")),
                      Qt::LeftButton);
    QCOMPARE(RowCount(view->ObjectList()), 3);
    QVERIFY(CPromptHooks::AskedQuestions().isEmpty());
    SelectRow(view->ObjectList(), 1);
    CPromptHooks::QueueButton(QMessageBox::Yes);
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("deleteObject")),
                      Qt::LeftButton);
    QCOMPARE(RowCount(view->ObjectList()), 2);
    QCOMPARE(RowCount(view->WarningList()), 0);
    // Without warnings the box gives its room to the list.
    QVERIFY(!view->WarningList()->isVisible());
    QTRY_VERIFY(view->ObjectList()->height() > view->height() / 2);
    QCOMPARE(m_fixture.ActiveDoc().m_bPinUsed[62], true);  // still the serial pin
  }

  // The selected row names its object by position, whatever the lines say.
  void deleteTakesTheObjectOfTheSelectedRow_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("kinds");
    QTest::addColumn<bool>("reorder");     // the document reverses its list before the selection
    QTest::addColumn<QList<int>>("rows");  // selected and deleted in turn
    QTest::addColumn<QStringList>("remaining");
    const QStringList servos = {QStringLiteral("Servo1"), QStringLiteral("Servo2"),
                                QStringLiteral("Servo3")};
    const QList<int> threeServos = {OBJ_SERVO, OBJ_SERVO, OBJ_SERVO};
    QTest::newRow("one name twice, the second selected")
        << QStringList{QStringLiteral("Twin"), QStringLiteral("Twin")}
        << QList<int>{OBJ_SERVO, OBJ_NCO} << false << QList<int>{1}
        << QStringList{QStringLiteral("Twin - Hobby Servo")};
    QTest::newRow("names with blanks")
        << QStringList{QStringLiteral("Left Servo"), QStringLiteral("Right Servo")}
        << QList<int>{OBJ_SERVO, OBJ_SERVO} << false << QList<int>{1}
        << QStringList{QStringLiteral("Left Servo - Hobby Servo")};
    QTest::newRow("rows move up after a deletion")
        << servos << threeServos << false << QList<int>{0, 0}
        << QStringList{QStringLiteral("Servo3 - Hobby Servo")};
    QTest::newRow("list reordered by the document")
        << servos << threeServos << true << QList<int>{0}
        << QStringList{QStringLiteral("Servo2 - Hobby Servo"),
                       QStringLiteral("Servo1 - Hobby Servo")};
  }
  void deleteTakesTheObjectOfTheSelectedRow() {
    QFETCH(QStringList, names);
    QFETCH(QList<int>, kinds);
    QFETCH(bool, reorder);
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, remaining);
    for (int i = 0; i < names.size(); ++i)
      AddObject(static_cast<ObjectType>(kinds[i]), names[i], 10 + i, 1, true);
    CKyvDoc& doc = m_fixture.ActiveDoc();
    if (reorder) {
      std::reverse(doc.m_ObjectList.begin(), doc.m_ObjectList.end());
      doc.UpdateAllViews();
    }
    CObjectView* view = m_fixture.ActiveView().ObjectView();
    for (int row : rows) {
      SelectRow(view->ObjectList(), row);
      CPromptHooks::QueueButton(QMessageBox::Yes);
      QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("deleteObject")),
                        Qt::LeftButton);
    }
    QCOMPARE(NameKindLines(view->ObjectList()), remaining);
    QStringList inDocument;
    for (const auto& object : doc.m_ObjectList) inDocument.append(ObjectListLine(*object));
    QCOMPARE(inDocument, remaining);
  }

  // A refresh may put other objects under the selected row, so it drops the selection.
  void refreshDropsTheObjectSelection() {
    AddObject(OBJ_SERVO, QStringLiteral("Servo1"), 10, 1, true);
    CObjectView* view = m_fixture.ActiveView().ObjectView();
    SelectRow(view->ObjectList(), 0);
    AddObject(OBJ_SERVO, QStringLiteral("Servo2"), 11, 1, true);
    QVERIFY(!view->ObjectList()->selectionModel()->hasSelection());
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("deleteObject")),
                      Qt::LeftButton);
    QCOMPARE(RowCount(view->ObjectList()), 2);
    QVERIFY(CPromptHooks::AskedQuestions().isEmpty());
  }

  void deleteReleasesPinsAndTheGridShowsThemFree() {
    AddObject(OBJ_SIMPLE_VGA, QStringLiteral("SimpleVGA1"), 48, 5, true);
    CKyvDoc& doc = m_fixture.ActiveDoc();
    doc.m_sPinNotes[50] = QStringLiteral("green wire");
    doc.UpdateAllViews();
    CPinGrid* grid = Grid();
    QCOMPARE(CellText(grid, 50, 1), QStringLiteral("No"));
    QCOMPARE(CellColour(grid, 50, 1, Qt::BackgroundRole), QColor(250, 150, 150));
    QCOMPARE(CellText(grid, 50, 2), QStringLiteral("SimpleVGA1"));
    QCOMPARE(CellText(grid, 50, 3), QStringLiteral("Role50"));
    QCOMPARE(CellText(grid, 50, 4), QStringLiteral("green wire"));
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kPinsPage);
    grid->scrollTo(grid->model()->index(44, 0), QAbstractItemView::PositionAtTop);
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("tab-pin-view"));

    CObjectView* view = m_fixture.ActiveView().ObjectView();
    SelectRow(view->ObjectList(), 0);
    CPromptHooks::QueueButton(QMessageBox::Yes);
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("deleteObject")),
                      Qt::LeftButton);
    for (int pin = 48; pin <= 52; ++pin) {
      QCOMPARE(CellText(grid, pin, 1), QStringLiteral("Yes"));
      QCOMPARE(CellColour(grid, pin, 1, Qt::BackgroundRole), QColor(150, 250, 150));
      QCOMPARE(CellText(grid, pin, 2), QString());
      QCOMPARE(CellText(grid, pin, 4), QString());
    }
    QVERIFY(doc.m_ObjectList.empty());
    QCOMPARE(CAppFixture::ShownTitle(m_fixture.ActiveFrame()), QStringLiteral("Kyv1*"));
  }

  // The titles are the grid's header, not a row of its cells: 64 rows, one per pin.
  void pinGridLayout() {
    CPinGrid* grid = Grid();
    QAbstractItemModel* table = grid->model();
    QCOMPARE(table->rowCount(), 64);
    QCOMPARE(table->columnCount(), 5);
    QVERIFY(!grid->horizontalHeader()->isHidden());
    QStringList headers;
    for (int column = 0; column < 5; ++column) {
      headers.append(table->headerData(column, Qt::Horizontal).toString());
      QCOMPARE(table->headerData(column, Qt::Horizontal, Qt::FontRole).value<QFont>().weight(),
               800);
    }
    QCOMPARE(headers, (QStringList{QStringLiteral("I/O Pin #"), QStringLiteral("Free?"),
                                   QStringLiteral("Used By"), QStringLiteral("Used For"),
                                   QStringLiteral("Notes")}));
    QCOMPARE(CellText(grid, 0, 0), QStringLiteral("0"));
    QCOMPARE(CellText(grid, 63, 0), QStringLiteral("63"));
    QCOMPARE(CellData(grid, 63, 0, Qt::FontRole).value<QFont>().weight(), 800);
    QCOMPARE(grid->columnWidth(0), 40);
    QCOMPARE(grid->columnWidth(4), 500);
    QCOMPARE(CellText(grid, 62, 1), QStringLiteral("No"));
    QCOMPARE(CellText(grid, 62, 2), QStringLiteral("Serial"));
    QCOMPARE(CellText(grid, 62, 3), QStringLiteral("TX"));
    QCOMPARE(CellText(grid, 63, 3), QStringLiteral("RX"));
    QCOMPARE(CellText(grid, 63, 4), QStringLiteral("Used for Programming the P2 and stdio"));
    QCOMPARE(CellText(grid, 0, 1), QStringLiteral("Yes"));
    QCOMPARE(CellColour(grid, 0, 1, Qt::BackgroundRole), QColor(150, 250, 150));
    for (int column = 0; column < 4; ++column)
      QVERIFY(!(table->index(4, column).flags() & Qt::ItemIsEditable));
    QVERIFY(table->index(4, 4).flags() & Qt::ItemIsEditable);
  }

  void typedNoteIsSavedAndReopened() {
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kPinsPage);
    TypeNote(7, QStringLiteral("LED on the board"));
    CKyvDoc& doc = m_fixture.ActiveDoc();
    QCOMPARE(doc.m_sPinNotes[7], QStringLiteral("LED on the board"));
    QCOMPARE(CAppFixture::ShownTitle(m_fixture.ActiveFrame()), QStringLiteral("Kyv1*"));

    const QString path = m_fixture.WorkPath(QStringLiteral("Notes.KYV"));
    CPromptHooks::QueuePath(path);
    m_fixture.Frame().m_pFileSave->trigger();
    m_fixture.Start({path});
    QCOMPARE(m_fixture.ActiveDoc().m_sPinNotes[7], QStringLiteral("LED on the board"));
    QCOMPARE(CellText(Grid(), 7, 4), QStringLiteral("LED on the board"));
  }

  void editsThroughThePinTable_data() {
    QTest::addColumn<int>("pin");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("shown");  // the cell afterwards
    QTest::addColumn<QString>("note");   // the pin's note afterwards
    const QString programming = QStringLiteral("Used for Programming the P2 and Standard I/O");
    const QString probe = QStringLiteral("scope probe");
    QTest::newRow("new note") << 5 << int(CPinTableModel::kNotesColumn) << probe << true << probe
                              << probe;
    QTest::newRow("note cleared") << 62 << int(CPinTableModel::kNotesColumn) << QString() << true
                                  << QString() << QString();
    QTest::newRow("same note again") << 62 << int(CPinTableModel::kNotesColumn) << programming
                                     << true << programming << programming;
    QTest::newRow("holder") << 62 << int(CPinTableModel::kUsedByColumn) << probe << false
                            << QStringLiteral("Serial") << programming;
    QTest::newRow("free") << 5 << int(CPinTableModel::kFreeColumn) << QStringLiteral("No") << false
                          << QStringLiteral("Yes") << QString();
    QTest::newRow("pin number") << 5 << int(CPinTableModel::kPinColumn) << QStringLiteral("9")
                                << false << QStringLiteral("5") << QString();
  }
  void editsThroughThePinTable() {
    QFETCH(int, pin);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(QString, shown);
    QFETCH(QString, note);
    CKyvDoc& doc = m_fixture.ActiveDoc();
    const QString noteBefore = doc.m_sPinNotes[pin];
    const QByteArray before = KyvFileBytes(doc);
    QAbstractItemModel* table = Grid()->model();
    QCOMPARE(table->setData(table->index(pin, column), text), accepted);
    QCOMPARE(CellText(Grid(), pin, column), shown);
    QCOMPARE(doc.m_sPinNotes[pin], note);
    // Only a changed note changes the document, and the title shows it.
    const bool changed = note != noteBefore;
    QCOMPARE(doc.IsModified(), changed);
    QCOMPARE(CAppFixture::ShownTitle(m_fixture.ActiveFrame()),
             changed ? QStringLiteral("Kyv1*") : QStringLiteral("Kyv1"));
    if (!changed) QCOMPARE(KyvFileBytes(doc), before);
  }

  // A refresh rereads the cells in place: the selection stays and a copy takes the new texts.
  void refreshKeepsTheGridSelection() {
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kPinsPage);
    CPinGrid* grid = Grid();
    SelectCells(grid, 10, 0, 11, 2);
    AddObject(OBJ_SERVO, QStringLiteral("Servo1"), 10, 1, true);
    QCOMPARE(grid->selectionModel()->selectedIndexes().size(), 6);
    m_fixture.Frame().m_pEditCopy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("10\tNo\tServo1\n11\tYes\t"));
  }

  void clipboardCopiesAnyCellsButOnlyChangesNotes() {
    CKyvDoc& doc = m_fixture.ActiveDoc();
    CKyvView& view = m_fixture.ActiveView();
    view.setCurrentIndex(CKyvView::kPinsPage);
    CPinGrid* grid = Grid();
    SelectCells(grid, 62, 1, 63, 3);
    m_fixture.Frame().m_pEditCopy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("No\tSerial\tTX\nNo\tSerial\tRX"));

    // Pasting over the "Used By" and "Notes" columns changes only the notes.
    QApplication::clipboard()->setText(QStringLiteral("intruder\tnote A\nintruder\tnote B"));
    grid->clearSelection();
    grid->setCurrentIndex(grid->model()->index(2, 3));
    m_fixture.Frame().m_pEditPaste->trigger();
    QCOMPARE(doc.m_sPinNotes[2], QStringLiteral("note A"));
    QCOMPARE(doc.m_sPinNotes[3], QStringLiteral("note B"));
    QCOMPARE(CellText(grid, 2, 3), QString());
    QVERIFY(doc.m_sPinUsedFor[2].isEmpty());

    // Cut copies and empties the selected notes; the other cells stay.
    grid->clearSelection();
    SelectCells(grid, 62, 3, 62, 4);
    m_fixture.Frame().m_pEditCut->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("TX\tUsed for Programming the P2 and Standard I/O"));
    QCOMPARE(doc.m_sPinNotes[62], QString());
    QCOMPARE(doc.m_sPinUsedFor[62], QStringLiteral("TX"));

    m_fixture.Frame().m_pEditSelectAll->trigger();
    QCOMPARE(grid->selectionModel()->selectedIndexes().size(), 64 * 5);
  }

  void screenshotOfTheSettingsPage() {
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kSettingsPage);
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("tab-settings"));
  }
};

QTEST_MAIN(TestProjectViews)
#include "tst_projectviews.moc"
