#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>

#include "AppFixture.h"
#include "TestPlatform.h"
#include "app/FlexSpinView.h"
#include "app/ObjectView.h"
#include "app/PinGrid.h"
#include "app/PinsView.h"
#include "codegen/BuildScripts.h"
#include "model/KyvFile.h"
#include "model/PinClaim.h"
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

  // An object that holds its pins under its name, as an accepted editor leaves it.
  CCodeObject* AddObject(ObjectType kind, const QString& name, int basePin, int count, bool valid) {
    CKyvDoc& doc = m_fixture.ActiveDoc();
    auto object = std::make_unique<CCodeObject>();
    object->m_nType = kind;
    object->m_sName = name;
    object->m_sBasePin = QString::number(basePin);
    object->m_nPinCount = count;
    object->m_bValid = valid;
    if (valid) {
      CPinClaim claim(doc, name);
      for (int pin = basePin; pin < basePin + count; ++pin)
        claim.Claim(pin, QStringLiteral("Role%1").arg(pin));
    }
    CCodeObject* added = doc.AddObject(std::move(object));
    doc.UpdateAllViews();
    return added;
  }

  QStringList Lines(QListWidget* list) {
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) lines.append(list->item(i)->text());
    return lines;
  }

  void TypeNote(int pin, const QString& text) {
    CPinGrid* grid = Grid();
    QTableWidgetItem* cell = grid->item(pin, CPinsView::kNotesColumn);
    grid->setCurrentItem(cell);
    grid->editItem(cell);
    auto* editor = grid->viewport()->findChild<QLineEdit*>();
    QVERIFY(editor);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(cell->text(), text);  // the view commits the edit once the key is handled
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
    QCOMPARE(view.count(), 4);
    QCOMPARE(view.tabBar()->tabText(0), QStringLiteral("P2 && FlexSpin"));
    QCOMPARE(view.tabText(1), QStringLiteral("Object List"));
    QCOMPARE(view.tabText(2), QStringLiteral("I/O Pin View"));
    QCOMPARE(view.tabText(3), QStringLiteral("Pin Map"));
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

  void typedSettingsReachTheDocumentAtTheNextRefresh() {
    CKyvDoc& doc = m_fixture.ActiveDoc();
    Retype(ComboEdit(QStringLiteral("clockFreq")), QStringLiteral("250_000_000"));
    Retype(ComboEdit(QStringLiteral("optLevel")), QStringLiteral("2,!cse"));
    Retype(Edit(QStringLiteral("heapSize")), QStringLiteral("12000"));
    QTest::mouseClick(Control<QCheckBox>(QStringLiteral("useBaud")), Qt::LeftButton);
    QTest::mouseClick(Control<QRadioButton>(QStringLiteral("sdDriverFat32")), Qt::LeftButton);
    QCOMPARE(doc.m_sClockFreq, QStringLiteral("160_000_000"));
    QVERIFY(doc.IsModified());

    doc.UpdateAllViews();
    QCOMPARE(doc.m_sClockFreq, QStringLiteral("250_000_000"));
    QCOMPARE(doc.m_sOptLevel, QStringLiteral("2,!cse"));
    QCOMPARE(doc.m_sHeapSize, QStringLiteral("12000"));
    QCOMPARE(doc.m_bUseBaud, 1);
    QCOMPARE(doc.m_nSdDriver, 1);
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
    // Nothing else on the form changes, and the document only at the next refresh.
    QCOMPARE(ComboEdit(QStringLiteral("clockFreq"))->text(), QStringLiteral("123"));
    QCOMPARE(doc.m_sSdClk, QStringLiteral("61"));
    doc.UpdateAllViews();
    QCOMPARE((QStringList{doc.m_sSdClk, doc.m_sSdCs, doc.m_sSdMosi, doc.m_sSdMiso}), pins);
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
    const QString stored = m_fixture.ActiveDoc().m_sLibraryPath;
    QLineEdit* folder = Edit(QStringLiteral("libraryPath"));
    Retype(folder, QStringLiteral("typed"));
    CPromptHooks::QueuePath(QString());
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("browseLibrary")), Qt::LeftButton);
    QCOMPARE(folder->text(), QStringLiteral("typed"));
    CPromptHooks::QueuePath(m_fixture.WorkPath(QStringLiteral("lib")));
    QTest::mouseClick(Control<QPushButton>(QStringLiteral("browseLibrary")), Qt::LeftButton);
    QCOMPARE(folder->text(), QDir::toNativeSeparators(m_fixture.WorkPath(QStringLiteral("lib"))));
    QCOMPARE(m_fixture.ActiveDoc().m_sLibraryPath, stored);
  }

  void objectListAndWarningLines() {
    AddObject(OBJ_SIMPLE_VGA, QStringLiteral("SimpleVGA1"), 48, 5, true);
    AddObject(OBJ_NCO, QStringLiteral("NCO1"), 62, 1, false);
    AddObject(OBJ_SERVO, QStringLiteral("Servo1"), 10, 1, true);
    CObjectView* view = m_fixture.ActiveView().ObjectView();
    QCOMPARE(Lines(view->ObjectList()), (QStringList{QStringLiteral("SimpleVGA1 - Simple VGA"),
                                                     QStringLiteral("NCO1 - NCO-Frequency"),
                                                     QStringLiteral("Servo1 - Hobby Servo")}));
    QCOMPARE(Lines(view->WarningList()),
             QStringList{QStringLiteral("Invalid pin assignment in: NCO1 - NCO-Frequency")});
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kObjectPage);
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("tab-object-list"));

    // Delete with nothing selected changes nothing; with the invalid object selected its
    // warning goes too.
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("deleteObject")),
                      Qt::LeftButton);
    QCOMPARE(view->ObjectList()->count(), 3);
    view->ObjectList()->setCurrentRow(1);
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("deleteObject")),
                      Qt::LeftButton);
    QCOMPARE(view->ObjectList()->count(), 2);
    QCOMPARE(view->WarningList()->count(), 0);
    QCOMPARE(m_fixture.ActiveDoc().m_bPinUsed[62], true);  // still the serial pin
  }

  void deleteReleasesPinsAndTheGridShowsThemFree() {
    AddObject(OBJ_SIMPLE_VGA, QStringLiteral("SimpleVGA1"), 48, 5, true);
    CKyvDoc& doc = m_fixture.ActiveDoc();
    doc.m_sPinNotes[50] = QStringLiteral("green wire");
    doc.UpdateAllViews();
    CPinGrid* grid = Grid();
    QCOMPARE(grid->CellText(51, 1), QStringLiteral("No"));
    QCOMPARE(grid->CellBackground(51, 1), QColor(250, 150, 150));
    QCOMPARE(grid->CellText(51, 2), QStringLiteral("SimpleVGA1"));
    QCOMPARE(grid->CellText(51, 3), QStringLiteral("Role50"));
    QCOMPARE(grid->CellText(51, 4), QStringLiteral("green wire"));
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kPinsPage);
    grid->scrollToItem(grid->item(44, 0), QAbstractItemView::PositionAtTop);
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("tab-pin-view"));

    CObjectView* view = m_fixture.ActiveView().ObjectView();
    view->ObjectList()->setCurrentRow(0);
    QTest::mouseClick(view->findChild<QPushButton*>(QStringLiteral("deleteObject")),
                      Qt::LeftButton);
    for (int pin = 48; pin <= 52; ++pin) {
      QCOMPARE(grid->CellText(pin + 1, 1), QStringLiteral("Yes"));
      QCOMPARE(grid->CellBackground(pin + 1, 1), QColor(150, 250, 150));
      QCOMPARE(grid->CellText(pin + 1, 2), QString());
      QCOMPARE(grid->CellText(pin + 1, 4), QString());
    }
    QVERIFY(doc.m_ObjectList.empty());
    QCOMPARE(CAppFixture::ShownTitle(m_fixture.ActiveFrame()), QStringLiteral("Kyv1*"));
  }

  void pinGridLayout() {
    CPinGrid* grid = Grid();
    QCOMPARE(grid->GridRowCount(), 65);
    QCOMPARE(grid->GridColumnCount(), 5);
    QStringList headers;
    for (int column = 0; column < 5; ++column) {
      headers.append(grid->CellText(0, column));
      QCOMPARE(grid->CellFont(0, column).weight(), 800);
    }
    QCOMPARE(headers, (QStringList{QStringLiteral("I/O Pin #"), QStringLiteral("Free?"),
                                   QStringLiteral("Used By"), QStringLiteral("Used For"),
                                   QStringLiteral("Notes")}));
    QCOMPARE(grid->CellText(1, 0), QStringLiteral("0"));
    QCOMPARE(grid->CellText(64, 0), QStringLiteral("63"));
    QCOMPARE(grid->CellFont(64, 0).weight(), 800);
    QCOMPARE(grid->columnWidth(0), 40);
    QCOMPARE(grid->columnWidth(4), 500);
    QCOMPARE(grid->CellText(63, 1), QStringLiteral("No"));
    QCOMPARE(grid->CellText(63, 2), QStringLiteral("Serial"));
    QCOMPARE(grid->CellText(63, 3), QStringLiteral("TX"));
    QCOMPARE(grid->CellText(64, 3), QStringLiteral("RX"));
    QCOMPARE(grid->CellText(64, 4), QStringLiteral("Used for Programming the P2 and stdio"));
    QCOMPARE(grid->CellText(1, 1), QStringLiteral("Yes"));
    QCOMPARE(grid->CellBackground(1, 1), QColor(150, 250, 150));
    for (int column = 0; column < 4; ++column) QVERIFY(!grid->IsCellEditable(5, column));
    QVERIFY(grid->IsCellEditable(5, 4));
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
    QCOMPARE(Grid()->CellText(8, 4), QStringLiteral("LED on the board"));
  }

  void clipboardCopiesAnyCellsButOnlyChangesNotes() {
    CKyvDoc& doc = m_fixture.ActiveDoc();
    CKyvView& view = m_fixture.ActiveView();
    view.setCurrentIndex(CKyvView::kPinsPage);
    CPinGrid* grid = Grid();
    grid->setRangeSelected(QTableWidgetSelectionRange(62, 1, 63, 3), true);
    m_fixture.Frame().m_pEditCopy->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("No\tSerial\tTX\nNo\tSerial\tRX"));

    // Pasting over the "Used By" and "Notes" columns changes only the notes.
    QApplication::clipboard()->setText(QStringLiteral("intruder\tnote A\nintruder\tnote B"));
    grid->clearSelection();
    grid->setCurrentCell(2, 3);
    m_fixture.Frame().m_pEditPaste->trigger();
    QCOMPARE(doc.m_sPinNotes[2], QStringLiteral("note A"));
    QCOMPARE(doc.m_sPinNotes[3], QStringLiteral("note B"));
    QCOMPARE(grid->CellText(3, 3), QString());
    QVERIFY(doc.m_sPinUsedFor[2].isEmpty());

    // Cut copies and empties the selected notes; the other cells stay.
    grid->clearSelection();
    grid->setRangeSelected(QTableWidgetSelectionRange(62, 3, 62, 4), true);
    m_fixture.Frame().m_pEditCut->trigger();
    QCOMPARE(QApplication::clipboard()->text(),
             QStringLiteral("TX\tUsed for Programming the P2 and Standard I/O"));
    QCOMPARE(doc.m_sPinNotes[62], QString());
    QCOMPARE(doc.m_sPinUsedFor[62], QStringLiteral("TX"));

    m_fixture.Frame().m_pEditSelectAll->trigger();
    QCOMPARE(grid->selectedItems().size(), 64 * 5);
  }

  void screenshotOfTheSettingsPage() {
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kSettingsPage);
    CAppFixture::Screenshot(m_fixture.Frame(), QStringLiteral("tab-settings"));
  }
};

QTEST_MAIN(TestProjectViews)
#include "tst_projectviews.moc"
