#include "ModalDriver.h"
#include "TestPlatform.h"
#include "app/EditorDialog.h"
#include "app/ObjectPickerDialog.h"
#include "editors/ObjectPicker.h"
#include "model/ObjectListText.h"

#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

// The picker and the sixteen editor dialogs, driven as a user would.
class TestObjectDialogs : public QObject {
  Q_OBJECT

private slots:
  void init();
  void pickerShowsSixteenButtons();
  void addEveryKindWithDefaults_data();
  void addEveryKindWithDefaults();

private:
  // Runs the picker on a new record, presses the kind's button and lets `inEditor` work the
  // editor dialog (default: press OK). Adds the record when the picker says OK.
  bool AddThroughPicker(int kind, const std::function<void(CEditorDialog*)>& inEditor = {});
  static QString ScreenshotPath(const QString& name) {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots/") + name + QStringLiteral(".png");
  }

  CTestPlatform m_test;
  std::unique_ptr<CKyvDoc> m_doc;
};

void TestObjectDialogs::init() {
  QDir().mkpath(QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots"));
  m_test.m_messages.Clear();
  m_doc = std::make_unique<CKyvDoc>(m_test.Services());
  m_doc->OnNewDocument();
}

bool TestObjectDialogs::AddThroughPicker(int kind, const std::function<void(CEditorDialog*)>& inEditor) {
  auto object = std::make_unique<CCodeObject>();
  WhenModal<CObjectPickerDialog>([&](CObjectPickerDialog* picker) {
    WhenModal<CEditorDialog>([&](CEditorDialog* editor) {
      if (inEditor)
        inEditor(editor);
      else
        editor->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    picker->findChild<QPushButton*>(QStringLiteral("pick%1").arg(kind))->click();
  });
  if (!CObjectPickerDialog::Run(*object, *m_doc, nullptr)) return false;
  m_doc->AddObject(std::move(object));
  return true;
}

void TestObjectDialogs::pickerShowsSixteenButtons() {
  CCodeObject object;
  CObjectPicker picker(&object, m_doc.get());
  CObjectPickerDialog dialog(picker);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Pick New Object"));
  auto* grid = dialog.findChild<QGridLayout*>();
  QVERIFY(grid);
  for (const CPickerButton& entry : CObjectPicker::Buttons()) {
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("pick%1").arg(entry.m_nKind));
    QVERIFY(button);
    QCOMPARE(button->toolTip(), entry.m_sTooltip);
    QVERIFY(!button->icon().isNull());
    QString shown = button->text();
    shown.replace(QStringLiteral("&&"), QStringLiteral("\\x01")).remove(u'&').replace(QStringLiteral("\\x01"), QStringLiteral("&"));
    QCOMPARE(shown, entry.m_sText);
    int row = -1, column = -1, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(button), &row, &column, &rowSpan, &columnSpan);
    QCOMPARE(row, entry.m_nRow);
    QCOMPARE(column, entry.m_nColumn);
  }
  QCOMPARE(dialog.findChildren<QPushButton*>().size(), 17);  // and Cancel
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QVERIFY(dialog.grab().save(ScreenshotPath(QStringLiteral("picker"))));
}

void TestObjectDialogs::addEveryKindWithDefaults_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QString>("line");
  for (const CPickerButton& entry : CObjectPicker::Buttons())
    QTest::newRow(qPrintable(entry.m_sText)) << int(entry.m_nKind) << QString() << QString();
}

void TestObjectDialogs::addEveryKindWithDefaults() {
  QFETCH(int, kind);
  // What the RTC and the camera need first.
  if (kind == OBJ_RTC || kind == OBJ_CAMERA) QVERIFY(AddThroughPicker(OBJ_I2C_BUS));
  if (kind == OBJ_CAMERA) {
    QVERIFY(AddThroughPicker(OBJ_SIMPLE_QVGA, [](CEditorDialog* editor) {
      editor->findChild<QLineEdit*>(QStringLiteral("basepin"))->setText(QStringLiteral("0"));
      editor->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    }));
  }
  const int before = int(m_doc->m_ObjectList.size());
  QString title;
  QVERIFY(AddThroughPicker(kind, [&](CEditorDialog* editor) {
    title = editor->windowTitle();
    editor->grab().save(ScreenshotPath(QStringLiteral("kind%1").arg(kind, 2, 10, QLatin1Char('0'))));
    editor->findChild<QPushButton*>(QStringLiteral("ok"))->click();
  }));
  QCOMPARE(int(m_doc->m_ObjectList.size()), before + 1);
  qDebug() << title << ObjectListLine(*m_doc->m_ObjectList.back()) << m_test.m_messages.Texts();
}

QTEST_MAIN(TestObjectDialogs)
#include "tst_objectdialogs.moc"
