#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSlider>
#include <QTextEdit>
#include <QtTest>

#include "FakeEditor.h"
#include "TestPlatform.h"
#include "app/EditorDialog.h"
#include "app/KindIcons.h"
#include "editors/EditorFactory.h"
#include "model/KindRegistry.h"

// The generic editor dialog, driven through its widgets with an editor that has one control of
// every kind.
class TestEditorDialog : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void newModeShowsDefaults();
  void okWritesRecordAndCloses();
  void rejectedOkStaysOpenAndCancelChangesNothing();
  void editModeShowsRecordWithFixedName();
  void slidersRadiosAndButtonsUpdateLive();
  void enterAcceptsEscapeCancels_data();
  void enterAcceptsEscapeCancels();
  void ampersandsShowAndAccessKeysAreUnique();
  void everyKindsDialogHasUniqueKeysAndItsWholeDescription_data();
  void everyKindsDialogHasUniqueKeysAndItsWholeDescription();
  void tabOrderFollowsFields();
  void everyKindHasAnIcon();

 private:
  template <typename T>
  T* Control(CEditorDialog& dialog, const QString& key) {
    T* widget = dialog.findChild<T*>(key);
    if (!widget) qWarning("no control %s", qPrintable(key));
    return widget;
  }

  // The access key of every text that takes one (a single "&" marks it, "&&" is a literal
  // one), lower case, in the order found; "" when a key is shared, with the texts sharing it.
  static QList<QChar> AccessKeys(CEditorDialog& dialog, QString* clash) {
    QStringList texts;
    for (auto* label : dialog.findChildren<QLabel*>())
      if (label->buddy()) texts.append(label->text());
    for (auto* button : dialog.findChildren<QAbstractButton*>()) texts.append(button->text());
    for (auto* box : dialog.findChildren<QGroupBox*>()) texts.append(box->title());
    QList<QChar> keys;
    QMap<QChar, QString> owners;
    const QRegularExpression key(QStringLiteral("(?<!&)&([^&])"));
    for (const QString& text : texts) {
      const auto match = key.match(QString(text).replace(QStringLiteral("&&"), QString()));
      if (!match.hasMatch()) continue;
      const QChar letter = match.captured(1)[0].toLower();
      if (owners.contains(letter) && clash->isEmpty())
        *clash = QStringLiteral("Alt+%1 on \"%2\" and \"%3\"").arg(letter, owners[letter], text);
      owners[letter] = text;
      keys.append(letter);
    }
    return keys;
  }

  CTestPlatform m_test;
  std::unique_ptr<CKyvDoc> m_doc;
  CCodeObject m_object;
  CFakeEditor m_editor;
};

void TestEditorDialog::init() {
  m_test.m_messages.Clear();
  m_doc = std::make_unique<CKyvDoc>(m_test.Services());
  m_doc->OnNewDocument();
  m_object = CCodeObject();
  m_editor.~CFakeEditor();
  new (&m_editor) CFakeEditor();
}

void TestEditorDialog::newModeShowsDefaults() {
  m_editor.Open(&m_object, m_doc.get(), CObjectEditor::kNewMode);
  CEditorDialog dialog(m_editor);
  QCOMPARE(dialog.windowTitle(), QStringLiteral("Fake Driver"));
  QVERIFY(!Control<QLabel>(dialog, QStringLiteral("kindIcon"))->pixmap().isNull());
  auto* description = Control<QTextEdit>(dialog, QStringLiteral("description"));
  QVERIFY(description->isReadOnly());
  QCOMPARE(description->toPlainText(), QStringLiteral("A fake editor.\nIt has every control."));
  QVERIFY(!dialog.findChild<QWidget*>(QStringLiteral("descriptionText")));

  auto* name = Control<QLineEdit>(dialog, QStringLiteral("name"));
  QCOMPARE(name->text(), QStringLiteral("Fake1"));
  QVERIFY(!name->isReadOnly());
  QCOMPARE(Control<QLineEdit>(dialog, QStringLiteral("basepin"))->text(), QStringLiteral("48"));
  auto* speed = Control<QComboBox>(dialog, QStringLiteral("speed"));
  QVERIFY(speed->isEditable());
  QCOMPARE(speed->currentText(), QStringLiteral("100"));
  QCOMPARE(speed->count(), 3);
  auto* bus = Control<QComboBox>(dialog, QStringLiteral("bus"));
  QVERIFY(!bus->isEditable());
  QCOMPARE(bus->currentText(), QStringLiteral("I2CBus1"));
  QVERIFY(Control<QRadioButton>(dialog, QStringLiteral("filter_0"))->isChecked());
  QCOMPARE(Control<QGroupBox>(dialog, QStringLiteral("filter"))->title().remove(u'&'),
           QStringLiteral("Filter"));
  auto* level = Control<QSlider>(dialog, QStringLiteral("level"));
  QCOMPARE(level->maximum(), 13);
  QCOMPARE(level->value(), 13);
  auto* levelText = Control<QLineEdit>(dialog, QStringLiteral("levelText"));
  QCOMPARE(levelText->text(), QStringLiteral("8192"));
  QVERIFY(levelText->isReadOnly());
  QVERIFY(Control<QCheckBox>(dialog, QStringLiteral("scan"))->isChecked());
  auto* results = Control<QLineEdit>(dialog, QStringLiteral("groupText"))->parentWidget();
  QCOMPARE(qobject_cast<QGroupBox*>(results)->title(), QStringLiteral("Results"));
  QCOMPARE(Control<QLineEdit>(dialog, QStringLiteral("result"))->parentWidget(), results);

  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  // Every kind of control in one dialog, for a person to look at.
  const QDir folder(QCoreApplication::applicationDirPath());
  folder.mkpath(QStringLiteral("screenshots"));
  QVERIFY(
      dialog.grab().save(folder.filePath(QStringLiteral("screenshots/editor-every-control.png"))));
}

void TestEditorDialog::okWritesRecordAndCloses() {
  m_editor.Open(&m_object, m_doc.get(), CObjectEditor::kNewMode);
  CEditorDialog dialog(m_editor);
  dialog.show();
  Control<QLineEdit>(dialog, QStringLiteral("basepin"))->setText(QStringLiteral("20"));
  Control<QComboBox>(dialog, QStringLiteral("speed"))->setEditText(QStringLiteral("250"));
  Control<QComboBox>(dialog, QStringLiteral("bus"))->setCurrentIndex(1);
  Control<QCheckBox>(dialog, QStringLiteral("scan"))->setChecked(false);
  QTest::mouseClick(Control<QPushButton>(dialog, QStringLiteral("ok")), Qt::LeftButton);

  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  QVERIFY(!dialog.isVisible());
  QCOMPARE(m_object.m_sName, QStringLiteral("Fake1"));
  QCOMPARE(m_object[FakeSlots::BasePin], QStringLiteral("20"));
  QCOMPARE(m_object[FakeSlots::Speed], QStringLiteral("250"));
  QCOMPARE(m_object[FakeSlots::Bus], 1);
  QCOMPARE(m_object[FakeSlots::Scan], false);
  QVERIFY(m_object.m_bValid);
  QCOMPARE(m_doc->m_sPinUsedBy[20], QStringLiteral("Fake1"));
  QVERIFY(m_test.m_messages.m_messages.isEmpty());
}

void TestEditorDialog::rejectedOkStaysOpenAndCancelChangesNothing() {
  m_editor.Open(&m_object, m_doc.get(), CObjectEditor::kNewMode);
  CEditorDialog dialog(m_editor);
  dialog.show();
  const auto pinsBefore = m_doc->m_sPinUsedBy;
  Control<QLineEdit>(dialog, QStringLiteral("basepin"))->setText(QStringLiteral("60"));
  QTest::mouseClick(Control<QPushButton>(dialog, QStringLiteral("ok")), Qt::LeftButton);

  QVERIFY(dialog.isVisible());
  QCOMPARE(m_test.m_messages.m_messages.size(), 1);
  QCOMPARE(m_test.m_messages.m_messages[0].m_style, MessageStyle::Error);
  QCOMPARE(m_test.m_messages.m_messages[0].m_sText,
           QStringLiteral("Pin 60 is out of range, please set to between 0 and 56."));
  QVERIFY(!m_object.m_bValid);
  // The typed value stays for the user to correct.
  QCOMPARE(Control<QLineEdit>(dialog, QStringLiteral("basepin"))->text(), QStringLiteral("60"));

  // A refusal that names its control puts the focus there.
  Control<QComboBox>(dialog, QStringLiteral("speed"))->setEditText(QStringLiteral("fast"));
  QTest::mouseClick(Control<QPushButton>(dialog, QStringLiteral("ok")), Qt::LeftButton);
  QVERIFY(dialog.isVisible());
  QCOMPARE(m_test.m_messages.Texts().value(1), QStringLiteral("Enter an integer."));
  auto* speed = Control<QComboBox>(dialog, QStringLiteral("speed"));
  QCOMPARE(dialog.focusWidget(), speed);
  QCOMPARE(speed->lineEdit()->selectedText(), QStringLiteral("fast"));

  QTest::mouseClick(Control<QPushButton>(dialog, QStringLiteral("cancel")), Qt::LeftButton);
  QCOMPARE(dialog.result(), int(QDialog::Rejected));
  QVERIFY(!dialog.isVisible());
  QVERIFY(m_doc->m_sPinUsedBy == pinsBefore);
  QCOMPARE(m_test.m_messages.m_messages.size(), 2);
}

void TestEditorDialog::editModeShowsRecordWithFixedName() {
  m_object.m_nType = OBJ_SIMPLE_VGA;
  m_object.m_sName = QStringLiteral("Stored");
  m_object[FakeSlots::BasePin] = QStringLiteral("8");
  m_object[FakeSlots::Speed] = QStringLiteral("400");
  m_object[FakeSlots::Bus] = 1;
  m_object[FakeSlots::Filter] = 2;
  m_object[FakeSlots::Level] = 5;
  m_object[FakeSlots::Scan] = false;
  m_editor.Open(&m_object, m_doc.get(), CObjectEditor::kEditMode);
  CEditorDialog dialog(m_editor);

  auto* name = Control<QLineEdit>(dialog, QStringLiteral("name"));
  QCOMPARE(name->text(), QStringLiteral("Stored"));
  QVERIFY(name->isReadOnly());
  QCOMPARE(Control<QLineEdit>(dialog, QStringLiteral("basepin"))->text(), QStringLiteral("8"));
  QCOMPARE(Control<QComboBox>(dialog, QStringLiteral("speed"))->currentText(),
           QStringLiteral("400"));
  QCOMPARE(Control<QComboBox>(dialog, QStringLiteral("bus"))->currentIndex(), 1);
  QVERIFY(Control<QRadioButton>(dialog, QStringLiteral("filter_2"))->isChecked());
  QCOMPARE(Control<QSlider>(dialog, QStringLiteral("level"))->maximum(), 8);
  QCOMPARE(Control<QSlider>(dialog, QStringLiteral("level"))->value(), 5);
  QCOMPARE(Control<QLineEdit>(dialog, QStringLiteral("levelText"))->text(), QStringLiteral("32"));
  QVERIFY(!Control<QCheckBox>(dialog, QStringLiteral("scan"))->isChecked());
  // Focus starts on the first control that can be changed.
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QCOMPARE(dialog.focusWidget(), Control<QWidget>(dialog, QStringLiteral("basepin")));
}

void TestEditorDialog::slidersRadiosAndButtonsUpdateLive() {
  m_editor.Open(&m_object, m_doc.get(), CObjectEditor::kNewMode);
  CEditorDialog dialog(m_editor);
  dialog.show();
  auto* level = Control<QSlider>(dialog, QStringLiteral("level"));
  auto* levelText = Control<QLineEdit>(dialog, QStringLiteral("levelText"));

  level->setFocus();
  QTest::keyClick(level, Qt::Key_Left);
  QCOMPARE(levelText->text(), QStringLiteral("4096"));
  level->setValue(3);
  QCOMPARE(levelText->text(), QStringLiteral("8"));

  Control<QRadioButton>(dialog, QStringLiteral("filter_2"))->click();
  QCOMPARE(level->maximum(), 8);
  QCOMPARE(level->value(), 8);
  QCOMPARE(levelText->text(), QStringLiteral("256"));
  QCOMPARE(m_editor.m_nFilter, 2);

  Control<QLineEdit>(dialog, QStringLiteral("basepin"))->setText(QStringLiteral("12"));
  QTest::mouseClick(Control<QPushButton>(dialog, QStringLiteral("calculate")), Qt::LeftButton);
  QCOMPARE(m_editor.m_nCalculations, 1);
  QCOMPARE(Control<QLineEdit>(dialog, QStringLiteral("result"))->text(), QStringLiteral("pin 12"));
  QVERIFY(dialog.isVisible());
}

void TestEditorDialog::enterAcceptsEscapeCancels_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("focus");
  QTest::addColumn<int>("result");
  QTest::newRow("Enter in an edit")
      << int(Qt::Key_Return) << QStringLiteral("basepin") << int(QDialog::Accepted);
  QTest::newRow("Enter in an editable list")
      << int(Qt::Key_Enter) << QStringLiteral("speed") << int(QDialog::Accepted);
  QTest::newRow("Enter on a check box")
      << int(Qt::Key_Return) << QStringLiteral("scan") << int(QDialog::Accepted);
  QTest::newRow("Escape") << int(Qt::Key_Escape) << QStringLiteral("basepin")
                          << int(QDialog::Rejected);
}

void TestEditorDialog::enterAcceptsEscapeCancels() {
  QFETCH(int, key);
  QFETCH(QString, focus);
  QFETCH(int, result);
  m_editor.Open(&m_object, m_doc.get(), CObjectEditor::kNewMode);
  CEditorDialog dialog(m_editor);
  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  QWidget* target = Control<QWidget>(dialog, focus);
  target->setFocus();
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : target, Qt::Key(key));
  QVERIFY(!dialog.isVisible());
  QCOMPARE(dialog.result(), result);
  QCOMPARE(m_object.m_bValid, result == QDialog::Accepted);
}

void TestEditorDialog::ampersandsShowAndAccessKeysAreUnique() {
  m_editor.Open(&m_object, m_doc.get(), CObjectEditor::kNewMode);
  CEditorDialog dialog(m_editor);
  QVERIFY(Control<QCheckBox>(dialog, QStringLiteral("scan"))
              ->text()
              .contains(QStringLiteral("&& Mouse")));
  QCOMPARE(Control<QLabel>(dialog, QStringLiteral("note"))->text(),
           QStringLiteral("Note:  R & D only."));

  QString clash;
  const QList<QChar> keys = AccessKeys(dialog, &clash);
  QVERIFY2(clash.isEmpty(), qPrintable(clash));
  // Labels of edits, lists and the slider, the check boxes, the button and the radio group.
  QVERIFY(keys.size() >= 9);
  for (auto* label : dialog.findChildren<QLabel*>())
    if (label->buddy() && label->buddy()->objectName() == u"basepin")
      QCOMPARE(label->text(), QStringLiteral("&Basepin:"));

  // The keys move the focus: a label's to its control, a radio group's into the group.
  dialog.show();
  dialog.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  QTest::keyClick(&dialog, Qt::Key_B, Qt::AltModifier);
  QCOMPARE(QApplication::focusWidget(), Control<QWidget>(dialog, QStringLiteral("basepin")));
  QTest::keyClick(&dialog, Qt::Key_F, Qt::AltModifier);
  QCOMPARE(QApplication::focusWidget(), Control<QWidget>(dialog, QStringLiteral("filter_0")));
  QTest::keyClick(&dialog, Qt::Key_L, Qt::AltModifier);
  QCOMPARE(QApplication::focusWidget(), Control<QWidget>(dialog, QStringLiteral("level")));
}

void TestEditorDialog::everyKindsDialogHasUniqueKeysAndItsWholeDescription_data() {
  QTest::addColumn<int>("kind");
  for (int kind = 0; kind < kObjectKindCount; ++kind)
    QTest::addRow("%s", qPrintable(FindKind(kind)->m_sDisplayName)) << kind;
}

// No two controls of a kind's dialog answer the same Alt key, and its description shows whole
// without scrolling (the dialog's body scrolls instead when the screen is too small).
void TestEditorDialog::everyKindsDialogHasUniqueKeysAndItsWholeDescription() {
  QFETCH(int, kind);
  std::unique_ptr<CObjectEditor> editor = CreateEditor(kind);
  QVERIFY(editor);
  editor->Open(&m_object, m_doc.get(), CObjectEditor::kNewMode);
  CEditorDialog dialog(*editor);
  QString clash;
  AccessKeys(dialog, &clash);
  QVERIFY2(clash.isEmpty(), qPrintable(clash));

  dialog.show();
  QVERIFY(QTest::qWaitForWindowExposed(&dialog));
  auto* description = Control<QTextEdit>(dialog, QStringLiteral("description"));
  QCOMPARE(description->verticalScrollBar()->maximum(), 0);
  QCOMPARE(description->horizontalScrollBar()->maximum(), 0);
}

void TestEditorDialog::tabOrderFollowsFields() {
  m_editor.Open(&m_object, m_doc.get(), CObjectEditor::kNewMode);
  CEditorDialog dialog(m_editor);
  dialog.show();
  dialog.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&dialog));
  // Tab enters a radio group at its chosen radio only.
  const QStringList expected = {
      QStringLiteral("name"),      QStringLiteral("basepin"),  QStringLiteral("speed"),
      QStringLiteral("bus"),       QStringLiteral("filter_0"), QStringLiteral("level"),
      QStringLiteral("levelText"), QStringLiteral("scan"),     QStringLiteral("calculate"),
      QStringLiteral("groupText"), QStringLiteral("result"),   QStringLiteral("groupCheck"),
      QStringLiteral("ok"),        QStringLiteral("cancel"),   QStringLiteral("name")};
  QStringList chain;
  for (int i = 0; i < expected.size(); ++i) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    // An editable list's own edit stands for the list.
    const bool innerEdit = qobject_cast<QComboBox*>(focus->parentWidget()) != nullptr;
    chain.append(innerEdit ? focus->parentWidget()->objectName() : focus->objectName());
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  QCOMPARE(chain, expected);
}

void TestEditorDialog::everyKindHasAnIcon() {
  QList<QIcon> icons;
  for (int kind = 0; kind < kObjectKindCount; ++kind) icons.append(KindIcon(kind));
  icons.append(ResourceIcon(QStringLiteral("kyv")));
  for (const QIcon& icon : icons) {
    const QImage image = icon.pixmap(48, 48).toImage();
    QVERIFY(!image.isNull());
    int opaque = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 0;
    QVERIFY2(opaque > 200, "icon drawn");
  }
  QVERIFY(ResourceIcon(QStringLiteral("none")).isNull());
  QVERIFY(KindIcon(16).isNull());
  QVERIFY(KindIcon(-1).isNull());
}

QTEST_MAIN(TestEditorDialog)
#include "tst_editordialog.moc"
