#include <QFile>
#include <QFileInfo>
#include <QListWidget>

#include "AppFixture.h"
#include "ModalDriver.h"
#include "app/ExampleProjects.h"
#include "app/OpenExampleDlg.h"

using namespace Qt::Literals::StringLiterals;

// File > Open Example... and the start on the "Object List" tab: the examples come from inside
// the program, a copy is saved where the user says and opened, the example itself never changes.
// Also draws the README's pictures of the Robot example.
class TestOpenExample : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;

  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

  // Runs File > Open Example..., picking the example in the dialog (or cancelling it when
  // `name` is empty) and answering the save dialog with `target` ("" cancels it).
  CKyvDoc* OpenExample(const QString& name, const QString& target) {
    CModalDriver driver;
    driver.When<COpenExampleDlg>([name](COpenExampleDlg* dialog) {
      const QList<QListWidgetItem*> items =
          dialog->List()->findItems(name + u":"_s, Qt::MatchStartsWith);
      if (name.isEmpty() || items.size() != 1) return dialog->reject();
      dialog->List()->setCurrentItem(items.constFirst());
      dialog->accept();
    });
    CPromptHooks::QueuePath(target);
    m_fixture.Frame().m_pFileOpenExample->trigger();
    for (CKyvDoc* doc : m_fixture.App().Documents())
      if (!target.isEmpty() && doc->GetPathName() == QFileInfo(target).absoluteFilePath())
        return doc;
    return nullptr;
  }

  // The README's pictures: written beside the test program, and into docs/ of the source tree
  // when KYV_UPDATE_DOCS is set (then committed with the change that altered them).
  static void DocsPicture(QWidget& widget, const QString& name) {
    CAppFixture::Screenshot(widget, name);
    if (qEnvironmentVariableIsEmpty("KYV_UPDATE_DOCS")) return;
    const QString path = QStringLiteral(KYV_SOURCE_DIR "/docs/") + name + u".png"_s;
    QVERIFY2(widget.grab().save(path), qPrintable(path));
  }

 private slots:
  void init() { m_fixture.Start(); }

  // Every example folder of the source tree is inside the program, as it is now, with a
  // description to show.
  void everyExampleIsEmbedded() {
    const QString source = QStringLiteral(KYV_SOURCE_DIR "/examples");
    QStringList embedded;
    for (const CExampleProject& example : ExampleProjects()) {
      embedded.append(example.m_sName);
      QVERIFY2(!example.m_sDescription.isEmpty(), qPrintable(example.m_sName));
      QCOMPARE(ReadAll(example.m_sProjectPath),
               ReadAll(source + u'/' + example.m_sName + u'/' + example.ProjectFileName()));
    }
    QCOMPARE(embedded,
             QStringList({u"Hello"_s, u"Robot"_s, u"Display"_s, u"Sound"_s, u"Logger"_s}));
    QStringList folders = QDir(source).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    embedded.sort();
    QCOMPARE(embedded, folders);
    QVERIFY(ExampleProjects()[1].m_sDescription.startsWith(
        u"A small robot's controller: two hobby servos"_s));
  }

  void openingSavesACopyAndShowsItsObjects() {
    const QString target = m_fixture.WorkPath(u"MyRobot.KYV"_s);
    CKyvDoc* doc = OpenExample(u"Robot"_s, target);
    QVERIFY(doc);
    QCOMPARE(doc->GetPathName(), QFileInfo(target).absoluteFilePath());
    QCOMPARE(ReadAll(target), ReadAll(u":/examples/Robot/Robot.KYV"_s));
    QVERIFY2(QFileInfo(target).isWritable(), "the copy keeps the embedded file's read-only mode");
    QCOMPARE(m_fixture.ActiveFrame()->View()->currentIndex(), int(CKyvView::kObjectPage));
    QCOMPARE(doc->m_ObjectList.size(), size_t{7});
    // The copy is the user's project: it saves like any other.
    doc->m_sClockFreq = u"180_000_000"_s;
    QVERIFY(m_fixture.App().OnFileSave(*doc));
    QVERIFY(ReadAll(target) != ReadAll(u":/examples/Robot/Robot.KYV"_s));
  }

  void cancellingOpensAndWritesNothing_data() {
    QTest::addColumn<QString>("example");
    QTest::addColumn<QString>("target");
    QTest::newRow("examples dialog cancelled") << QString() << u"Robot.KYV"_s;
    QTest::newRow("save dialog cancelled") << u"Robot"_s << QString();
  }

  void cancellingOpensAndWritesNothing() {
    QFETCH(QString, example);
    QFETCH(QString, target);
    const QString path = target.isEmpty() ? QString() : m_fixture.WorkPath(target);
    QVERIFY(!OpenExample(example, path));
    QVERIFY(path.isEmpty() || !QFileInfo::exists(path));
    QVERIFY(CPromptHooks::ShownTexts().isEmpty());
  }

  // Saving the copy over a project that is open would pull the file from under its window.
  void copyOverAnOpenProjectIsRefused() {
    const QString target = m_fixture.WorkPath(u"Open.KYV"_s);
    CPromptHooks::QueuePath(target);
    m_fixture.Frame().m_pFileSave->trigger();
    const QByteArray saved = ReadAll(target);
    QVERIFY(!saved.isEmpty());
    const qsizetype open = m_fixture.App().Documents().size();
    OpenExample(u"Logger"_s, target);
    QCOMPARE(m_fixture.App().Documents().size(), open);
    QCOMPARE(ReadAll(target), saved);
    QCOMPARE(CPromptHooks::ShownTexts().size(), 1);
    QVERIFY(CPromptHooks::ShownTexts().constFirst().contains(u"is open in Kyv"_s));
  }

  void commandLineChoosesTheFirstTab_data() {
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("page");
    QTest::newRow("project only") << QStringList() << int(CKyvView::kSettingsPage);
    QTest::newRow("--object-list")
        << QStringList({u"--object-list"_s}) << int(CKyvView::kObjectPage);
  }

  void commandLineChoosesTheFirstTab() {
    QFETCH(QStringList, options);
    QFETCH(int, page);
    const QString project = QStringLiteral(KYV_SOURCE_DIR "/examples/Robot/Robot.KYV");
    m_fixture.Start(options + QStringList{project});
    QVERIFY(m_fixture.Started());
    QCOMPARE(m_fixture.App().Documents().size(), 1);
    QCOMPARE(m_fixture.ActiveDoc().GetTitle(), u"Robot.KYV"_s);
    QCOMPARE(m_fixture.ActiveView().currentIndex(), page);
  }

  // The README's pictures of the Robot example: its objects, and its pin map.
  void pictures() {
    m_fixture.ActiveFrame()->close();  // the empty project of the start
    QVERIFY(OpenExample(u"Robot"_s, m_fixture.WorkPath(u"Robot.KYV"_s)));
    QCOMPARE(m_fixture.Frame().Frames().size(), 1);
    m_fixture.Frame().resize(1000, 660);
    DocsPicture(m_fixture.Frame(), u"robot-object-list"_s);
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kPinMapPage);
    DocsPicture(m_fixture.Frame(), u"robot-pin-map"_s);
    COpenExampleDlg dialog(&m_fixture.Frame());
    dialog.show();
    CAppFixture::Screenshot(dialog, u"open-example-dialog"_s);
  }
};

QTEST_MAIN(TestOpenExample)
#include "tst_openexample.moc"
