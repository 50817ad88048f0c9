#include "codegen/SingleByteCheck.h"

#include <QChar>
#include <QList>

#include "codegen/kinds/KindBlocks.h"
#include "model/KyvDoc.h"
#include "model/ProjectSettings.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct CTextField {
  QString m_sWhere;
  QString m_sValue;
  bool m_bInScripts = false;  // build.bat and load.bat hold it
};

// The project file name and the settings the scripts and the main file hold, with the labels of
// the settings tab.
void AddSettingFields(const CKyvDoc& doc, QList<CTextField>& fields) {
  fields.append({u"the project file name \""_s + doc.GetTitle() + u'"', doc.GetTitle(), true});
  for (const CProjectSetting* setting : SettingsInCheckOrder())
    if (!setting->m_pUsedWhen || doc.*setting->m_pUsedWhen)
      fields.append({u"the setting \""_s + setting->m_sCheckLabel + u'"',
                     doc.*std::get<QString CKyvDoc::*>(setting->m_member),
                     IsScriptSetting(*setting)});
}

// The texts of one object that its kind's blocks copy into the main file, with the labels of
// its editor.
void AddObjectFields(const CKindBlocks& blocks, const CCodeObject& object,
                     QList<CTextField>& fields) {
  if (!blocks.m_pCopiedTexts) return;
  QList<CCopiedText> texts;
  blocks.m_pCopiedTexts(object, texts);
  for (const CCopiedText& text : texts)
    fields.append(
        {u"field \""_s + text.m_sLabel + u"\" of object "_s + object.m_sName, text.m_sValue});
}

bool IsScriptUnsafe(char32_t codePoint) {
  return codePoint == u'%' || codePoint == u'"' || codePoint == u'^' || codePoint == u'<' ||
         codePoint == u'>';
}

bool IsControl(char32_t codePoint) {
  return codePoint != u'\t' && QChar::category(codePoint) == QChar::Other_Control;
}

template <typename Predicate>
std::optional<CUnwritableText> FindInGeneratedTexts(const CKyvDoc& doc, Predicate unwritable) {
  QList<CTextField> fields;
  AddSettingFields(doc, fields);
  ForEachObjectBlocks(doc, [&](const CKindBlocks& blocks, const CCodeObject& object) {
    AddObjectFields(blocks, object, fields);
  });
  for (const CTextField& field : fields)
    for (const char32_t codePoint : field.m_sValue.toUcs4())
      if (unwritable(codePoint)) return CUnwritableText{field.m_sWhere, codePoint};
  return std::nullopt;
}

}  // namespace

std::optional<CUnwritableText> FindUnwritableText(const CKyvDoc& doc) {
  return FindInGeneratedTexts(
      doc, [](char32_t codePoint) { return codePoint > 0xFF || IsControl(codePoint); });
}

std::optional<CUnwritableText> FindControlCharacter(const CKyvDoc& doc) {
  return FindInGeneratedTexts(doc, IsControl);
}

std::optional<CUnwritableText> FindScriptUnsafeText(const CKyvDoc& doc) {
  QList<CTextField> fields;
  AddSettingFields(doc, fields);
  fields.removeIf([](const CTextField& field) { return !field.m_bInScripts; });
  for (const CTextField& field : fields)
    for (const char32_t codePoint : field.m_sValue.toUcs4())
      if (IsScriptUnsafe(codePoint)) return CUnwritableText{field.m_sWhere, codePoint};
  return std::nullopt;
}

QString ScriptUnsafeTextDescription(const CUnwritableText& found) {
  return found.m_sWhere + u" holds the character \""_s + QString::fromUcs4(&found.m_nCodePoint, 1) +
         u"\", which cmd.exe would not pass on as written in build.bat and load.bat."_s;
}

QString ScriptUnsafeTextMessage(const CUnwritableText& found) {
  return u"Error:  Can't generate files: "_s + ScriptUnsafeTextDescription(found) +
         u" Remove it and generate again."_s;
}

QString UnwritableTextDescription(const CUnwritableText& found) {
  // The field's description holds the object's name, which may hold the character itself.
  QString where = found.m_sWhere;
  for (QChar& c : where)
    if (IsControl(c.unicode())) c = u'?';
  const QString code =
      u"U+%1"_s.arg(static_cast<uint>(found.m_nCodePoint), 4, 16, QChar(u'0')).toUpper();
  if (IsControl(found.m_nCodePoint))
    return where + u" holds the control character "_s + code +
           u", which cannot be written into a generated file."_s;
  const QString character = QString::fromUcs4(&found.m_nCodePoint, 1);
  return where + u" holds the character \""_s + character + u"\" ("_s + code +
         u"), which cannot be written as a single byte."_s;
}

QString UnwritableTextMessage(const CUnwritableText& found) {
  return u"Error:  Can't generate files: "_s + UnwritableTextDescription(found) +
         u" Change it and generate again."_s;
}
