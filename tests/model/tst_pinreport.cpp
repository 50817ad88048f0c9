#include <QDir>
#include <QFile>
#include <QXmlStreamReader>
#include <QtTest>

#include "TestPlatform.h"
#include "model/KindSlots.h"
#include "model/PinMapLayout.h"
#include "model/PinReport.h"
#include "model/ProjectJson.h"

// The pin report of a fixed project, byte for byte, and the rules behind its fields.
class TestPinReport : public QObject {
  Q_OBJECT

 private slots:
  void goldenFiles_data();
  void goldenFiles();
  void statesAndKinds_data();
  void statesAndKinds();
  void csvQuoting_data();
  void csvQuoting();
  void htmlParsesWhateverTheTexts_data();
  void htmlParsesWhateverTheTexts();
  void layoutKeepsCellsApart();
  void usbErrorLedShownAsNotClaimed_data();
  void usbErrorLedShownAsNotClaimed();

 private:
  std::unique_ptr<CKyvDoc> NewDoc() {
    auto doc = std::make_unique<CKyvDoc>(m_test.Services());
    doc->OnNewDocument();
    return doc;
  }
  static QByteArray ReadData(const QString& name) {
    QFile file(QStringLiteral(KYV_TEST_DATA_DIR "/report/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  std::unique_ptr<CKyvDoc> Demo() {
    QString error;
    auto doc = ProjectFromJson(ReadData(QStringLiteral("demo.json")), m_test.Services(), &error);
    if (!doc)
      qWarning("%s", qPrintable(error));
    else
      doc->SetTitle(QStringLiteral("Demo.KYV"));
    return doc;
  }

  CTestPlatform m_test;
};

void TestPinReport::goldenFiles_data() {
  QTest::addColumn<QString>("golden");
  QTest::addColumn<bool>("html");
  QTest::newRow("csv") << QStringLiteral("Demo.csv") << false;
  QTest::newRow("html") << QStringLiteral("Demo.html") << true;
}

void TestPinReport::goldenFiles() {
  QFETCH(QString, golden);
  QFETCH(bool, html);
  const auto doc = Demo();
  QVERIFY(doc);
  const QByteArray actual = html ? PinReportHtml(*doc) : PinReportCsv(*doc);
  if (actual != ReadData(golden)) {
    // Left for a diff against the golden file.
    QFile out(QDir::temp().filePath(golden));
    if (out.open(QIODevice::WriteOnly)) out.write(actual);
    QFAIL(qPrintable(QStringLiteral("differs from %1; see %2").arg(golden, out.fileName())));
  }
}

void TestPinReport::statesAndKinds_data() {
  QTest::addColumn<int>("pin");
  QTest::addColumn<bool>("used");
  QTest::addColumn<QString>("holder");
  QTest::addColumn<int>("state");
  QTest::addColumn<QString>("kind");
  QTest::addColumn<QString>("description");
  const auto row = [](const char* name, int pin, bool used, const char* holder, PinState state,
                      const char* kind, const char* description) {
    QTest::newRow(name) << pin << used << QString::fromUtf8(holder) << static_cast<int>(state)
                        << QString::fromUtf8(kind) << QString::fromUtf8(description);
  };
  row("free", 3, false, "", PinState::Free, "", "P3: free\nNote: n");
  row("held by an object", 3, true, "VGA", PinState::Used, "Simple VGA",
      "P3: VGA (Simple VGA)\nRole: r\nNote: n");
  row("held by no object", 3, true, "Gone", PinState::Used, "", "P3: Gone\nRole: r\nNote: n");
  row("serial port", 62, true, "Serial", PinState::Serial, "Serial",
      "P62: Serial\nRole: r\nNote: n");
  row("serial holder elsewhere", 5, true, "Serial", PinState::Serial, "Serial",
      "P5: Serial\nRole: r\nNote: n");
  row("object on the serial pin", 63, true, "VGA", PinState::Used, "Simple VGA",
      "P63: VGA (Simple VGA)\nRole: r\nNote: n");
  row("free serial pin", 62, false, "", PinState::Free, "", "P62: free\nNote: n");
  row("first boot pin free", 58, false, "", PinState::Boot, "",
      "P58: free (boot/flash pin)\nNote: n");
  row("last boot pin free", 61, false, "", PinState::Boot, "",
      "P61: free (boot/flash pin)\nNote: n");
  row("boot pin used", 59, true, "VGA", PinState::Used, "Simple VGA",
      "P59: VGA (Simple VGA)\nRole: r\nNote: n");
  row("next to the boot pins", 57, false, "", PinState::Free, "", "P57: free\nNote: n");
  // A free pin whose holder text a file kept names no holder.
  row("free with a stale holder", 4, false, "VGA", PinState::Free, "", "P4: free\nNote: n");
}

void TestPinReport::statesAndKinds() {
  QFETCH(int, pin);
  QFETCH(bool, used);
  QFETCH(QString, holder);
  auto doc = NewDoc();
  auto vga = std::make_unique<CCodeObject>();
  vga->m_nType = OBJ_SIMPLE_VGA;
  vga->m_sName = QStringLiteral("VGA");
  doc->AddObject(std::move(vga));
  doc->m_bPinUsed[pin] = used;
  doc->m_sPinUsedBy[pin] = holder;
  doc->m_sPinUsedFor[pin] = used ? QStringLiteral("r") : QString();
  doc->m_sPinNotes[pin] = QStringLiteral("n");

  const CPinReportRow row = PinReportRows(*doc).at(pin);
  QCOMPARE(row.m_nPin, pin);
  QFETCH(int, state);
  QCOMPARE(static_cast<int>(row.m_state), state);
  QTEST(row.m_sKind, "kind");
  QCOMPARE(row.m_nKind, row.m_sKind == u"Simple VGA" ? int(OBJ_SIMPLE_VGA) : -1);
  QTEST(PinDescription(row), "description");
}

void TestPinReport::csvQuoting_data() {
  QTest::addColumn<QString>("note");
  QTest::addColumn<QByteArray>("field");
  QTest::newRow("plain") << QStringLiteral("pull-up") << QByteArray("pull-up");
  QTest::newRow("empty") << QString() << QByteArray();
  QTest::newRow("blanks kept unquoted") << QStringLiteral(" a b ") << QByteArray(" a b ");
  QTest::newRow("comma") << QStringLiteral("a,b") << QByteArray("\"a,b\"");
  QTest::newRow("quotes doubled") << QStringLiteral("say \"hi\"")
                                  << QByteArray("\"say \"\"hi\"\"\"");
  QTest::newRow("line feed") << QStringLiteral("a\nb") << QByteArray("\"a\nb\"");
  QTest::newRow("carriage return") << QStringLiteral("a\r\nb") << QByteArray("\"a\r\nb\"");
  QTest::newRow("semicolon") << QStringLiteral("a;b") << QByteArray("a;b");
  QTest::newRow("non-ASCII as UTF-8")
      << QStringLiteral("4.7 k\u03a9") << QByteArray("4.7 k\xce\xa9");
  QTest::newRow("lone surrogate") << QString(QChar(0xd800)) << QByteArray("\xef\xbf\xbd");
}

void TestPinReport::csvQuoting() {
  QFETCH(QString, note);
  QFETCH(QByteArray, field);
  auto doc = NewDoc();
  doc->m_sPinNotes[5] = note;
  // The holder, kind and role columns go through the same quoting.
  doc->m_bPinUsed[6] = true;
  doc->m_sPinUsedBy[6] = note;
  doc->m_sPinUsedFor[6] = note;
  const QByteArray csv = PinReportCsv(*doc);
  QVERIFY(csv.startsWith("Pin,Free,Holder,Kind,Role,Note,State\r\n0,Yes,,,,,Free\r\n"));
  QVERIFY(csv.endsWith(
      "\r\n63,No,Serial,Serial,RX,Used for Programming the P2 and stdio,Serial port\r\n"));
  QVERIFY2(csv.contains("\r\n5,Yes,,,," + field + ",Free\r\n6,No," + field + ",," + field +
                        ",,Used\r\n7,"),
           csv.constData());
}

void TestPinReport::htmlParsesWhateverTheTexts_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("readBack");
  const QString replacement(QChar(QChar::ReplacementCharacter));
  QTest::newRow("markup") << QStringLiteral("<b>&amp;\"'</b> ]]>")
                          << QStringLiteral("<b>&amp;\"'</b> ]]>");
  QTest::newRow("controls") << QStringLiteral("a") + QChar(0) + QChar(7) + QStringLiteral("\tb")
                            << QStringLiteral("a") + replacement + replacement +
                                   QStringLiteral("\tb");
  QTest::newRow("lone surrogates") << QString(QChar(0xdc00)) + QStringLiteral("x") + QChar(0xd800)
                                   << replacement + QStringLiteral("x") + replacement;
  QTest::newRow("non-characters") << QString(QChar(0xfffe)) + QChar(0xffff)
                                  << replacement + replacement;
  QTest::newRow("pair outside the BMP")
      << QStringLiteral("\U0001F50C plug") << QStringLiteral("\U0001F50C plug");
  QTest::newRow("long role") << QStringLiteral("\U0001F50C2345678\U0001F50C")
                             << QStringLiteral("\U0001F50C2345678\U0001F50C");
}

void TestPinReport::htmlParsesWhateverTheTexts() {
  QFETCH(QString, text);
  QFETCH(QString, readBack);
  auto doc = NewDoc();
  doc->SetTitle(text);
  doc->m_bPinUsed[5] = true;
  doc->m_sPinUsedBy[5] = text;
  doc->m_sPinUsedFor[5] = text;
  doc->m_sPinNotes[5] = text;
  const QByteArray html = PinReportHtml(*doc);

  // The whole page, and the SVG on its own.
  QStringList titles;
  QStringList cells;
  QXmlStreamReader page(html);
  while (!page.atEnd()) {
    if (page.readNext() != QXmlStreamReader::StartElement) continue;
    if (page.name() == u"td") cells.append(page.readElementText());
  }
  QVERIFY2(!page.hasError(), qPrintable(page.errorString()));
  QCOMPARE(cells.size(), 64 * 6);
  QCOMPARE(cells.mid(5 * 6, 6), (QStringList{QStringLiteral("5"), QStringLiteral("No"), readBack,
                                             QString(), readBack, readBack}));

  const qsizetype start = html.indexOf("<svg ");
  const qsizetype end = html.indexOf("</svg>");
  QVERIFY(start > 0 && end > start);
  QXmlStreamReader svg(html.mid(start, end + 6 - start));
  QStringList pinGroups;
  QStringList rowGroups;
  while (!svg.atEnd()) {
    if (svg.readNext() != QXmlStreamReader::StartElement) continue;
    if (svg.name() == u"g") {
      const QString id = svg.attributes().value(QStringLiteral("id")).toString();
      (id.startsWith(u"pin") ? pinGroups : rowGroups).append(id);
    } else if (svg.name() == u"title") {
      titles.append(svg.readElementText());
    }
  }
  QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
  QCOMPARE(rowGroups, (QStringList{QStringLiteral("P0-P7"), QStringLiteral("P8-P15"),
                                   QStringLiteral("P16-P23"), QStringLiteral("P24-P31"),
                                   QStringLiteral("P32-P39"), QStringLiteral("P40-P47"),
                                   QStringLiteral("P48-P55"), QStringLiteral("P56-P63")}));
  QCOMPARE(pinGroups.size(), 64);
  QCOMPARE(pinGroups.first(), QStringLiteral("pin0"));
  QCOMPARE(pinGroups.last(), QStringLiteral("pin63"));
  // The map's own title, then one per pin.
  QCOMPARE(titles.size(), 65);
  QCOMPARE(titles[6], QStringLiteral("P5: %1\nRole: %1\nNote: %1").arg(readBack));
}

void TestPinReport::layoutKeepsCellsApart() {
  using namespace PinMapLayout;
  const QRectF whole(QPointF(0, 0), Size());
  QList<QRectF> shapes;
  for (int pin = 0; pin < 64; ++pin) {
    const QRectF cell = CellRect(pin);
    QCOMPARE(PinAt(cell.center()), pin);
    // Groups are rows, pins run left to right within them.
    if (pin % kPinsPerGroup) QVERIFY(cell.left() > CellRect(pin - 1).right());
    if (pin >= kPinsPerGroup) QVERIFY(cell.top() > CellRect(pin - kPinsPerGroup).bottom());
    shapes.append(cell);
  }
  for (int group = 0; group < kGroupCount; ++group) {
    QVERIFY(GroupLabelRect(group).right() < CellRect(group * kPinsPerGroup).left());
    shapes.append(GroupLabelRect(group));
  }
  for (int entry = 0; entry < kLegendEntries; ++entry) {
    QVERIFY(LegendSwatchRect(entry).top() > CellRect(63).bottom());
    shapes.append(LegendSwatchRect(entry));
    shapes.append(LegendTextRect(entry));
  }
  for (qsizetype i = 0; i < shapes.size(); ++i) {
    QVERIFY(whole.contains(shapes[i]));
    for (qsizetype j = i + 1; j < shapes.size(); ++j)
      QVERIFY2(!shapes[i].intersects(shapes[j]), qPrintable(QStringLiteral("%1 %2").arg(i).arg(j)));
  }
  QCOMPARE(PinAt(QPointF(0, 0)), -1);
}

QTEST_APPLESS_MAIN(TestPinReport)
#include "tst_pinreport.moc"

void TestPinReport::usbErrorLedShownAsNotClaimed_data() {
  QTest::addColumn<int>("port");
  QTest::addColumn<bool>("noErrorLed");
  QTest::addColumn<QString>("otherHolder");  // of pin 56; "" free
  QTest::addColumn<QByteArray>("line56");
  QTest::addColumn<QByteArray>("line57");
  QTest::newRow("top port") << 0 << false << QString()
                            << QByteArray(
                                   "56,No,UsbKbM1,USB Keyboard and/or Mouse,USB Error LED,"
                                   "Not claimed in the project file,Used")
                            << QByteArray("57,Yes,,,,,Free");
  QTest::newRow("bottom port") << 1 << false << QString() << QByteArray("56,Yes,,,,,Free")
                               << QByteArray(
                                      "57,No,UsbKbM1,USB Keyboard and/or Mouse,"
                                      "USB Error LED,Not claimed in the project file,Used");
  QTest::newRow("error LED not used")
      << 0 << true << QString() << QByteArray("56,Yes,,,,,Free") << QByteArray("57,Yes,,,,,Free");
  QTest::newRow("pin held by another object")
      << 0 << false << QStringLiteral("UsbKbM1x")
      << QByteArray(
             "56,No,UsbKbM1x,,SCL,also UsbKbM1's USB Error LED (not claimed in the "
             "project file),Used")
      << QByteArray("57,Yes,,,,,Free");
}

// The driver drives the adapter's error LED although the pin table does not hold it.
void TestPinReport::usbErrorLedShownAsNotClaimed() {
  QFETCH(int, port);
  QFETCH(bool, noErrorLed);
  QFETCH(QString, otherHolder);
  auto doc = NewDoc();
  auto usb = std::make_unique<CCodeObject>();
  usb->m_nType = OBJ_USB_KBM;
  usb->m_sName = QStringLiteral("UsbKbM1");
  (*usb)[UsbKbmSlots::Port] = port;
  (*usb)[UsbKbmSlots::NoErrorLed] = noErrorLed;
  doc->AddObject(std::move(usb));
  if (!otherHolder.isEmpty()) {
    doc->m_bPinUsed[56] = true;
    doc->m_sPinUsedBy[56] = otherHolder;
    doc->m_sPinUsedFor[56] = QStringLiteral("SCL");
  }
  const QList<QByteArray> lines = PinReportCsv(*doc).split('\n');
  QTEST(lines.at(57).trimmed(), "line56");
  QTEST(lines.at(58).trimmed(), "line57");
  // The table itself is as the file has it.
  QCOMPARE(doc->m_bPinUsed[56], !otherHolder.isEmpty());
  QVERIFY(!doc->m_bPinUsed[57]);
  const QByteArray html = PinReportHtml(*doc);
  QCOMPARE(html.contains("USB Error LED"), !noErrorLed);
}
