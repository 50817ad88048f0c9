#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBlock>

#include "AppFixture.h"
#include "SampleProject.h"
#include "app/CodeEditor.h"
#include "app/CodeView.h"
#include "app/DocumentHistory.h"

using namespace Qt::Literals::StringLiterals;

// The "Code" page of a project window: the main file as it would be generated now, following the
// project's changes, and the file on disk with its differences marked, edited and saved.
class TestCodeView : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;

  CCodeView& Code() { return *m_fixture.ActiveView().CodeView(); }
  QString Shown() { return Code().Editor()->toPlainText(); }
  void ShowCodePage() {
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kCodePage);
    QApplication::processEvents();
  }
  void TypeClock(const QString& clock) {
    QLineEdit* edit = m_fixture.ActiveView().findChild<QComboBox*>(u"clockFreq"_s)->lineEdit();
    edit->selectAll();
    QTest::keyClicks(edit, clock);
  }
  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  static void Overwrite(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
  }
  static QString Changes(const CCodeEditor& editor) {
    QStringList out;
    for (const CLineChange& change : editor.Changes())
      out << u"%1+%2-%3"_s.arg(change.m_nFirstLine)
                 .arg(change.m_nLineCount)
                 .arg(change.m_nRemovedCount);
    return out.join(u' ');
  }

  // A saved and generated project "<base>.KYV" in a folder of its own; returns its main file's
  // path.
  QString GeneratedProject(const QString& base) {
    m_fixture.Start();
    const QString folder = m_fixture.WorkPath(base);
    QDir().mkpath(folder);
    CPromptHooks::QueuePath(QDir(folder).filePath(base + u".KYV"_s));
    m_fixture.Frame().m_pFileSave->trigger();
    m_fixture.Frame().m_pButtonGenerate->trigger();
    CPromptHooks::Reset();
    return QFileInfo(QDir(folder).filePath(base + u".spin2"_s)).absoluteFilePath();
  }

 private slots:
  void init() { m_fixture.Stop(); }
  void cleanupTestCase() { m_fixture.Stop(); }

  void previewFollowsEveryChange() {
    m_fixture.Start();
    ShowCodePage();
    QVERIFY(Code().ShownFile().isEmpty());
    QVERIFY(Code().Editor()->isReadOnly());
    QVERIFY2(Shown().contains(u"CON"_s), qPrintable(Shown()));
    QVERIFY(!Shown().contains(u"312_500_000"_s));

    // A typed setting, an added object, an undo: each reaches the text a moment later.
    TypeClock(u"312_500_000"_s);
    QTRY_VERIFY(Shown().contains(u"  _clkfreq = 312_500_000\n"_s));
    AddHeldObject(m_fixture.ActiveDoc(), OBJ_SERVO, u"Servo1"_s, 20, 1);
    m_fixture.ActiveDoc().UpdateAllViews();
    QTRY_VERIFY(Shown().contains(u"Servo1"_s));
    m_fixture.ActiveView().History().Stack()->undo();
    QTRY_VERIFY(!Shown().contains(u"312_500_000"_s));
    // Nothing was written.
    QVERIFY(!QFileInfo::exists(m_fixture.WorkPath(u"Kyv1.spin2"_s)));

    // While another page is shown the text waits, and catches up when the page is shown again.
    m_fixture.ActiveView().setCurrentIndex(CKyvView::kSettingsPage);
    TypeClock(u"250_000_000"_s);
    QTest::qWait(400);
    QVERIFY(!Shown().contains(u"250_000_000"_s));
    ShowCodePage();
    QVERIFY(Shown().contains(u"  _clkfreq = 250_000_000\n"_s));
  }

  void fileOnDiskShowsItsDifferencesFromThePreview() {
    const QString main = GeneratedProject(u"Demo"_s);
    QVERIFY(QFileInfo::exists(main));
    ShowCodePage();
    Code().ShowMainFile();
    QCOMPARE(Code().ShownFile(), main);
    QCOMPARE(Changes(*Code().Editor()), QString());
    QCOMPARE(Code().NoteText(),
             u"Demo.spin2 on disk is what \"1: Generate Code\" would write now."_s);

    // A line added by hand, seen as the file changes.
    QByteArray bytes = ReadAll(main);
    const qsizetype secondLine = bytes.indexOf("\r\n") + 2;
    bytes.insert(bytes.indexOf("\r\n", secondLine) + 2, "' my note\r\n");
    Overwrite(main, bytes);
    QTRY_COMPARE(Changes(*Code().Editor()), u"3+1-0"_s);
    QCOMPARE(Code().Editor()->document()->findBlockByNumber(2).text(), u"' my note"_s);

    // A change of the project moves the preview away from the file: its line is marked too.
    TypeClock(u"312_500_000"_s);
    ShowCodePage();
    QTRY_COMPARE(Code().Editor()->Changes().size(), 2);
    QVERIFY2(Code().NoteText().contains(u"in 2 places (marked)"_s), qPrintable(Code().NoteText()));
    CAppFixture::Screenshot(m_fixture.Frame(), u"code-view-differences"_s);
  }

  void mainFileShownBeforeItIsGeneratedAppearsOnceWritten() {
    m_fixture.Start();
    const QString folder = m_fixture.WorkPath(u"Later"_s);
    QDir().mkpath(folder);
    CPromptHooks::QueuePath(QDir(folder).filePath(u"Later.KYV"_s));
    m_fixture.Frame().m_pFileSave->trigger();
    ShowCodePage();
    Code().ShowMainFile();
    QCOMPARE(Code().NoteText(),
             u"Later.spin2 has not been generated yet: press \"1: Generate Code\" to write it."_s);
    m_fixture.Frame().m_pButtonGenerate->trigger();
    QTRY_COMPARE(Code().NoteText(),
                 u"Later.spin2 on disk is what \"1: Generate Code\" would write now."_s);
    QVERIFY(Shown().startsWith(u"''Kyv Generated Spin2 main file\n"_s));
  }

  void editSavesAtomicallyKeepingLineEnds() {
    const QString main = GeneratedProject(u"Edit"_s);
    ShowCodePage();
    Code().ShowMainFile();
    auto* edit = Code().findChild<QPushButton*>(u"codeEdit"_s);
    auto* save = Code().findChild<QPushButton*>(u"codeSave"_s);
    QVERIFY(edit->isEnabled());
    QVERIFY(!save->isEnabled());
    QTest::mouseClick(edit, Qt::LeftButton);
    QVERIFY(!Code().Editor()->isReadOnly());
    Code().Editor()->moveCursor(QTextCursor::Start);
    QTest::keyClicks(Code().Editor(), u"' edited"_s);
    QTest::keyClick(Code().Editor(), Qt::Key_Return);
    QVERIFY(save->isEnabled());
    QTRY_COMPARE(Changes(*Code().Editor()), u"1+1-0"_s);
    const QByteArray before = ReadAll(main);
    // Ctrl+S while editing writes the file, not the project.
    QTest::keyClick(Code().Editor(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadAll(main), "' edited\r\n" + before);
    QVERIFY(!save->isEnabled());
    QVERIFY(!Code().NoteText().contains(u"not saved"_s));
    // No temporary file is left beside it.
    QCOMPARE(QDir(QFileInfo(main).path()).entryList({u"*.spin2*"_s}, QDir::Files).size(),
             QDir(QFileInfo(main).path()).entryList({u"*.spin2"_s}, QDir::Files).size());

    // A character the file cannot hold is refused; the file stays as it was.
    Code().Editor()->insertPlainText(u"Ω"_s);
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(CPromptHooks::ShownTexts(),
             QStringList{u"Edit.spin2 was not saved: it holds a character that has no "
                         u"single-byte form. Replace it and save again."_s});
    QCOMPARE(ReadAll(main), "' edited\r\n" + before);
    // Leaving edit mode asks first; Discard shows the file again.
    CPromptHooks::QueueButton(QMessageBox::Discard);
    QTest::mouseClick(edit, Qt::LeftButton);
    QCOMPARE(CPromptHooks::AskedQuestions(), QStringList{u"Save changes to Edit.spin2?"_s});
    QVERIFY(Code().Editor()->isReadOnly());
    QVERIFY(!Shown().contains(u"Ω"_s));
  }

  void findGoesToTheNextMatch() {
    m_fixture.Start();
    ShowCodePage();
    QApplication::setActiveWindow(&m_fixture.Frame());
    Code().Editor()->setFocus();
    QTest::keyClick(Code().Editor(), Qt::Key_F, Qt::ControlModifier);
    auto* field = Code().findChild<QLineEdit*>(u"findText"_s);
    QVERIFY(field->isVisible());
    QTest::keyClicks(field, u"pub "_s);
    QTest::keyClick(field, Qt::Key_Return);
    const QTextCursor found = Code().Editor()->textCursor();
    QCOMPARE(found.selectedText().toUpper(), u"PUB "_s);
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(Code().Editor()->textCursor().position() > found.position());
    QTest::keyClicks(field, u"not in there"_s);
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(Code().findChild<QLabel*>(u"findNote"_s)->text(),
             u"\"pub not in there\" is not in the text."_s);
  }
};

QTEST_MAIN(TestCodeView)
#include "tst_codeview.moc"
