#include "codegen/ModeExpressions.h"

#include <array>

#include "model/CodeObject.h"
#include "model/KindSlots.h"

using namespace Qt::Literals::StringLiterals;

namespace {

template <std::size_t N>
QString Pick(const std::array<const char16_t*, N>& names, int index) {
  return index >= 0 && index < static_cast<int>(N) ? QString::fromUtf16(names[index]) : QString();
}

}  // namespace

QString DigitalIoModeExpression(const CCodeObject& object) {
  static const std::array<const char16_t*, 8> sources = {
      u"P_LOCAL_A|",  u"P_PLUS1_A|",  u"P_PLUS2_A|",  u"P_PLUS3_A|",
      u"P_OUTBIT_A|", u"P_MINUS3_A|", u"P_MINUS2_A|", u"P_MINUS1_A|"};
  static const std::array<const char16_t*, 5> filters = {
      u"P_PASS_AB|", u"P_FILT0_AB|", u"P_FILT1_AB|", u"P_FILT2_AB|", u"P_FILT3_AB|"};
  static const std::array<const char16_t*, 8> highDrives = {
      u"P_HIGH_FAST|", u"P_HIGH_1K5|",   u"P_HIGH_15K|",  u"P_HIGH_150K|",
      u"P_HIGH_1MA|",  u"P_HIGH_100UA|", u"P_HIGH_10UA|", u"P_HIGH_FLOAT|"};
  static const std::array<const char16_t*, 8> lowDrives = {
      u"P_LOW_FAST|", u"P_LOW_1K5|",   u"P_LOW_15K|",  u"P_LOW_150K|",
      u"P_LOW_1MA|",  u"P_LOW_100UA|", u"P_LOW_10UA|", u"P_LOW_FLOAT|"};

  QString mode = u"P_TRUE_A|"_s;
  mode += Pick(sources, object[DigitalSlots::Source]);
  mode += Pick(filters, object[DigitalSlots::Filter]);
  mode += object[DigitalSlots::InvertInput] ? u"P_INVERT_IN|"_s : u"P_TRUE_IN|"_s;
  mode += object[DigitalSlots::InvertOutput] ? u"P_INVERT_OUTPUT|"_s : u"P_TRUE_OUTPUT|"_s;
  mode += Pick(highDrives, object[DigitalSlots::HighDrive]);
  mode += Pick(lowDrives, object[DigitalSlots::LowDrive]);
  mode += object[DigitalSlots::Clocked] ? u"P_SYNC_IO|"_s : u"P_ASYNC_IO|"_s;
  mode += u"P_NORMAL"_s;
  return mode;
}

QString DacModeName(const CCodeObject& object) {
  static const std::array<const char16_t*, 4> modes = {u"P_DAC_990R_3V", u"P_DAC_600R_2V",
                                                       u"P_DAC_124R_3V", u"P_DAC_75R_2V"};
  return Pick(modes, object[DacSlots::Drive]);
}
