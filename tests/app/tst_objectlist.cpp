#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

#include "AppFixture.h"
#include "ItemViews.h"
#include "ModalDriver.h"
#include "ReportFixture.h"
#include "SampleProject.h"
#include "app/AppLook.h"
#include "app/EditorDialog.h"
#include "app/FindingIcons.h"
#include "app/ObjectListModel.h"
#include "app/ObjectPickerDialog.h"
#include "app/ObjectView.h"
#include "model/KindSlots.h"
#include "platform/QtSettingsStore.h"

using Column = CObjectListModel::Column;

// The "Object List" tab of a running project window: its columns, the rows it marks for the
// project checks' findings, the selection after an add and the question before a delete.
class TestObjectList : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;
  std::unique_ptr<CModalDriver> m_pModals;

  CKyvDoc& Doc() { return m_fixture.ActiveDoc(); }
  CObjectView& View() { return *m_fixture.ActiveView().ObjectView(); }
  QTreeView& List() { return *View().ObjectList(); }
  void ShowList() {
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kObjectPage);
    QApplication::processEvents();
  }

  void AddObject(ObjectType kind, const QString& name, int basePin, int count) {
    CCodeObject* object = AddHeldObject(Doc(), kind, name, basePin, count);
    // A servo's position texts as its editor writes them.
    if (kind == OBJ_SERVO) {
      (*object)[ServoSlots::Degrees] = QStringLiteral("90");
      (*object)[ServoSlots::Microseconds] = QStringLiteral("1500");
    }
    Doc().UpdateAllViews();
  }
  // The report fixture (its Neopixel1 on boot pin 58) and three servos: one on an LED pin, one
  // on another boot pin, and one whose name differs from Neopixel1's only in letter case.
  void OpenWithFindings() {
    OpenReportFixture(m_fixture);
    AddObject(OBJ_SERVO, QStringLiteral("Servo1"), 56, 1);
    AddObject(OBJ_SERVO, QStringLiteral("Servo2"), 59, 1);
    AddObject(OBJ_SERVO, QStringLiteral("neopixel1"), 30, 1);
    ShowList();
  }
  void PressDelete() {
    QTest::mouseClick(View().findChild<QPushButton*>(QStringLiteral("deleteObject")),
                      Qt::LeftButton);
  }
  QString ToolTip(int row) {
    return CellData(&List(), row, Column::kFindingsColumn, Qt::ToolTipRole).toString();
  }
  QVariant Worst(int row) {
    return CellData(&List(), row, 0, CObjectListModel::kWorstSeverityRole);
  }

 private slots:
  void init() {
    QSettings(CQtSettingsStore::kOrganisation, CQtSettingsStore::kApplication).clear();
    m_pModals = std::make_unique<CModalDriver>();
  }
  void cleanup() { m_pModals.reset(); }
  void cleanupTestCase() { m_fixture.Stop(); }

  void headerAndLayout() {
    m_fixture.Start();
    QTreeView& list = List();
    QCOMPARE(list.model()->columnCount(), 4);
    QStringList titles;
    for (int column = 0; column < 4; ++column)
      titles.append(list.model()->headerData(column, Qt::Horizontal).toString());
    QCOMPARE(titles, (QStringList{QStringLiteral("Name"), QStringLiteral("Kind"),
                                  QStringLiteral("Pins"), QStringLiteral("Problems")}));
    QVERIFY(!list.rootIsDecorated());
    QCOMPARE(list.selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(list.selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list.header()->sectionResizeMode(Column::kPinsColumn), QHeaderView::Stretch);
    QCOMPARE(list.iconSize().height(), list.fontMetrics().height());
  }

  void columnsOfAFixedProject_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("pins");
    QTest::addColumn<QString>("problems");  // the count shown
    QTest::addColumn<int>("worst");         // -1: none
    QTest::newRow("VGA") << 0 << QStringLiteral("SimpleVGA1") << QStringLiteral("Simple VGA")
                         << QStringLiteral("48-52") << QString() << -1;
    QTest::newRow("I2C pair") << 1 << QStringLiteral("I2CBus1")
                              << QStringLiteral("I2C Bus and Scanner") << QStringLiteral("24, 25")
                              << QString() << -1;
    QTest::newRow("boot pin and name")
        << 2 << QStringLiteral("Neopixel1") << QStringLiteral("Neopixel") << QStringLiteral("58")
        << QStringLiteral("2") << int(FindingSeverity::Error);
    QTest::newRow("pin 0") << 3 << QStringLiteral("NCO_Freq1") << QStringLiteral("NCO-Frequency")
                           << QStringLiteral("0") << QString() << -1;
    QTest::newRow("LED pin") << 4 << QStringLiteral("Servo1") << QStringLiteral("Hobby Servo")
                             << QStringLiteral("56") << QStringLiteral("1")
                             << int(FindingSeverity::Note);
    QTest::newRow("boot pin") << 5 << QStringLiteral("Servo2") << QStringLiteral("Hobby Servo")
                              << QStringLiteral("59") << QStringLiteral("1")
                              << int(FindingSeverity::Warning);
    QTest::newRow("name") << 6 << QStringLiteral("neopixel1") << QStringLiteral("Hobby Servo")
                          << QStringLiteral("30") << QStringLiteral("1")
                          << int(FindingSeverity::Error);
  }
  void columnsOfAFixedProject() {
    QFETCH(int, row);
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, pins);
    QFETCH(QString, problems);
    QFETCH(int, worst);
    OpenWithFindings();
    QCOMPARE(RowCount(&List()), 7);
    QCOMPARE(CellText(&List(), row, Column::kNameColumn), name);
    QVERIFY(!CellData(&List(), row, Column::kNameColumn, Qt::DecorationRole).isNull());
    QCOMPARE(CellText(&List(), row, Column::kKindColumn), kind);
    QCOMPARE(CellText(&List(), row, Column::kPinsColumn), pins);
    QCOMPARE(CellText(&List(), row, Column::kFindingsColumn), problems);
    const QVariant shownWorst = Worst(row);
    QCOMPARE(shownWorst.isValid() ? shownWorst.toInt() : -1, worst);
    const QVariant icon = CellData(&List(), row, Column::kFindingsColumn, Qt::DecorationRole);
    const QVariant colour = CellData(&List(), row, Column::kNameColumn, Qt::ForegroundRole);
    if (worst < 0) {
      QVERIFY(icon.isNull());
      QVERIFY(colour.isNull());
      QCOMPARE(ToolTip(row), QString());
      return;
    }
    const auto severity = static_cast<FindingSeverity>(worst);
    QCOMPARE(icon.value<QIcon>().cacheKey(), FindingIcon(severity).cacheKey());
    // Errors and warnings colour the name; a note leaves it as it is.
    if (severity == FindingSeverity::Note)
      QVERIFY(colour.isNull());
    else
      QCOMPARE(colour.value<QColor>(), FindingTextColour(severity, QGuiApplication::palette()));
    // One line per finding, each naming its severity, and the name's tooltip says the same.
    const QStringList lines = ToolTip(row).split(u'\n');
    QCOMPARE(lines.size(), problems.toInt());
    QVERIFY2(lines[0].startsWith(SeverityName(severity) + QStringLiteral(": ")),
             qPrintable(lines[0]));
    for (const QString& line : lines) QVERIFY2(line.contains(name), qPrintable(line));
    QCOMPARE(CellData(&List(), row, Column::kNameColumn, Qt::ToolTipRole).toString(), ToolTip(row));
  }

  // A change on the settings page settles the HDMI clock error at once; the selection stays.
  void findingClearsAfterTheFix() {
    m_fixture.Start();
    AddObject(OBJ_SERVO, QStringLiteral("Servo1"), 10, 1);
    AddObject(OBJ_SIMPLE_HDMI, QStringLiteral("SimpleHDMI1"), 32, 8);
    ShowList();
    QVERIFY(!Worst(0).isValid());
    QCOMPARE(Worst(1).toInt(), int(FindingSeverity::Error));
    QVERIFY(ToolTip(1).startsWith(QStringLiteral("error: SimpleHDMI1")));
    // A second window of the project, where the clock is typed; the first one follows.
    QTreeView* firstList = &List();
    QVERIFY(m_fixture.App().NewWindow(Doc()));
    QVERIFY(&List() != firstList);
    ShowList();
    SelectRow(&List(), 0);

    QLineEdit* clock =
        m_fixture.ActiveView().findChild<QComboBox*>(QStringLiteral("clockFreq"))->lineEdit();
    clock->selectAll();
    QTest::keyClicks(clock, QStringLiteral("312_500_000"));
    QVERIFY(!Worst(1).isValid());
    QCOMPARE(ToolTip(1), QString());
    QCOMPARE(CellText(&List(), 1, Column::kFindingsColumn), QString());
    QCOMPARE(List().selectionModel()->selectedRows(), QModelIndexList{List().model()->index(0, 0)});
    QVERIFY(!CellData(firstList, 1, 0, CObjectListModel::kWorstSeverityRole).isValid());

    // And back through the document's own refresh.
    Doc().m_sClockFreq = QStringLiteral("160_000_000");
    Doc().UpdateAllViews();
    QCOMPARE(Worst(1).toInt(), int(FindingSeverity::Error));
  }

  // The new object's row is selected and scrolled into a list longer than the window.
  void addSelectsAndShowsTheNewObject() {
    m_fixture.Start();
    AddSampleObjects(Doc(), 48);
    Doc().UpdateAllViews();
    ShowList();
    QVERIFY(QTest::qWaitForWindowExposed(&List()));
    List().scrollToTop();
    m_pModals->When<CObjectPickerDialog>([this](CObjectPickerDialog* picker) {
      m_pModals->When<CEditorDialog>([](CEditorDialog* editor) {
        editor->findChild<QAbstractButton*>(QStringLiteral("ok"))->click();
      });
      picker->findChild<QAbstractButton*>(QStringLiteral("pick%1").arg(OBJ_SERVO))->click();
    });
    QTest::mouseClick(View().findChild<QPushButton*>(QStringLiteral("addObject")), Qt::LeftButton);
    QCOMPARE(RowCount(&List()), 49);
    const QModelIndex added = List().model()->index(48, 0);
    QCOMPARE(added.data().toString(), Doc().m_ObjectList.back()->m_sName);
    QCOMPARE(List().selectionModel()->selectedRows(), QModelIndexList{added});
    QCOMPARE(List().currentIndex().row(), 48);
    QApplication::processEvents();
    QVERIFY(List().viewport()->rect().contains(List().visualRect(added)));
    QVERIFY(!List().viewport()->rect().contains(List().visualRect(List().model()->index(0, 0))));

    // A cancelled add selects nothing new.
    m_pModals->When<CObjectPickerDialog>([](CObjectPickerDialog* picker) { picker->reject(); });
    QTest::mouseClick(View().findChild<QPushButton*>(QStringLiteral("addObject")), Qt::LeftButton);
    QCOMPARE(RowCount(&List()), 49);
    QVERIFY(!List().selectionModel()->hasSelection());
  }

  void deleteAsksFirst_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<bool>("byKey");
    QTest::newRow("button, yes") << true << false;
    QTest::newRow("button, no") << false << false;
    QTest::newRow("Delete key, yes") << true << true;
    QTest::newRow("Delete key, no") << false << true;
  }
  void deleteAsksFirst() {
    QFETCH(bool, yes);
    QFETCH(bool, byKey);
    OpenReportFixture(m_fixture);
    ShowList();
    const QStringList before = NameKindLines(&List());
    SelectRow(&List(), 0);
    CPromptHooks::QueueButton(yes ? QMessageBox::Yes : QMessageBox::No);
    if (byKey) {
      List().setFocus();
      QTest::keyClick(&List(), Qt::Key_Delete);
    } else {
      PressDelete();
    }
    QCOMPARE(CPromptHooks::AskedQuestions(),
             QStringList{QStringLiteral("Delete SimpleVGA1 (Simple VGA)? Its pins are freed.")});
    if (yes) {
      QCOMPARE(NameKindLines(&List()), before.mid(1));
      QVERIFY(!Doc().m_bPinUsed[48]);
      QVERIFY(Doc().IsModified());
      QCOMPARE(CAppFixture::ShownTitle(m_fixture.ActiveFrame()), QStringLiteral("Demo.KYV*"));
    } else {
      QCOMPARE(NameKindLines(&List()), before);
      QCOMPARE(Doc().m_sPinUsedBy[48], QStringLiteral("SimpleVGA1"));
      QVERIFY(!Doc().IsModified());
      QCOMPARE(List().selectionModel()->selectedRows(),
               QModelIndexList{List().model()->index(0, 0)});
    }
  }

  // An object that holds no pins is not said to free any.
  void deleteQuestionWithoutPins() {
    m_fixture.Start();
    AddObject(OBJ_RTC, QStringLiteral("RTC1"), 0, 0);
    ShowList();
    QCOMPARE(CellText(&List(), 0, Column::kPinsColumn), QString());
    SelectRow(&List(), 0);
    CPromptHooks::QueueButton(QMessageBox::Yes);
    PressDelete();
    QCOMPARE(CPromptHooks::AskedQuestions(),
             QStringList{QStringLiteral("Delete RTC1 (Real Time Clock)?")});
    QCOMPARE(RowCount(&List()), 0);
  }

  // Pictures of the tab for a person to look at, in a light and a dark look.
  void pictures_data() {
    QTest::addColumn<int>("look");
    QTest::addColumn<qreal>("ratio");
    for (int look : {int(ID_VIEW_APPLOOK_OFF_2007_SILVER), int(ID_VIEW_APPLOOK_OFF_2007_BLACK)})
      for (qreal ratio : {1.0, 2.0}) QTest::addRow("look %d at %g", look, ratio) << look << ratio;
  }
  void pictures() {
    QFETCH(int, look);
    QFETCH(qreal, ratio);
    OpenWithFindings();
    m_fixture.Frame().OnApplicationLook(look);
    m_fixture.Frame().resize(900, 600);
    SelectRow(&List(), 1);
    QApplication::processEvents();
    CAppFixture::Picture(m_fixture.ActiveView(), ratio, QStringLiteral("kyv-objlist"),
                         QStringLiteral("objects-%1-x%2").arg(look).arg(ratio));
    // The name and kind columns are wide enough for their texts and the name's icon.
    const QFontMetrics metrics = List().fontMetrics();
    for (int row = 0; row < RowCount(&List()); ++row) {
      QVERIFY(List().columnWidth(Column::kNameColumn) >
              metrics.horizontalAdvance(CellText(&List(), row, Column::kNameColumn)) +
                  List().iconSize().width());
      QVERIFY(List().columnWidth(Column::kKindColumn) >
              metrics.horizontalAdvance(CellText(&List(), row, Column::kKindColumn)));
    }
  }
};

QTEST_MAIN(TestObjectList)
#include "tst_objectlist.moc"
