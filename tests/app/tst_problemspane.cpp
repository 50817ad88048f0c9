#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QTreeView>
#include <algorithm>

#include "AppFixture.h"
#include "ItemViews.h"
#include "ModalDriver.h"
#include "ReportFixture.h"
#include "app/AppLook.h"
#include "app/EditorDialog.h"
#include "app/ObjectListModel.h"
#include "app/ObjectView.h"
#include "app/ProblemsModel.h"
#include "app/ProblemsPane.h"
#include "app/Prompts.h"
#include "editors/EditorFactory.h"
#include "model/KyvFile.h"
#include "platform/QtSettingsStore.h"

using namespace Qt::Literals::StringLiterals;

// The Problems pane of a running project window: its rows, its refreshes and where a
// double-click or Enter on a row leads.
class TestProblemsPane : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;
  std::unique_ptr<CModalDriver> m_pModals;

  CProblemsPane& Pane(CChildFrame* frame = nullptr) {
    return *(frame ? frame : m_fixture.ActiveFrame())->Problems();
  }
  QTableView* List() { return Pane().List(); }

  void OpenProblemsFixture() {
    OpenJsonFixture(m_fixture, u"app/problems.json"_s, u"Problems.KYV"_s);
    QVERIFY(QTest::qWaitForWindowExposed(List()));
  }

  // "Severity | text | object" of every row.
  static QStringList Rows(const QTableView* list) {
    QStringList rows;
    for (int row = 0; row < RowCount(list); ++row) {
      QStringList cells;
      for (int column = 0; column < CProblemsModel::kColumnCount; ++column)
        cells.append(CellText(list, row, column));
      rows.append(cells.join(u" | "_s));
    }
    return rows;
  }

  // The first row whose object column reads so; -1 for none.
  int RowAbout(const QString& object) {
    for (int row = 0; row < RowCount(List()); ++row)
      if (CellText(List(), row, CProblemsModel::kObjectColumn) == object) return row;
    return -1;
  }

  // A click on the row's text, then the double-click event the platform makes of a second one.
  void DoubleClick(int row) {
    QTableView* list = List();
    const QPoint at =
        list->visualRect(list->model()->index(row, CProblemsModel::kTextColumn)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QMouseEvent second(QEvent::MouseButtonDblClick, at, list->viewport()->mapToGlobal(at),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &second);
  }

  void PressEnter(int row) {
    SelectRow(List(), row);
    QTest::keyClick(List(), Qt::Key_Return);
  }

  static void Retype(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  static const QString kClockText;
  static const QString kBusText;
  static const QString kFlashText;
  static const QString kLedText;

 private slots:
  void init() {
    m_pModals = std::make_unique<CModalDriver>();
    QSettings(CQtSettingsStore::kOrganisation, CQtSettingsStore::kApplication).clear();
  }
  void cleanup() { m_pModals.reset(); }
  void cleanupTestCase() { m_fixture.Stop(); }

  void showsTheFindings() {
    OpenProblemsFixture();
    QCOMPARE(Rows(List()), (QStringList{u"Error | "_s + kClockText + u" | Settings"_s,
                                        u"Error | "_s + kBusText + u" | RTC1"_s,
                                        u"Warning | "_s + kFlashText + u" | Neopixel1"_s,
                                        u"Note | "_s + kLedText + u" | Neopixel2"_s}));
    QCOMPARE(Pane().Summary()->text(), u"2 errors, 1 warning, 1 note"_s);
    QCOMPARE(CellData(List(), 1, CProblemsModel::kSeverityColumn, Qt::AccessibleTextRole),
             QVariant(u"Error"_s));
    for (int row = 0; row < RowCount(List()); ++row)
      QVERIFY(!CellData(List(), row, CProblemsModel::kSeverityColumn, Qt::DecorationRole)
                   .value<QIcon>()
                   .isNull());
    // The tooltip holds the whole sentence and the pins, on every cell of the row.
    QCOMPARE(CellData(List(), 2, CProblemsModel::kObjectColumn, Qt::ToolTipRole),
             QVariant(kFlashText + u"\nPin: 58"_s));
    QCOMPARE(CellData(List(), 0, CProblemsModel::kSeverityColumn, Qt::ToolTipRole),
             QVariant(kClockText));
    QCOMPARE(List()->model()->headerData(CProblemsModel::kObjectColumn, Qt::Horizontal),
             QVariant(u"Object"_s));
  }

  void aCleanProjectSaysSo() {
    m_fixture.Start();
    QCOMPARE(RowCount(List()), 0);
    QCOMPARE(Pane().Summary()->text(), u"No problems found."_s);
  }

  // Typed settings, editors' changes and deletions show at once, in every window of the project.
  void refreshesAfterEveryChange() {
    OpenProblemsFixture();
    CChildFrame* first = m_fixture.ActiveFrame();
    CChildFrame* second = m_fixture.App().NewWindow(m_fixture.ActiveDoc());
    QVERIFY(second && second != first);
    QCOMPARE(Pane(second).Summary()->text(), u"2 errors, 1 warning, 1 note"_s);

    first->View()->setCurrentIndex(CKyvView::kSettingsPage);
    auto* clock = first->View()->findChild<QComboBox*>(u"clockFreq"_s);
    QVERIFY(clock);
    Retype(clock->lineEdit(), u"160_000_000"_s);
    const QStringList fixed = {u"Error | "_s + kBusText + u" | RTC1"_s,
                               u"Warning | "_s + kFlashText + u" | Neopixel1"_s,
                               u"Note | "_s + kLedText + u" | Neopixel2"_s};
    for (CChildFrame* frame : {first, second}) {
      QCOMPARE(Rows(Pane(frame).List()), fixed);
      QCOMPARE(Pane(frame).Summary()->text(), u"1 error, 1 warning, 1 note"_s);
    }

    // A row stays selected through a change that the checks do not see.
    SelectRow(Pane(first).List(), 1);
    auto* useBaud = first->View()->findChild<QCheckBox*>(u"useBaud"_s);
    QVERIFY(useBaud);
    useBaud->click();
    QVERIFY(m_fixture.ActiveDoc().m_bUseBaud);
    QCOMPARE(Pane(first).List()->currentIndex().row(), 1);

    CObjectView* objects = first->View()->ObjectView();
    QVERIFY(objects->SelectObjectNamed(u"Neopixel2"_s));
    CPromptHooks::QueueButton(QMessageBox::Yes);
    objects->OnDeleteObject();
    for (CChildFrame* frame : {first, second}) QCOMPARE(Rows(Pane(frame).List()), fixed.first(2));
  }

  void opensWhereTheFindingIsFixed_data() {
    QTest::addColumn<QString>("object");
    QTest::addColumn<bool>("doubleClick");
    QTest::addColumn<QString>("editorTitle");  // empty: no editor opens
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("focused");  // object name of the focused settings control

    for (const bool doubleClick : {true, false}) {
      const char* gesture = doubleClick ? "double-click" : "Enter";
      QTest::addRow("%s on the clock", gesture) << u"Settings"_s << doubleClick << QString()
                                                << int(CKyvView::kSettingsPage) << u"clockFreq"_s;
      QTest::addRow("%s on a flash pin", gesture)
          << u"Neopixel1"_s << doubleClick << u"RGB LED String"_s << int(CKyvView::kObjectPage)
          << QString();
      QTest::addRow("%s on a missing bus", gesture)
          << u"RTC1"_s << doubleClick << u"I2C Real Time Clock (RTC)"_s
          << int(CKyvView::kObjectPage) << QString();
    }
  }
  void opensWhereTheFindingIsFixed() {
    QFETCH(QString, object);
    QFETCH(bool, doubleClick);
    QFETCH(QString, editorTitle);
    QFETCH(int, page);
    QFETCH(QString, focused);
    OpenProblemsFixture();
    CKyvView& view = m_fixture.ActiveView();
    view.setCurrentIndex(CKyvView::kPinMapPage);
    const int row = RowAbout(object);
    QVERIFY(row >= 0);

    QString shownTitle;
    QString selectedLine;
    m_pModals->When<CEditorDialog>([&](CEditorDialog* editor) {
      shownTitle = editor->windowTitle();
      const QModelIndexList selected =
          view.ObjectView()->ObjectList()->selectionModel()->selectedRows();
      if (selected.size() == 1) selectedLine = selected.constFirst().data().toString();
      editor->reject();
    });
    if (doubleClick)
      DoubleClick(row);
    else
      PressEnter(row);

    QCOMPARE(shownTitle, editorTitle);
    if (!editorTitle.isEmpty()) QVERIFY2(selectedLine.startsWith(object), qPrintable(selectedLine));
    QCOMPARE(view.currentIndex(), page);
    QWidget* focus = m_fixture.Frame().focusWidget();
    if (!focused.isEmpty()) {
      QVERIFY(focus);
      // An editable drop-down list passes the focus to its line edit.
      const QWidget* control = focus->objectName().isEmpty() ? focus->parentWidget() : focus;
      QCOMPARE(control->objectName(), focused);
    }
    // A cancelled editor changes nothing.
    QVERIFY(!m_fixture.ActiveDoc().IsModified());
  }

  // The settings field of an SD card finding is the pin it names, or the one that is no pin.
  void sdCardFindingsFocusTheirPin_data() {
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("pin");  // -1: a finding without pins
    QTest::addColumn<QString>("object");
    QTest::newRow("not a pin") << u"sdMosi"_s << u"x9"_s << u"sd-pin-not-a-pin"_s << -1
                               << u"Settings"_s;
    QTest::newRow("pin of an object")
        << u"sdCs"_s << u"56"_s << u"sd-pin-shared"_s << 56 << u"Neopixel2"_s;
  }
  void sdCardFindingsFocusTheirPin() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, code);
    QFETCH(int, pin);
    QFETCH(QString, object);
    OpenProblemsFixture();
    CKyvView& view = m_fixture.ActiveView();
    auto* mount = view.findChild<QCheckBox*>(u"mountSd"_s);
    auto* edit = view.findChild<QLineEdit*>(field);
    QVERIFY(mount && edit);
    mount->click();
    Retype(edit, text);
    view.setCurrentIndex(CKyvView::kObjectPage);
    const QList<CFinding>& findings = Pane().Model()->Findings();
    const auto found = std::find_if(findings.cbegin(), findings.cend(), [&](const CFinding& f) {
      return f.m_sCode == code && (pin < 0 || f.m_pins.contains(pin));
    });
    QVERIFY2(found != findings.cend(), qPrintable(Rows(List()).join(u'\n')));
    const int row = static_cast<int>(found - findings.cbegin());
    QCOMPARE(CellText(List(), row, CProblemsModel::kObjectColumn), object);
    DoubleClick(row);
    QCOMPARE(view.currentIndex(), int(CKyvView::kSettingsPage));
    QCOMPARE(m_fixture.Frame().focusWidget(), edit);
    QCOMPARE(edit->selectedText(), text);
  }

  // A VGA and an HDMI picture together overflow hub RAM: a finding about the whole project,
  // beside a clock finding. Saved, then opened as a user would open it.
  void OpenHubRamProject() {
    m_fixture.Start();
    CKyvDoc& doc = m_fixture.ActiveDoc();
    doc.m_sClockFreq = u"400_000_000"_s;
    for (const int kind : {int(OBJ_SIMPLE_VGA), int(OBJ_SIMPLE_HDMI)}) {
      auto record = std::make_unique<CCodeObject>();
      std::unique_ptr<CObjectEditor> editor = CreateEditor(kind);
      editor->Open(record.get(), &doc, CObjectEditor::kNewMode);
      QVERIFY(editor->OnOK());
      doc.AddObject(std::move(record));
    }
    const QString path = m_fixture.WorkPath(u"HubRam.KYV"_s);
    QString error;
    QVERIFY2(SaveKyvFile(doc, path, &error), qPrintable(error));
    m_fixture.Start({path});
    QVERIFY(QTest::qWaitForWindowExposed(List()));
  }

  // One line for the finding about the whole project, its objects in the tooltip; the other
  // finding stays in sight, and no object is marked for what they only add up to.
  void aFindingAboutTheWholeProjectIsOneLine() {
    OpenHubRamProject();
    const int row = static_cast<int>(
        std::find_if(
            Pane().Model()->Findings().cbegin(), Pane().Model()->Findings().cend(),
            [](const CFinding& finding) { return finding.m_sCode == u"hub-ram-exceeded"; }) -
        Pane().Model()->Findings().cbegin());
    QVERIFY(row < RowCount(List()));
    QCOMPARE(CellText(List(), row, CProblemsModel::kObjectColumn), u"Project"_s);
    QVERIFY(CellData(List(), row, CProblemsModel::kObjectColumn, Qt::ToolTipRole)
                .toString()
                .endsWith(u"\nObjects: SimpleVGA1, SimpleHDMI1"_s));
    QCOMPARE(RowCount(List()), 2);
    // The pane opened tall enough for both findings, within a third of the window.
    CChildFrame* frame = m_fixture.ActiveFrame();
    QTRY_VERIFY(Pane().height() >= Pane().HeightForFindings());
    QVERIFY(Pane().height() <= frame->widget()->height() / 3 + 1);
    for (int shown = 0; shown < RowCount(List()); ++shown)
      QVERIFY2(
          List()->viewport()->rect().contains(List()->visualRect(List()->model()->index(shown, 0))),
          qPrintable(u"row %1 out of sight"_s.arg(shown)));

    QTreeView* objects = frame->View()->ObjectView()->ObjectList();
    QCOMPARE(RowCount(objects), 2);
    for (int object = 0; object < RowCount(objects); ++object) {
      QCOMPARE(CellText(objects, object, CObjectListModel::kFindingsColumn), QString());
      QVERIFY(
          !CellData(objects, object, CObjectListModel::kNameColumn, Qt::ForegroundRole).isValid());
    }
    frame->View()->setCurrentIndex(CKyvView::kObjectPage);
    CAppFixture::Screenshot(*frame, u"problems-hub-ram"_s);

    // A double-click shows what adds up to it, without opening an editor.
    DoubleClick(row);
    QCOMPARE(frame->View()->currentIndex(), int(CKyvView::kObjectPage));
    QCOMPARE(CellText(objects, objects->currentIndex().row(), CObjectListModel::kNameColumn),
             u"SimpleVGA1"_s);
  }

  // A pane opened on a project without findings keeps its small size.
  void aPaneWithoutFindingsStaysSmall() {
    m_fixture.Start();
    QVERIFY(QTest::qWaitForWindowExposed(List()));
    QTRY_COMPARE(Pane().height(), Pane().sizeHint().height());
  }

  // Pictures of a project window with its pane, in a light and a dark look, for a person to
  // look at.
  void screenshots() {
    OpenProblemsFixture();
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kObjectPage);
    m_fixture.Frame().resize(1100, 760);
    QDir().mkpath(u"/tmp/kyv-problems"_s);
    const QList<std::pair<int, QString>> looks = {{ID_VIEW_APPLOOK_OFF_2007_SILVER, u"silver"_s},
                                                  {ID_VIEW_APPLOOK_OFF_2007_BLACK, u"black"_s}};
    for (const auto& [look, name] : looks) {
      ApplyLook(look);
      QApplication::processEvents();
      const QString path = u"/tmp/kyv-problems/problems-%1.png"_s.arg(name);
      QVERIFY2(m_fixture.ActiveFrame()->grab().save(path), qPrintable(path));
    }
    ApplyLook(kDefaultLook);
  }
};

const QString TestProblemsPane::kClockText =
    u"The P2 clock of 400 MHz is outside what the P2's PLL makes: from 3.333334 MHz (its lowest "
    u"100 MHz VCO divided by 30) up to 350 MHz (overclocked, VCO / 1). Enter a clock in that "
    u"range on the P2 & FlexSpin tab."_s;
const QString TestProblemsPane::kBusText =
    u"RTC1 talks over the I2C bus \"I2CBus9\", but the project has no I2C bus of that name. Open "
    u"RTC1 and choose one (add an I2C bus first if there is none)."_s;
const QString TestProblemsPane::kFlashText =
    u"Neopixel1 uses pin 58, which the common P2 boards wire to the boot flash and the SD card "
    u"socket: the board may no longer boot from flash, or the card may fight the signal. Move it "
    u"to other pins unless your board leaves them free."_s;
const QString TestProblemsPane::kLedText =
    u"Neopixel2 uses pin 56, where the common P2 evaluation boards have LEDs: they light with the "
    u"signal."_s;

QTEST_MAIN(TestProblemsPane)
#include "tst_problemspane.moc"
