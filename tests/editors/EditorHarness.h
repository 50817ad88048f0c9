#pragma once

#include <QtTest>

#include "TestPlatform.h"
#include "editors/ObjectEditor.h"

// A new project, a fresh record and a recording message box: what an editor needs to run.
struct CEditorHarness {
  CTestPlatform m_test;
  CKyvDoc m_doc{m_test.Services()};
  CCodeObject m_object;

  CEditorHarness() { m_doc.OnNewDocument(); }

  CRecordingMessages& Messages() { return m_test.m_messages; }

  // Sets a control as kyv-cli does: by key, through the field the dialog is built from, so the
  // control's handler runs as in the dialog.
  static bool Set(CObjectEditor& editor, const QString& key, const QString& value,
                  QString* error = nullptr) {
    for (CEditorField& field : editor.Fields())
      if (field.m_sKey == key) return field.SetFromText(value, error);
    if (error) *error = QStringLiteral("no field ") + key;
    return false;
  }
  // Presses a push button as the dialog does.
  static void Press(CObjectEditor& editor, const QString& key) {
    const CEditorField button = Field(editor, key);
    QVERIFY2(button.m_kind == FieldKind::Button && button.m_onChanged, qPrintable(key));
    button.m_onChanged();
  }
  static CEditorField Field(CObjectEditor& editor, const QString& key) {
    for (const CEditorField& field : editor.Fields())
      if (field.m_sKey == key) return field;
    return {};
  }
  static QString Value(CObjectEditor& editor, const QString& key) {
    return Field(editor, key).ValueText();
  }
};

// QVERIFY inside a helper: sets a field or fails the test.
#define KYV_SET(editor, key, value)                                                           \
  do {                                                                                        \
    QString kyvSetError;                                                                      \
    QVERIFY2(CEditorHarness::Set(editor, key, value, &kyvSetError), qPrintable(kyvSetError)); \
  } while (false)
