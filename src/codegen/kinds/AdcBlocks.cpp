#include "codegen/kinds/KindBlocks.h"
#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

// The generated lines stay one per source line, as they read in the file: no reflowing here.
// clang-format off

namespace {

// 2^n for the ADC's sample period (the editor keeps n within 1..13); 0 beyond 64 bits.
qint64 PowerOfTwo(int n) { return n < 0 ? 0 : n > 62 ? 0 : qint64(1) << n; }

void Constants(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const int n = object[AdcSlots::SampleExponent];
  out += u"\n  'ADC Constants\n"_s;
  out += name + u"_AnalogPin = "_s + object[Slot::BasePin] + u"\n"_s;
  out += name + u"_WRPIN = ("_s + object[AdcSlots::SourceConstant] + object[AdcSlots::GainConstant] + u"|P_ADC)\n"_s;
  if (object[AdcSlots::Filter] == 0)
    out += name + u"_WXPIN = ("_s + Dec(n) + u")\n"_s;
  else if (object[AdcSlots::Filter] == 1)
    out += name + u"_WYPIN = ("_s + Dec(PowerOfTwo(n)) + u")  'clocks 10..8192\n"_s;
  else
    out += name + u"_WYPIN =("_s + Dec(PowerOfTwo(n)) + u")  'clocks 16..512\n"_s;
}

// Two instance lines of one name do not build: every ADC object uses the one adc instance.
void SharedObjLines(QString& out) { out += u"  adc : \"adc\"  'ADC driver for P2\n"_s; }

void Setup(const CKyvDoc&, const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  switch (object[AdcSlots::Filter]) {
    case 0:
      out += u"\n'Configure ADC mode on I/O pin "_s + name + u" in sampling mode\n"_s;
      out += u"  adc.StartSampling("_s + name + u"_AnalogPin, "_s + name + u"_WRPIN, "_s + name + u"_WXPIN)\n"_s;
      break;
    case 1:
      out += u"\n'Configure ADC mode on I/O pin "_s + name + u" in SINC2 filtering mode\n"_s;
      out += u"  adc.StartSinc2("_s + name + u"_AnalogPin, "_s + name + u"_WYPIN)\n"_s;
      break;
    default:
      out += u"\n'Configure ADC mode on I/O pin "_s + name + u" in SINC3 filtering mode\n"_s;
      out += u"  adc.StartSinc3("_s + name + u"_AnalogPin, "_s + name + u"_WYPIN)\n"_s;
      break;
  }
}

// What an ADC object's loop block shows, by its filter: sampling, SINC2 or SINC3 (any other).
struct CAdcReading {
  const char16_t* m_mode;  // as the heading names it
  const char16_t* m_calibratedMethod;
  const char16_t* m_rawMethod;
  bool m_bFiltered;  // the method also takes the WRPIN and WYPIN values
};

const CAdcReading& AdcReading(int filter) {
  static const CAdcReading sampling = {u"SINC2 sampling", u"ResultSampling", u"RawSampling", false};
  static const CAdcReading sinc2 = {u"SINC2 filtering", u"ResultSinc2", u"RawSinc2", true};
  static const CAdcReading sinc3 = {u"SINC3 filtering", u"ResultSinc3", u"RawSinc3", true};
  return filter == 0 ? sampling : filter == 1 ? sinc2 : sinc3;
}

void Loop(const CCodeObject& object, QString& out) {
  const QString& name = object.m_sName;
  const CAdcReading& reading = AdcReading(object[AdcSlots::Filter]);
  const bool calibrated = object[AdcSlots::ShowCalibrated];
  const QString which = calibrated ? u"calibrated"_s : u"uncalibrated"_s;
  const QString method = QString::fromUtf16(calibrated ? reading.m_calibratedMethod : reading.m_rawMethod);
  const QString arguments = reading.m_bFiltered
                                ? name + u"_AnalogPin, "_s + name + u"_WRPIN, "_s + name + u"_WYPIN"_s
                                : name + u"_AnalogPin"_s;
  out += u"\n'Show "_s + name + u" "_s + which + u" reading in "_s + QString::fromUtf16(reading.m_mode) + u" mode\n"_s;
  out += u"  ser.str(string(\"ADC "_s + name + u" "_s + which + u" reading = \"))\n"_s;
  out += u"  ser.dec(adc."_s + method + u"("_s + arguments + u"))\n"_s;
  if (calibrated) out += u"  ser.str(string(\" millivolts\"))\n"_s;
}

void CopiedTexts(const CCodeObject& object, QList<CCopiedText>& texts) {
  texts.append({u"Object Name:"_s, object.m_sName});
  texts.append({u"I/O Pin#:"_s, object[Slot::BasePin]});
  texts.append({u"This Pin Gain"_s, object[AdcSlots::GainConstant]});
  texts.append({u"ADC Source *"_s, object[AdcSlots::SourceConstant]});
}

}  // namespace

extern const CKindBlocks kAdcBlocks = {.m_pConstants = Constants, .m_pSharedObjLines = SharedObjLines, .m_pSetup = Setup,
                                       .m_pLoop = Loop, .m_pCopiedTexts = CopiedTexts};
// clang-format on
