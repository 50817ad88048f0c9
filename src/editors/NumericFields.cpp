#include "editors/NumericFields.h"

#include <optional>

#include "model/CodeObject.h"
#include "model/KindSlots.h"
#include "model/KyvDoc.h"
#include "model/ObjectType.h"

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<int64_t> ParseNumber(const QString& text, int base) {
  const QString trimmed = text.trimmed();
  qsizetype i = 0;
  const bool negative = base == 10 && trimmed.startsWith(u'-');
  if (negative) ++i;
  int64_t value = 0;
  int digits = 0;
  for (; i < trimmed.size(); ++i) {
    const QChar c = trimmed[i];
    if (c == u'_' && digits > 0) continue;
    const int digit = c.isDigit() ? c.digitValue()
                      : base == 16 && c.toUpper() >= u'A' && c.toUpper() <= u'F'
                          ? c.toUpper().unicode() - u'A' + 10
                          : -1;
    if (digit < 0 || c.unicode() > 0x7F) return std::nullopt;
    // Sixteen digits are more than any range here; more could overflow.
    if (++digits > 16) return std::nullopt;
    value = value * base + digit;
  }
  if (digits == 0) return std::nullopt;
  return negative ? -value : value;
}

QString Bound(const CNumericField& field, int64_t value) {
  return field.m_nBase == 16 ? u"$"_s + QString::number(value, 16).toUpper()
                             : QString::number(value);
}

QString FieldName(const CNumericField& field) {
  QString name = field.m_sLabel;
  if (name.endsWith(u':')) name.chop(1);
  return name;
}

QString RangeText(const CNumericField& field) {
  return u"a whole number%1 from %2 to %3"_s.arg(
      field.m_nBase == 16 ? u" in hexadecimal"_s : QString(), Bound(field, field.m_nMin),
      Bound(field, field.m_nMax));
}

}  // namespace

const QList<CNumericField>& NumericFields() {
  // The ranges: the I2C driver's setup() takes 1..1000 kHz; a string of LEDs needs one long of
  // hub RAM per LED (100 000 leave room for the program); the colour is 0xRRGGBB; the hold-off
  // slider's steps of 100 us; the servo's 0..180 degrees are 600..2400 us; WXPIN's base period
  // is 16 bits; the mouse works in screen pixels; each filter's length is one of four and its
  // tap a 5-bit code; the DAC is 8 bits; the ADC's sample period is 2^1..2^13 clocks.
  static const QList<CNumericField> fields = {
      {OBJ_I2C_BUS, u"Speed (kHz):"_s, I2cBusSlots::SpeedKHz, 1, 1000},
      {OBJ_NEOPIXEL, u"#LEDs in string:"_s, NeopixelSlots::LedCount, 1, 100'000},
      {OBJ_NEOPIXEL, u"Color"_s, NeopixelSlots::ColorText, 0, 0xFFFFFF, 16},
      {OBJ_NEOPIXEL, u"Red:"_s, NeopixelSlots::Red, 0, 255},
      {OBJ_NEOPIXEL, u"Green:"_s, NeopixelSlots::Green, 0, 255},
      {OBJ_NEOPIXEL, u"Blue:"_s, NeopixelSlots::Blue, 0, 255},
      {OBJ_NEOPIXEL, u"LED Type"_s, NeopixelSlots::LedType, 0, 4},
      {OBJ_NEOPIXEL, u"Holdoff:"_s, NeopixelSlots::Holdoff, 1, 50},
      {OBJ_NCO, u"WXPIN:"_s, NcoSlots::WxPin, 1, 0xFFFF, 16},
      {OBJ_NCO, u"WYPIN:"_s, NcoSlots::WyPin, 0, 0xFFFFFFFF, 16},
      {OBJ_SERVO, u"Starting Position:"_s, ServoSlots::Degrees, 0, 180},
      {OBJ_SERVO, u"Starting Position [us]:"_s, ServoSlots::Microseconds, 600, 2400},
      {OBJ_USB_KBM, u"Using Parallax Adapter"_s, UsbKbmSlots::Configuration, 0, 1},
      {OBJ_USB_KBM, u"Port"_s, UsbKbmSlots::Port, 0, 1},
      {OBJ_USB_KBM, u"Mouse Limits X:"_s, UsbKbmSlots::LimitX, 1, 32767},
      {OBJ_USB_KBM, u"Mouse Limits Y:"_s, UsbKbmSlots::LimitY, 1, 32767},
      {OBJ_USB_KBM, u"Mouse Initial Position X:"_s, UsbKbmSlots::StartX, 0, 32767},
      {OBJ_USB_KBM, u"Mouse Initial Position Y:"_s, UsbKbmSlots::StartY, 0, 32767},
      {OBJ_DIGITAL_FILTERS, u"Filter0 Length"_s, FiltersSlots::Length(0), 0, 3},
      {OBJ_DIGITAL_FILTERS, u"Filter1 Length"_s, FiltersSlots::Length(1), 0, 3},
      {OBJ_DIGITAL_FILTERS, u"Filter2 Length"_s, FiltersSlots::Length(2), 0, 3},
      {OBJ_DIGITAL_FILTERS, u"Filter3 Length"_s, FiltersSlots::Length(3), 0, 3},
      {OBJ_DIGITAL_FILTERS, u"Filter0 Tap"_s, FiltersSlots::Tap(0), 0, 31},
      {OBJ_DIGITAL_FILTERS, u"Filter1 Tap"_s, FiltersSlots::Tap(1), 0, 31},
      {OBJ_DIGITAL_FILTERS, u"Filter2 Tap"_s, FiltersSlots::Tap(2), 0, 31},
      {OBJ_DIGITAL_FILTERS, u"Filter3 Tap"_s, FiltersSlots::Tap(3), 0, 31},
      {OBJ_DAC, u"Analog Output Level:"_s, DacSlots::Level, 0, 255},
      {OBJ_DAC, u"Drive and Range"_s, DacSlots::Drive, 0, 3},
      {OBJ_ADC, u"Sample Clocks:"_s, AdcSlots::SampleExponent, 1, 13},
      {OBJ_ADC, u"Filter"_s, AdcSlots::Filter, 0, 2},
  };
  return fields;
}

QString NumberTextProblem(const CNumericField& field, const QString& text) {
  const std::optional<int64_t> value = ParseNumber(text, field.m_nBase);
  if (value && *value >= field.m_nMin && *value <= field.m_nMax) return QString();
  return u"%1 \"%2\" is not %3."_s.arg(FieldName(field), text, RangeText(field));
}

QString NumberValueProblem(const CNumericField& field, int64_t value) {
  if (value >= field.m_nMin && value <= field.m_nMax) return QString();
  return u"%1 %2 is not %3."_s.arg(FieldName(field), QString::number(value), RangeText(field));
}

QStringList StoredNumberProblems(const CCodeObject& record) {
  QStringList problems;
  for (const CNumericField& field : NumericFields()) {
    if (field.m_nKind != record.m_nType) continue;
    const QString problem = std::visit(
        [&](const auto& slot) {
          if constexpr (std::is_same_v<std::decay_t<decltype(slot)>, CTextSlot>)
            return NumberTextProblem(field, record[slot]);
          else
            return NumberValueProblem(field, record[slot]);
        },
        field.m_slot);
    if (!problem.isEmpty()) problems.append(problem);
  }
  return problems;
}

QStringList SettingNumberProblems(const CKyvDoc& doc) {
  // loadp2 and the serial driver take any rate; 300 baud is the slowest a terminal offers and
  // 10 Mbaud well above what a USB serial adapter carries.
  static const CNumericField baud{-1, u"\"-b Specify terminal baud\" value"_s, CTextSlot{}, 300,
                                  10'000'000};
  if (!doc.m_bUseBaud) return {};
  const QString problem = NumberTextProblem(baud, doc.m_sBaud);
  return problem.isEmpty() ? QStringList{} : QStringList{u"The setting "_s + problem};
}
