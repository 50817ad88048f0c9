#include "codegen/SingleByteCheck.h"

#include <QChar>
#include <QList>

#include "codegen/ToolChecks.h"
#include "codegen/kinds/KindBlocks.h"
#include "model/KyvDoc.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct CTextField {
  QString m_sWhere;
  QString m_sValue;
};

void AddSetting(QList<CTextField>& fields, const QString& label, const QString& value) {
  fields.append({u"the setting \""_s + label + u'"', value});
}

// The settings the scripts and the main file hold, with the labels of the settings tab.
void AddSettingFields(const CKyvDoc& doc, QList<CTextField>& fields) {
  fields.append({u"the project file name \""_s + doc.GetTitle() + u'"', doc.GetTitle()});
  AddSetting(fields, FlexSpinFolderLabel().trimmed(), doc.m_sFlexSpinPath);
  if (doc.m_bUseLibraryPath)
    AddSetting(fields, u"-L Use Additional Library Folder"_s, doc.m_sLibraryPath);
  if (doc.m_bUseOptLevel) AddSetting(fields, u"-O Specify Optimization Level"_s, doc.m_sOptLevel);
  if (doc.m_bUseFlexOptions)
    AddSetting(fields, u"Add these additional options: (FlexSpin)"_s, doc.m_sFlexOptions);
  AddSetting(fields, LoadP2FolderLabel().trimmed(), doc.m_sLoadP2Path);
  if (doc.m_bUsePlan9) AddSetting(fields, u"-9 Use Plan9 to access PC Folder:"_s, doc.m_sPlan9Path);
  if (doc.m_bUseBaud) AddSetting(fields, u"-b Specify terminal baud"_s, doc.m_sBaud);
  if (doc.m_bUseLoadP2Options)
    AddSetting(fields, u"Add these additional options: (LoadP2)"_s, doc.m_sLoadP2Options);
  AddSetting(fields, u"P2 Core Frequency:"_s, doc.m_sClockFreq);
  if (doc.m_bMountSd) {
    AddSetting(fields, u"SD Card Pins: MISO"_s, doc.m_sSdMiso);
    AddSetting(fields, u"SD Card Pins: MOSI"_s, doc.m_sSdMosi);
    AddSetting(fields, u"SD Card Pins: CS"_s, doc.m_sSdCs);
    AddSetting(fields, u"SD Card Pins: CLK"_s, doc.m_sSdClk);
  }
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
