#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTreeView>

#include "AppFixture.h"
#include "FlexSpin.h"
#include "ItemViews.h"
#include "ModalDriver.h"
#include "app/BuildOutputPane.h"
#include "app/EditorDialog.h"
#include "app/ObjectPickerDialog.h"
#include "app/ObjectView.h"
#include "app/OpenExampleDlg.h"
#include "editors/ProjectChecks.h"

using namespace Qt::Literals::StringLiterals;

// The README's "First project in five minutes", step by step in the running program: open the
// Robot example, add a DAC (first on a pin a servo holds), generate and compile.
class TestReadmeWalk : public QObject {
  Q_OBJECT

 private:
  CAppFixture m_fixture;
  CModalDriver m_modals;

  static void Press(QWidget* widget, const QString& name) {
    auto* button = widget->findChild<QAbstractButton*>(name);
    QVERIFY2(button, qPrintable(name));
    button->click();
  }
  static QLineEdit* Edit(QWidget* dialog, const QString& key) {
    return dialog->findChild<QLineEdit*>(key);
  }

 private slots:
  void walk() {
    m_fixture.Start();
    CMainFrame& frame = m_fixture.Frame();

    // 1. Open the Robot example: a copy, on its "Object List" tab.
    const QString project = m_fixture.WorkPath(u"Robot/Robot.KYV"_s);
    QVERIFY(QDir().mkpath(QFileInfo(project).path()));
    m_modals.When<COpenExampleDlg>([](COpenExampleDlg* dialog) {
      dialog->List()->setCurrentItem(
          dialog->List()->findItems(u"Robot:"_s, Qt::MatchStartsWith).value(0));
      dialog->accept();
    });
    CPromptHooks::QueuePath(project);
    frame.m_pFileOpenExample->trigger();
    QCOMPARE(m_fixture.ActiveDoc().GetPathName(), QFileInfo(project).absoluteFilePath());
    CKyvView& view = m_fixture.ActiveView();
    QCOMPARE(view.currentIndex(), int(CKyvView::kObjectPage));
    QTreeView* list = view.ObjectView()->ObjectList();
    QCOMPARE(RowCount(list), 7);

    // 2. The Pin Map tab.
    view.setCurrentIndex(CKyvView::kPinMapPage);
    view.setCurrentIndex(CKyvView::kObjectPage);

    // 3. Add Object, "DAC Analog Output": proposed as DAC1 on pin 49; pin 16 is refused, 26 taken.
    QString proposedName, proposedPin;
    bool stayedOpen = false;
    m_modals.When<CObjectPickerDialog>([&](CObjectPickerDialog* picker) {
      m_modals.When<CEditorDialog>([&](CEditorDialog* editor) {
        proposedName = Edit(editor, u"name"_s)->text();
        proposedPin = Edit(editor, u"iOPin"_s)->text();
        Edit(editor, u"iOPin"_s)->setText(u"16"_s);
        Press(editor, u"ok"_s);
        stayedOpen = editor->isVisible();
        Edit(editor, u"iOPin"_s)->setText(u"26"_s);
        Press(editor, u"ok"_s);
      });
      Press(picker, u"pick%1"_s.arg(OBJ_DAC));
    });
    Press(view.ObjectView(), u"addObject"_s);
    QCOMPARE(proposedName, u"DAC1"_s);
    QCOMPARE(proposedPin, u"49"_s);
    QVERIFY(stayedOpen);
    QCOMPARE(CPromptHooks::ShownTexts(), QStringList{u"Pin #16 is already in use by Servo1."_s});
    QCOMPARE(RowCount(list), 8);
    QCOMPARE(m_fixture.ActiveDoc().m_sPinUsedBy[26], u"DAC1"_s);
    QVERIFY(CheckProject(m_fixture.ActiveDoc()).isEmpty());

    // 4. "1: Generate Code" writes the project folder beside the project file.
    CPromptHooks::Reset();
    frame.m_pButtonGenerate->trigger();
    QVERIFY2(CPromptHooks::ShownTexts().join(u'\n').contains(u"Project files created in"_s),
             qPrintable(CPromptHooks::ShownTexts().join(u'\n')));
    const QDir folder = QFileInfo(project).dir();
    for (const QString& file : {u"Robot.spin2"_s, u"build.sh"_s, u"load.sh"_s})
      QVERIFY2(folder.exists(file), qPrintable(file));

    // 5. "2: Compile" with FlexSpin taken from PATH (the example names no tool folder).
    KYV_SKIP_WITHOUT_FLEXSPIN();
    const QString tools = QFileInfo(FlexSpinExecutable()).absolutePath();
    qputenv("PATH", (tools + u':' + qEnvironmentVariable("PATH")).toLocal8Bit());
    CBuildOutputPane& pane = *frame.BuildOutput();
    QSignalSpy finished(&pane, &CBuildOutputPane::finished);
    frame.m_pButtonCompile->trigger();
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.constFirst().constFirst().toInt(), 0);
    static const QRegularExpression size(
        uR"(^Program size is \d+ bytes: \d+\.\d% of 512 KB hub RAM$)"_s);
    QVERIFY2(size.match(pane.ProgramSizeText()).hasMatch(), qPrintable(pane.ProgramSizeText()));
    QVERIFY(folder.exists(u"Robot.binary"_s));
  }
};

QTEST_MAIN(TestReadmeWalk)
#include "tst_readmewalk.moc"
