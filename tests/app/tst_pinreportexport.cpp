#include <QMenu>

#include "AppFixture.h"
#include "ReportFixture.h"
#include "TestPlatform.h"
#include "cli/CliContext.h"

// File > Export Pin Report: the same bytes as kyv-cli report, a cancelled dialog writing
// nothing, a failed write reported.
class TestPinReportExport : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;

  QAction* Command(bool csv) {
    return csv ? m_fixture.Frame().m_pFileExportPinsCsv : m_fixture.Frame().m_pFileExportPinsHtml;
  }

 private slots:
  void cleanupTestCase() { m_fixture.Stop(); }

  void writesWhatTheCliWrites_data() {
    QTest::addColumn<bool>("csv");
    QTest::newRow("csv") << true;
    QTest::newRow("html") << false;
  }
  void writesWhatTheCliWrites() {
    QFETCH(bool, csv);
    OpenReportFixture(m_fixture);
    const QString gui = m_fixture.WorkPath(QStringLiteral("gui.out"));
    CPromptHooks::QueuePath(gui);
    Command(csv)->trigger();
    QCOMPARE(CPromptHooks::ShownTexts(), QStringList());

    const QString cli = m_fixture.WorkPath(QStringLiteral("cli.out"));
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CMemorySettings settings;
    CCliContext context(outStream, errStream, settings);
    QCOMPARE(RunCli({QStringLiteral("report"), m_fixture.WorkPath(QStringLiteral("Demo.KYV")),
                     csv ? QStringLiteral("--csv") : QStringLiteral("--html"), QStringLiteral("-o"),
                     cli},
                    context),
             0);
    const QByteArray written = ReadWholeFile(gui);
    QVERIFY(!written.isEmpty());
    QCOMPARE(written, ReadWholeFile(cli));
    QCOMPARE(written, ReadWholeFile(QStringLiteral(KYV_TEST_DATA_DIR "/report/Demo.") +
                                    (csv ? QStringLiteral("csv") : QStringLiteral("html"))));
  }

  void cancelWritesNothing() {
    OpenReportFixture(m_fixture);
    const QDir work(m_fixture.WorkPath(QString()));
    const QStringList before = work.entryList(QDir::Files);
    for (bool csv : {true, false}) Command(csv)->trigger();  // nothing queued: cancelled
    QCOMPARE(work.entryList(QDir::Files), before);
    QCOMPARE(CPromptHooks::ShownTexts(), QStringList());
  }

  void failedWriteIsReportedAndKeepsTheOldFile() {
    OpenReportFixture(m_fixture);
    const QString missing = m_fixture.WorkPath(QStringLiteral("no/pins.csv"));
    CPromptHooks::QueuePath(missing);
    Command(true)->trigger();
    QCOMPARE(CPromptHooks::ShownMessages().size(), 1);
    QCOMPARE(CPromptHooks::ShownMessages()[0].m_style, MessageStyle::Error);
    QCOMPARE(CPromptHooks::ShownTexts(),
             QStringList{QStringLiteral("Cannot write %1: No such file or directory.")
                             .arg(QDir::toNativeSeparators(missing))});
  }

  // The commands sit in the File menu and need an open project.
  void menuAndStates() {
    OpenReportFixture(m_fixture);
    auto* menu = m_fixture.Frame().findChild<QMenu*>(QStringLiteral("applicationMenu"));
    QVERIFY(menu);
    emit menu->aboutToShow();
    QMenu* exportPins = nullptr;
    for (QAction* action : menu->actions())
      if (action->text() == u"Export Pin &Report") exportPins = action->menu();
    QVERIFY(exportPins);
    QVERIFY(exportPins->menuAction()->isEnabled());
    QCOMPARE(exportPins->actions(), (QList<QAction*>{Command(true), Command(false)}));
    QVERIFY(Command(true)->isEnabled() && Command(false)->isEnabled());

    m_fixture.Frame().m_pFileClose->trigger();
    QTRY_COMPARE(m_fixture.ActiveFrame(), nullptr);
    QTRY_VERIFY(!Command(true)->isEnabled() && !Command(false)->isEnabled());
  }
};

QTEST_MAIN(TestPinReportExport)
#include "tst_pinreportexport.moc"
