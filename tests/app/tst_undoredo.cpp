#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QUndoStack>

#include "AppFixture.h"
#include "ItemViews.h"
#include "ModalDriver.h"
#include "app/DocumentHistory.h"
#include "app/EditorDialog.h"
#include "app/ObjectPickerDialog.h"
#include "app/ObjectView.h"
#include "app/PinGrid.h"
#include "app/PinTableModel.h"
#include "app/PinsView.h"
#include "app/Prompts.h"
#include "model/KyvFile.h"
#include "model/ObjectType.h"
#include "platform/QtSettingsStore.h"

// Undo and redo of project changes made through the pages of a running program.
class TestUndoRedo : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;
  std::unique_ptr<CModalDriver> m_pModals;

  CKyvDoc& Doc() { return m_fixture.ActiveDoc(); }
  QByteArray Bytes() { return KyvFileBytes(Doc()); }
  QUndoStack* Steps() { return m_fixture.App().History(Doc()).Stack(); }
  CObjectView* Objects() { return m_fixture.ActiveView().ObjectView(); }
  CPinGrid* Grid() { return m_fixture.ActiveView().PinsView()->Grid(); }
  QAction* UndoAction() { return m_fixture.Frame().m_pEditUndo; }
  QAction* RedoAction() { return m_fixture.Frame().m_pEditRedo; }
  QString Title() { return CAppFixture::ShownTitle(m_fixture.ActiveFrame()); }
  QLineEdit* Clock(CChildFrame* frame = nullptr) {
    CKyvView* view = frame ? frame->View() : &m_fixture.ActiveView();
    return view->findChild<QComboBox*>(QStringLiteral("clockFreq"))->lineEdit();
  }
  QCheckBox* MountSd() {
    return m_fixture.ActiveView().findChild<QCheckBox*>(QStringLiteral("mountSd"));
  }

  static void Press(QWidget* parent, const QString& name) {
    auto* button = parent->findChild<QAbstractButton*>(name);
    QVERIFY2(button, qPrintable(name));
    button->click();
  }
  static void ClickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
  }

  // "Add Object", the kind's button, then OK in its editor.
  void AddObject(int kind) {
    m_pModals->When<CObjectPickerDialog>([this, kind](CObjectPickerDialog* picker) {
      m_pModals->When<CEditorDialog>(
          [](CEditorDialog* editor) { Press(editor, QStringLiteral("ok")); });
      Press(picker, QStringLiteral("pick%1").arg(kind));
    });
    Press(Objects(), QStringLiteral("addObject"));
  }
  // Opens the object of the row in its editor, sets the text fields given, and presses OK.
  void EditObject(int row, const QList<std::pair<QString, QString>>& texts) {
    SelectRow(Objects()->ObjectList(), row);
    m_pModals->When<CEditorDialog>([texts](CEditorDialog* editor) {
      for (const auto& [key, text] : texts) editor->findChild<QLineEdit*>(key)->setText(text);
      Press(editor, QStringLiteral("ok"));
    });
    Press(Objects(), QStringLiteral("editObject"));
  }
  void DeleteObject(int row) {
    SelectRow(Objects()->ObjectList(), row);
    CPromptHooks::QueueButton(QMessageBox::Yes);
    Press(Objects(), QStringLiteral("deleteObject"));
  }
  void Retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  void TypeNote(int pin, const QString& text) {
    TypeIntoCell(Grid(), pin, CPinTableModel::kNotesColumn, text);
  }
  void PasteNotes(int pin, const QString& text) {
    QApplication::clipboard()->setText(text);
    Grid()->setCurrentIndex(Grid()->model()->index(pin, CPinTableModel::kNotesColumn));
    Grid()->Paste();
  }
  // What the pages show of the document: object lines, clock, SD box and pin notes.
  QStringList Shown() {
    QStringList shown = NameKindLines(Objects()->ObjectList());
    shown << Clock()->text() << (MountSd()->isChecked() ? QStringLiteral("SD") : QString());
    for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin)
      shown << CellText(Grid(), pin, CPinTableModel::kNotesColumn);
    return shown;
  }

 private slots:
  void init() {
    m_pModals = std::make_unique<CModalDriver>();
    QSettings(CQtSettingsStore::kOrganisation, CQtSettingsStore::kApplication).clear();
    m_fixture.Start();
  }
  void cleanup() { m_pModals.reset(); }
  void cleanupTestCase() { m_fixture.Stop(); }

  // A sequence of changes of every kind, each one step named after what it did. Undoing them
  // one by one gives back the file bytes, and what the pages show, before each change; redoing
  // them gives back the bytes after it.
  void undoAndRedoRetraceEveryChange() {
    struct CStep {
      QString m_sName;
      std::function<void()> m_change;
    };
    const QList<CStep> steps = {
        {QStringLiteral("Add SimpleVGA1"), [this] { AddObject(OBJ_SIMPLE_VGA); }},
        {QStringLiteral("Edit SimpleVGA1"),
         [this] {
           EditObject(0, {{QStringLiteral("basepin"), QStringLiteral("8")}});
         }},
        {QStringLiteral("Add Servo1"), [this] { AddObject(OBJ_SERVO); }},
        {QStringLiteral("Change P2 Core Frequency"),
         [this] { Retype(Clock(), QStringLiteral("200000000")); }},
        {QStringLiteral("Change Mount SD Card"), [this] { ClickBox(MountSd()); }},
        {QStringLiteral("Kestrom Pin Settings"),
         [this] { Press(&m_fixture.ActiveView(), QStringLiteral("kestromPins")); }},
        {QStringLiteral("Edit Note on P12"), [this] { TypeNote(12, QStringLiteral("probe")); }},
        {QStringLiteral("Paste Notes"),
         [this] { PasteNotes(20, QStringLiteral("first\nsecond\nthird\n")); }},
        {QStringLiteral("Delete SimpleVGA1"), [this] { DeleteObject(0); }},
        {QStringLiteral("Cut Notes"),
         [this] {
           SelectCells(Grid(), 20, CPinTableModel::kNotesColumn, 21, CPinTableModel::kNotesColumn);
           Grid()->Cut();
         }},
    };

    QList<QByteArray> before, after;
    QList<QStringList> shownBefore, shownAfter;
    for (const CStep& step : steps) {
      before.append(Bytes());
      shownBefore.append(Shown());
      step.m_change();
      after.append(Bytes());
      shownAfter.append(Shown());
      QVERIFY2(after.constLast() != before.constLast(), qPrintable(step.m_sName));
      QCOMPARE(UndoAction()->text(), QStringLiteral("Undo ") + step.m_sName);
      QCOMPARE(Steps()->count(), before.size());
      QVERIFY(Doc().IsModified());
    }
    QCOMPARE(Doc().m_nTypeCount[OBJ_SIMPLE_VGA], 1);

    for (qsizetype i = steps.size() - 1; i >= 0; --i) {
      UndoAction()->trigger();
      QCOMPARE(Bytes(), before[i]);
      QCOMPARE(Shown(), shownBefore[i]);
      QCOMPARE(RedoAction()->text(), QStringLiteral("Redo ") + steps[i].m_sName);
    }
    QVERIFY(!UndoAction()->isEnabled());
    QCOMPARE(UndoAction()->text(), QStringLiteral("Undo"));
    QVERIFY(!Doc().IsModified());
    QCOMPARE(Title(), QStringLiteral("Kyv1"));
    QCOMPARE(Doc().m_nTypeCount[OBJ_SIMPLE_VGA], 0);

    for (qsizetype i = 0; i < steps.size(); ++i) {
      RedoAction()->trigger();
      QCOMPARE(Bytes(), after[i]);
      QCOMPARE(Shown(), shownAfter[i]);
    }
    QVERIFY(!RedoAction()->isEnabled());
    QCOMPARE(Title(), QStringLiteral("Kyv1*"));
  }

  // The mark shows whether the project stands where it was last saved.
  void savedStepHasNoModifiedMark() {
    ClickBox(MountSd());
    CPromptHooks::QueuePath(m_fixture.WorkPath(QStringLiteral("Undo.KYV")));
    m_fixture.Frame().m_pFileSave->trigger();
    QCOMPARE(Title(), QStringLiteral("Undo.KYV"));
    Retype(Clock(), QStringLiteral("250_000_000"));
    QCOMPARE(Title(), QStringLiteral("Undo.KYV*"));

    UndoAction()->trigger();
    QVERIFY(!Doc().IsModified());
    QCOMPARE(Title(), QStringLiteral("Undo.KYV"));
    QCOMPARE(m_fixture.Frame().windowTitle(), QStringLiteral("Undo.KYV - Kyv"));
    UndoAction()->trigger();  // behind the saved step
    QVERIFY(Doc().IsModified());
    QCOMPARE(Title(), QStringLiteral("Undo.KYV*"));
    RedoAction()->trigger();
    QVERIFY(!Doc().IsModified());
    RedoAction()->trigger();
    QCOMPARE(Title(), QStringLiteral("Undo.KYV*"));

    // What was saved is what the saved step holds.
    RedoAction()->trigger();
    UndoAction()->trigger();
    QByteArray saved;
    QVERIFY(ReadProjectFileBytes(m_fixture.WorkPath(QStringLiteral("Undo.KYV")), &saved, nullptr));
    QCOMPARE(Bytes(), saved);
  }

  // Changes that leave the file's bytes as they were are no steps and leave no mark.
  void unchangedProjectRecordsNothing() {
    AddObject(OBJ_SIMPLE_VGA);
    CPromptHooks::QueuePath(m_fixture.WorkPath(QStringLiteral("Same.KYV")));
    m_fixture.Frame().m_pFileSave->trigger();
    const QByteArray saved = Bytes();
    const int steps = Steps()->count();

    EditObject(0, {});  // OK without a change
    Retype(Clock(), Clock()->text());
    m_pModals->When<CObjectPickerDialog>(
        [](CObjectPickerDialog* picker) { Press(picker, QStringLiteral("cancel")); });
    Press(Objects(), QStringLiteral("addObject"));
    // The SD driver choice is not saved in the file.
    Press(&m_fixture.ActiveView(), QStringLiteral("sdDriverFat32"));

    QCOMPARE(Bytes(), saved);
    QCOMPARE(Steps()->count(), steps);
    QCOMPARE(UndoAction()->text(), QStringLiteral("Undo Add SimpleVGA1"));
    QVERIFY(!Doc().IsModified());
    QCOMPARE(Title(), QStringLiteral("Same.KYV"));
  }

  // Each project has its own history; the commands follow the project shown, and every window
  // of a project shows what undo gives back.
  void projectsKeepTheirOwnHistory() {
    CKyvDoc& first = Doc();
    ClickBox(MountSd());
    const QByteArray firstChanged = KyvFileBytes(first);
    m_fixture.Frame().m_pWindowNew->trigger();
    CChildFrame* secondWindow = m_fixture.ActiveFrame();

    m_fixture.Frame().m_pFileNew->trigger();
    CKyvDoc& second = Doc();
    QVERIFY(&second != &first);
    QVERIFY(!UndoAction()->isEnabled());
    const QByteArray secondFresh = KyvFileBytes(second);
    Retype(Clock(), QStringLiteral("300_000_000"));
    QCOMPARE(UndoAction()->text(), QStringLiteral("Undo Change P2 Core Frequency"));
    QCOMPARE(m_fixture.App().History(first).Stack()->count(), 1);
    QCOMPARE(KyvFileBytes(first), firstChanged);

    m_fixture.Frame().ActivateFrame(m_fixture.App().FramesOf(first).constFirst());
    QCOMPARE(UndoAction()->text(), QStringLiteral("Undo Change Mount SD Card"));
    UndoAction()->trigger();
    QVERIFY(!first.m_bMountSd);
    for (CChildFrame* window : m_fixture.App().FramesOf(first))
      QVERIFY(!window->View()->findChild<QCheckBox*>(QStringLiteral("mountSd"))->isChecked());
    QCOMPARE(CAppFixture::ShownTitle(secondWindow), QStringLiteral("Kyv1:2"));
    QVERIFY(KyvFileBytes(second) != secondFresh);
    QCOMPARE(m_fixture.App().History(second).Stack()->count(), 1);
  }

  // Ctrl+Z and Ctrl+Shift+Z act on the project, except in a text field that has the focus,
  // where Ctrl+Z undoes the field's own typing (which the project then no longer holds either).
  void keysUndoAndRedo() {
    CMainFrame& frame = m_fixture.Frame();
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    const QByteArray fresh = Bytes();
    const QString clock = Clock()->text();
    QTest::keyClicks(Clock(), QStringLiteral("5"));
    QVERIFY(Doc().IsModified());
    QTest::keyClick(Clock(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Clock()->text(), clock);
    QCOMPARE(Bytes(), fresh);
    QVERIFY(!Doc().IsModified());

    m_fixture.ActiveView().setCurrentIndex(CKyvView::kObjectPage);
    AddObject(OBJ_SIMPLE_VGA);
    const QByteArray added = Bytes();
    // The editor took the activation with it.
    QApplication::setActiveWindow(&frame);
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTreeView* list = Objects()->ObjectList();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Bytes(), fresh);
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(Bytes(), added);
  }
};

QTEST_MAIN(TestUndoRedo)
#include "tst_undoredo.moc"
