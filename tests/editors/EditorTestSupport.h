#pragma once

#include <QPair>
#include <QStringList>
#include <memory>

#include "TestPlatform.h"
#include "editors/EditorFactory.h"
#include "editors/ObjectEditor.h"

// A new project with a recording message service, and short ways to drive editors on it.

using CValues = QList<QPair<QString, QString>>;  // field key, text as typed

// Values written as "key=value" (for test tables).
inline CValues ValuesFrom(const QStringList& pairs) {
  CValues values;
  for (const QString& pair : pairs) {
    const qsizetype equals = pair.indexOf(u'=');
    values.append({pair.left(equals), pair.mid(equals + 1)});
  }
  return values;
}

// "Error|Error|text", "Plain|Kyv|text", "Warning|caption|text": every recorded message.
inline QStringList MessageLines(const CRecordingMessages& messages) {
  QStringList lines;
  for (const auto& message : messages.m_messages) {
    const QString style = message.m_style == MessageStyle::Error   ? QStringLiteral("Error")
                          : message.m_style == MessageStyle::Plain ? QStringLiteral("Plain")
                                                                   : QStringLiteral("Warning");
    lines.append(style + u'|' + message.m_sCaption + u'|' + message.m_sText);
  }
  return lines;
}

inline QString ErrorLine(const QString& text) { return QStringLiteral("Error|Error|") + text; }
inline QString PlainLine(const QString& text) { return QStringLiteral("Plain|Kyv|") + text; }

// Pins 0 to 61 as "48 SimpleVGA1 HSync" for a used pin, "48 free" for a free pin with a note
// or a left-over holder text, each followed by " [note]" where the pin has a note. Unremarkable
// free pins and the serial pins are left out.
inline QStringList PinLines(const CKyvDoc& doc) {
  QStringList lines;
  for (int pin = 0; pin < 62; ++pin) {
    QString line;
    if (doc.m_bPinUsed[pin])
      line = QStringLiteral("%1 %2 %3").arg(pin).arg(doc.m_sPinUsedBy[pin], doc.m_sPinUsedFor[pin]);
    else if (!doc.m_sPinUsedBy[pin].isEmpty() || !doc.m_sPinUsedFor[pin].isEmpty() ||
             !doc.m_sPinNotes[pin].isEmpty())
      line = QStringLiteral("%1 free").arg(pin);
    if (line.isEmpty()) continue;
    if (!doc.m_sPinNotes[pin].isEmpty()) line += QStringLiteral(" [%1]").arg(doc.m_sPinNotes[pin]);
    lines.append(line);
  }
  return lines;
}

// The complete pin table, for before/after comparisons.
inline QStringList PinTableSnapshot(const CKyvDoc& doc) {
  QStringList entries;
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin)
    entries.append(QStringLiteral("%1|%2|%3|%4")
                       .arg(doc.m_bPinUsed[pin] ? 1 : 0)
                       .arg(doc.m_sPinUsedBy[pin], doc.m_sPinUsedFor[pin], doc.m_sPinNotes[pin]));
  return entries;
}

// The field of a key, as the dialog is built from it; a default field when there is none.
inline CEditorField FieldOf(CObjectEditor& editor, const QString& key) {
  for (const CEditorField& field : editor.Fields())
    if (field.m_sKey == key) return field;
  return {};
}

// A field's value as text (an index for radio groups and lists, a position for sliders).
inline QString ValueOf(CObjectEditor& editor, const QString& key) {
  return FieldOf(editor, key).ValueText();
}

// Sets fields by key as kyv-cli does, each control's handler running as in the dialog; false
// when a key is unknown or a value does not fit.
inline bool SetValues(CObjectEditor& editor, const CValues& values) {
  for (const auto& [key, value] : values) {
    QList<CEditorField> fields = editor.Fields();  // anew: a change may alter the dialog
    bool found = false;
    for (CEditorField& field : fields) {
      if (field.m_sKey != key || !field.IsSettable()) continue;
      if (!field.SetFromText(value, nullptr)) return false;
      found = true;
      break;
    }
    if (!found) return false;
  }
  return true;
}

// Presses a push button as the dialog does; false when the key names no button.
inline bool PressButton(CObjectEditor& editor, const QString& key) {
  const CEditorField button = FieldOf(editor, key);
  if (button.m_sKey != key || button.m_kind != FieldKind::Button || !button.m_onChanged)
    return false;
  button.m_onChanged();
  return true;
}

struct CEditorFixture {
  CTestPlatform m_test;
  CKyvDoc m_doc{m_test.Services()};

  CEditorFixture() { m_doc.OnNewDocument(); }

  // A new record with its editor opened in new mode.
  struct CNewObject {
    std::unique_ptr<CCodeObject> m_record = std::make_unique<CCodeObject>();
    std::unique_ptr<CObjectEditor> m_editor;
  };

  CNewObject Open(int kind) {
    CNewObject object;
    object.m_editor = CreateEditor(kind);
    if (object.m_editor)
      object.m_editor->Open(object.m_record.get(), &m_doc, CObjectEditor::kNewMode);
    return object;
  }

  // New mode, the values, OK; accepted objects are added to the project. nullptr otherwise.
  CCodeObject* Add(int kind, const CValues& values = {}) {
    CNewObject object = Open(kind);
    if (!object.m_editor || !SetValues(*object.m_editor, values) || !object.m_editor->OnOK())
      return nullptr;
    return m_doc.AddObject(std::move(object.m_record));
  }

  // Edit mode on an existing object, the values, OK; whether the OK was accepted.
  bool Edit(CCodeObject* object, const CValues& values = {}) {
    std::unique_ptr<CObjectEditor> editor = CreateEditor(object->m_nType);
    if (!editor) return false;
    editor->Open(object, &m_doc, CObjectEditor::kEditMode);
    return SetValues(*editor, values) && editor->OnOK();
  }

  QStringList Messages() const { return MessageLines(m_test.m_messages); }
  void ClearMessages() { m_test.m_messages.Clear(); }
};
