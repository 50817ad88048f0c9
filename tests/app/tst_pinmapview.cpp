#include <QSignalSpy>
#include <QToolTip>
#include <QTreeView>

#include "AppFixture.h"
#include "ItemViews.h"
#include "ReportFixture.h"
#include "SampleProject.h"
#include "app/AppLook.h"
#include "app/ObjectView.h"
#include "app/PinGrid.h"
#include "app/PinMapView.h"
#include "app/PinsView.h"
#include "model/PinClaim.h"
#include "model/PinMapLayout.h"
#include "platform/QtSettingsStore.h"

// The "Pin Map" tab of a running project window: what it shows for each pin, tooltips,
// clicks, refreshes, and pictures of it for a person to look at.
class TestPinMapView : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;

  CPinMapView& Map() { return *m_fixture.ActiveView().PinMapView(); }
  // The report fixture, its map shown.
  void OpenDemo() {
    OpenReportFixture(m_fixture);
    ShowMap();
  }
  // A new project with every pin used: objects on 0..61, the serial port on 62 and 63.
  void OpenBusy() {
    m_fixture.Start();
    AddSampleObjects(m_fixture.ActiveDoc(), 62);
    m_fixture.ActiveDoc().UpdateAllViews();
    ShowMap();
  }
  void ShowMap() {
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kPinMapPage);
    QApplication::processEvents();
  }
  // The colour of a cell away from its texts (its top right corner).
  QColor CellColour(const QImage& image, int pin) {
    const qreal scale = (Map().PinCentre(1).x() - Map().PinCentre(0).x()) /
                        (PinMapLayout::CellRect(1).x() - PinMapLayout::CellRect(0).x());
    const QSizeF half = PinMapLayout::CellRect(pin).size() / 2;
    const QPoint offset = (QPointF(half.width() - 6, 6 - half.height()) * scale).toPoint();
    const QPoint corner = Map().mapTo(&m_fixture.ActiveView(), Map().PinCentre(pin) + offset);
    return image.pixelColor(corner * image.devicePixelRatio());
  }
  // The map as shown, at a device pixel ratio; also written under the temporary folder.
  QImage Picture(const QString& name, qreal ratio) {
    return CAppFixture::Picture(m_fixture.ActiveView(), ratio, QStringLiteral("kyv-pinmap"), name);
  }

 private slots:
  void init() {
    QSettings(CQtSettingsStore::kOrganisation, CQtSettingsStore::kApplication).clear();
  }
  void cleanupTestCase() { m_fixture.Stop(); }

  void tabBesideThePinTable() {
    m_fixture.Start();
    QCOMPARE(m_fixture.ActiveView().count(), 5);
    QCOMPARE(m_fixture.ActiveView().tabText(CKyvView::kPinMapPage), QStringLiteral("Pin Map"));
    QCOMPARE(m_fixture.ActiveView().widget(CKyvView::kPinMapPage), &Map());
  }

  void tooltipsAtEachPin_data() {
    QTest::addColumn<int>("pin");
    QTest::addColumn<QString>("text");
    QTest::newRow("object") << 48 << QStringLiteral("P48: SimpleVGA1 (Simple VGA)\nRole: HSync");
    QTest::newRow("object with note")
        << 24
        << QStringLiteral(
               "P24: I2CBus1 (I2C Bus and Scanner)\nRole: SCL\nNote: pull-ups "
               "4.7 k\u03a9 to 3.3 V");
    QTest::newRow("free") << 1 << QStringLiteral("P1: free");
    QTest::newRow("free with note")
        << 10 << QStringLiteral("P10: free\nNote: spare; <reserved> & tested");
    QTest::newRow("boot pin") << 59 << QStringLiteral("P59: free (boot/flash pin)");
    QTest::newRow("serial")
        << 63
        << QStringLiteral("P63: Serial\nRole: RX\nNote: Used for Programming the P2 and stdio");
  }
  void tooltipsAtEachPin() {
    QFETCH(int, pin);
    QFETCH(QString, text);
    OpenDemo();
    QCOMPARE(Map().PinAt(Map().PinCentre(pin)), pin);
    QCOMPARE(Map().ToolTipAt(Map().PinCentre(pin)), text);
    // Through the running view: the tooltip event shows the same text.
    QHelpEvent help(QEvent::ToolTip, Map().PinCentre(pin), Map().mapToGlobal(Map().PinCentre(pin)));
    QApplication::sendEvent(&Map(), &help);
    QCOMPARE(QToolTip::text(), text);
    QToolTip::hideText();
  }

  // The USB driver drives the adapter's error LED without the pin table holding it: the map and
  // the pin table show it as the USB object's, marked as not claimed.
  void usbErrorLedShownAsNotClaimed() {
    m_fixture.Start();
    CKyvDoc& doc = m_fixture.ActiveDoc();
    auto usb = std::make_unique<CCodeObject>();
    usb->m_nType = OBJ_USB_KBM;
    usb->m_sName = QStringLiteral("UsbKbM1");
    doc.AddObject(std::move(usb));
    doc.UpdateAllViews();
    ShowMap();
    QCOMPARE(Map().ToolTipAt(Map().PinCentre(56)),
             QStringLiteral("P56: UsbKbM1 (USB Keyboard and/or Mouse)\nRole: USB Error "
                            "LED\nNote: Not claimed in the project file"));
    const CPinGrid* grid = m_fixture.ActiveView().PinsView()->Grid();
    QCOMPARE(CellText(grid, 56, 1), QStringLiteral("No"));
    QCOMPARE(CellText(grid, 56, 2), QStringLiteral("UsbKbM1"));
    QCOMPARE(CellText(grid, 56, 3),
             QStringLiteral("USB Error LED (not claimed in the project file)"));
    QCOMPARE(CellText(grid, 57, 2), QString());
    QVERIFY(!doc.m_bPinUsed[56]);
  }

  void clicksNameTheHolder() {
    OpenDemo();
    QSignalSpy clicked(&Map(), &CPinMapView::pinClicked);
    QSignalSpy doubleClicked(&Map(), &CPinMapView::pinDoubleClicked);
    QTest::mouseClick(&Map(), Qt::LeftButton, {}, Map().PinCentre(25));
    QTest::mouseClick(&Map(), Qt::LeftButton, {}, Map().PinCentre(10));
    QTest::mouseClick(&Map(), Qt::RightButton, {}, Map().PinCentre(48));
    QTest::mouseClick(&Map(), Qt::LeftButton, {}, QPoint(1, 1));  // off the pins
    QCOMPARE(clicked.size(), 2);
    QCOMPARE(clicked[0], (QVariantList{25, QStringLiteral("I2CBus1")}));
    QCOMPARE(clicked[1], (QVariantList{10, QString()}));
    QTest::mouseDClick(&Map(), Qt::LeftButton, {}, Map().PinCentre(62));
    QCOMPARE(doubleClicked.size(), 1);
    QCOMPARE(doubleClicked[0], (QVariantList{62, QStringLiteral("Serial")}));
  }

  // A click shows the pin's holder selected in the object list and its row in the pin table.
  void clickSelectsHolderAndRow() {
    OpenDemo();
    QTreeView& objects = *m_fixture.ActiveView().ObjectView()->ObjectList();
    CPinGrid& grid = *m_fixture.ActiveView().PinsView()->Grid();
    QTest::mouseClick(&Map(), Qt::LeftButton, {}, Map().PinCentre(25));
    const QModelIndexList selected = objects.selectionModel()->selectedRows();
    QCOMPARE(selected.size(), 1);
    QCOMPARE(selected[0].data().toString(), QStringLiteral("I2CBus1"));
    QCOMPARE(grid.currentIndex().row(), 25);
    QVERIFY(grid.selectionModel()->isRowSelected(25, {}));

    QTest::mouseClick(&Map(), Qt::LeftButton, {}, Map().PinCentre(10));  // a free pin
    QVERIFY(objects.selectionModel()->selectedIndexes().isEmpty());
    QCOMPARE(grid.currentIndex().row(), 10);
  }

  void followsTheDocument() {
    OpenDemo();
    CKyvDoc& doc = m_fixture.ActiveDoc();
    const QPoint pin50 = Map().PinCentre(50);
    doc.DeleteObject(doc.FindObject(QStringLiteral("SimpleVGA1")));
    doc.UpdateAllViews();
    QCOMPARE(Map().ToolTipAt(pin50), QStringLiteral("P50: free"));
  }

  // Cells are told apart by colour: states, and the kinds of the objects that hold them.
  void coloursAndPictures_data() {
    QTest::addColumn<int>("look");
    QTest::addColumn<qreal>("ratio");
    for (int look : {int(ID_VIEW_APPLOOK_OFF_2007_SILVER), int(ID_VIEW_APPLOOK_OFF_2007_BLACK)})
      for (qreal ratio : {1.0, 2.0}) QTest::addRow("look %d at %g", look, ratio) << look << ratio;
  }
  void coloursAndPictures() {
    QFETCH(int, look);
    QFETCH(qreal, ratio);
    const QString suffix = QStringLiteral("-%1-x%2").arg(look).arg(ratio);
    OpenDemo();
    m_fixture.Frame().OnApplicationLook(look);
    m_fixture.Frame().resize(1000, 700);
    QApplication::processEvents();
    const QImage demo = Picture(QStringLiteral("demo") + suffix, ratio);
    const QColor free = CellColour(demo, 1);
    const QColor vga = CellColour(demo, 48);
    const QColor i2c = CellColour(demo, 24);
    const QColor serial = CellColour(demo, 62);
    const QColor boot = CellColour(demo, 59);
    const QColor unknownHolder = CellColour(demo, 11);
    const QList<QColor> distinct = {free, vga, i2c, serial, boot, unknownHolder};
    for (qsizetype i = 0; i < distinct.size(); ++i)
      for (qsizetype j = i + 1; j < distinct.size(); ++j)
        QVERIFY2(distinct[i] != distinct[j], qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
    QCOMPARE(CellColour(demo, 52), vga);  // one object, one colour
    QCOMPARE(CellColour(demo, 2), free);

    OpenBusy();
    m_fixture.Frame().OnApplicationLook(look);
    m_fixture.Frame().resize(1000, 700);
    QApplication::processEvents();
    const QImage busy = Picture(QStringLiteral("busy") + suffix, ratio);
    for (int pin = 0; pin < 64; ++pin) QVERIFY(CellColour(busy, pin) != free);
  }
};

QTEST_MAIN(TestPinMapView)
#include "tst_pinmapview.moc"
