#include "codegen/SingleByteCheck.h"

#include <QChar>
#include <QList>

#include "model/KyvDoc.h"
#include "model/ProjectSettings.h"

using namespace Qt::Literals::StringLiterals;

namespace {

struct CTextField {
  QString m_sWhere;
  QString m_sValue;
};

// The project file name and the settings the scripts and the main file hold, with the labels of
// the settings tab.
void AddSettingFields(const CKyvDoc& doc, QList<CTextField>& fields) {
  fields.append({u"the project file name \""_s + doc.GetTitle() + u'"', doc.GetTitle()});
  for (const CProjectSetting* setting : SettingsInCheckOrder())
    if (!setting->m_pUsedWhen || doc.*setting->m_pUsedWhen)
      fields.append({u"the setting \""_s + setting->m_sCheckLabel + u'"',
                     doc.*std::get<QString CKyvDoc::*>(setting->m_member)});
}

// The texts of one object that its kind's blocks copy into the main file, with the labels of
// its editor.
void AddObjectFields(const CCodeObject& object, QList<CTextField>& fields) {
  auto add = [&](const QString& label, const QString& value) {
    fields.append({u"field \""_s + label + u"\" of object "_s + object.m_sName, value});
  };
  switch (object.m_nType) {
    case OBJ_SIMPLE_VGA:
    case OBJ_SIMPLE_QVGA:
    case OBJ_SIMPLE_HDMI:
      add(u"Object Name:"_s, object.m_sName);
      add(u"Basepin:"_s, object.m_sBasePin);
      break;
    case OBJ_I2C_BUS:
      add(u"Object Name:"_s, object.m_sName);
      add(u"SCL Pin:"_s, object.m_sText[6]);
      add(u"SDA Pin:"_s, object.m_sText[5]);
      add(u"Speed (kHz):"_s, object.m_sString);
      break;
    case OBJ_NEOPIXEL:
      add(u"Object Name:"_s, object.m_sName);
      add(u"I/O Pin:"_s, object.m_sBasePin);
      add(u"#LEDs in string:"_s, object.m_sParam[2]);
      add(u"Color"_s, object.m_sParam[0]);
      break;
    case OBJ_NCO:  // its block names no object
      add(u"I/O Pin:"_s, object.m_sBasePin);
      add(u"WXPIN:"_s, object.m_sParam[0]);
      add(u"WYPIN:"_s, object.m_sParam[1]);
      break;
    case OBJ_RTC:
      add(u"Object Name:"_s, object.m_sName);
      add(u"I2C Bus:"_s, object.m_sParam[0]);
      break;
    case OBJ_SIMPLE_SOUND:
      add(u"Object Name:"_s, object.m_sName);
      add(u"Left I/O Pin:"_s, object.m_sParam[0]);
      add(u"Right I/O Pin:"_s, object.m_sParam[1]);
      break;
    case OBJ_SERVO:
      add(u"Object Name:"_s, object.m_sName);
      add(u"I/O Pin:"_s, object.m_sBasePin);
      add(u"Starting Position:"_s, object.m_bParam[0] ? object.m_sParam[1] : object.m_sParam[0]);
      break;
    case OBJ_DIGITAL_IO:
      add(u"Object Name:"_s, object.m_sName);
      add(u"I/O Pin#:"_s, object.m_sBasePin);
      break;
    case OBJ_DIGITAL_FILTERS:  // the name appears only in the lines of enabled filters
      if (object.m_bParam[0] || object.m_bParam[1] || object.m_bParam[2] || object.m_bParam[3])
        add(u"Object Name:"_s, object.m_sName);
      break;
    case OBJ_DAC:
      add(u"Object Name:"_s, object.m_sName);
      add(u"I/O Pin:"_s, object.m_sBasePin);
      break;
    case OBJ_ADC:
      add(u"Object Name:"_s, object.m_sName);
      add(u"I/O Pin#:"_s, object.m_sBasePin);
      add(u"This Pin Gain"_s, object.m_sParam[0]);
      add(u"ADC Source *"_s, object.m_sParam[1]);
      break;
    case OBJ_USB_KBM:  // the adapter's pins are numbers derived from the base pin
      add(u"Object Name:"_s, object.m_sName);
      if (object.m_nParam[0] != 0) {
        add(u"DM Pin:"_s, object.m_sParam[0]);
        add(u"Activity LED Pin:"_s, object.m_sParam[1]);
        add(u"Error LED Pin:"_s, object.m_sParam[2]);
        if (object.m_bParam[2]) add(u"Power Enable Pin:"_s, object.m_sParam[3]);
      }
      break;
    case OBJ_CAMERA:
      add(u"Object Name:"_s, object.m_sName);
      add(u"Basepin:"_s, object.m_sBasePin);
      add(u"I2C Bus:"_s, object.m_sParam[0]);
      add(u"Camera Type:"_s, object.m_sParam[1]);
      add(u"QVGA Object:"_s, object.m_sParam[2]);
      break;
    default:  // Tiled 1080p and unknown kinds write nothing
      break;
  }
}

}  // namespace

namespace {

bool IsControl(char32_t codePoint) {
  return codePoint != u'\t' && QChar::category(codePoint) == QChar::Other_Control;
}

template <typename Predicate>
std::optional<CUnwritableText> FindInGeneratedTexts(const CKyvDoc& doc, Predicate unwritable) {
  QList<CTextField> fields;
  AddSettingFields(doc, fields);
  for (const auto& object : doc.m_ObjectList) AddObjectFields(*object, fields);
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
