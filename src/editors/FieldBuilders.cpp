#include "editors/FieldBuilders.h"

#include <utility>

namespace {

CEditorField Field(FieldKind kind, const QString& key, const QString& label, const QString& help) {
  CEditorField field;
  field.m_kind = kind;
  field.m_sKey = key;
  field.m_sLabel = label;
  field.m_sHelp = help;
  return field;
}

}  // namespace

CEditorField TextField(const QString& key, const QString& label, const QString& help,
                       QString* member) {
  CEditorField field = Field(FieldKind::Text, key, label, help);
  field.m_pText = member;
  return field;
}

CEditorField RadioField(const QString& key, const QString& caption, const QStringList& radios,
                        const QString& help, int* member) {
  CEditorField field = Field(FieldKind::Radio, key, caption, help);
  field.m_items = radios;
  field.m_pIndex = member;
  return field;
}

CEditorField CheckField(const QString& key, const QString& label, const QString& help,
                        bool* member) {
  CEditorField field = Field(FieldKind::Check, key, label, help);
  field.m_pFlag = member;
  return field;
}

CEditorField SliderField(const QString& key, const QString& label, int min, int max,
                         const QString& help, int* member) {
  CEditorField field = Field(FieldKind::Slider, key, label, help);
  field.m_nMin = min;
  field.m_nMax = max;
  field.m_pIndex = member;
  return field;
}

CEditorField DisplayField(const QString& key, const QString& label, QString* member) {
  CEditorField field = Field(FieldKind::Display, key, label, QString());
  field.m_pText = member;
  return field;
}

CEditorField ButtonField(const QString& key, const QString& label, std::function<void()> pressed) {
  CEditorField field = Field(FieldKind::Button, key, label, QString());
  field.m_onChanged = std::move(pressed);
  return field;
}

CEditorField NoteField(const QString& key, const QString& text) {
  return Field(FieldKind::Note, key, text, QString());
}

CEditorField InGroup(CEditorField field, const QString& group) {
  field.m_sGroup = group;
  return field;
}
