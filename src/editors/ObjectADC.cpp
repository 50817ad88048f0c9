#include "editors/ObjectADC.h"

#include <algorithm>

namespace {

struct CAdcChoice {
  const char16_t* m_radio;
  const char16_t* m_constant;  // the P2 constant name the generators put into the mode word
};

constexpr CAdcChoice kGains[] = {
    {u"1X", u"P_ADC_1X"},     {u"3.16X", u"P_ADC_3X"},  {u"10X", u"P_ADC_10X"},
    {u"31.6X", u"P_ADC_30X"}, {u"100X", u"P_ADC_100X"},
};

constexpr CAdcChoice kSources[] = {
    {u"This Pin", u"P_LOCAL_A|"}, {u"Pin# +1", u"P_PLUS1_A|"},   {u"Pin# +2", u"P_PLUS2_A|"},
    {u"Pin# +3", u"P_PLUS3_A|"},  {u"This OUT", u"P_OUTBIT_A|"}, {u"Pin# -3", u"P_MINUS3_A|"},
    {u"Pin# -2", u"P_MINUS2_A|"}, {u"Pin# -1", u"P_MINUS1_A|"},
};

struct CSliderRange {
  int m_nMin;
  int m_nMax;
};

// Sample-period exponents each filter allows; an unknown filter index gets Sampling's.
CSliderRange FilterRange(int filter) {
  switch (filter) {
    case CObjectADC::kSinc2:
      return {4, 13};
    case CObjectADC::kSinc3:
      return {4, 9};
    default:
      return {1, 13};
  }
}

template <std::size_t N>
QStringList RadioTexts(const CAdcChoice (&choices)[N]) {
  QStringList texts;
  for (const CAdcChoice& choice : choices) texts.append(QString::fromUtf16(choice.m_radio));
  return texts;
}

// The constant for an index, or "" for an index no radio has (a damaged file).
template <std::size_t N>
QString ConstantFor(const CAdcChoice (&choices)[N], int index) {
  if (index < 0 || index >= static_cast<int>(N)) return QString();
  return QString::fromUtf16(choices[index].m_constant);
}

}  // namespace

void CObjectADC::LoadDefaults() {
  m_sPin = ProposedPin(50);
  m_nFilter = kSampling;
  m_nSampleExponent = 13;
  m_nGain = 0;
  m_nSource = 0;
  m_bShowCalibrated = true;
  m_nClockSource = 0;
  ApplyFilterRange();
  OnSliderMoved();
}

void CObjectADC::AfterRecordLoaded() {
  m_nClockSource = 0;
  // The slider's range depends on the filter just loaded: the stored exponent is brought into
  // that range, not into the one the slider had before.
  m_nSampleExponent = (*m_pObject)[AdcSlots::SampleExponent];
  ApplyFilterRange();
  OnSliderMoved();
}

void CObjectADC::ApplyFilterRange() {
  const CSliderRange range = FilterRange(m_nFilter);
  m_nSliderMin = range.m_nMin;
  m_nSliderMax = range.m_nMax;
  m_nSampleExponent = std::clamp(m_nSampleExponent, m_nSliderMin, m_nSliderMax);
}

void CObjectADC::OnFilterChosen() {
  ApplyFilterRange();
  m_nSampleExponent = m_nSliderMax;
  OnSliderMoved();
}

void CObjectADC::OnSliderMoved() { m_sSampleClocks = QString::number(1 << m_nSampleExponent); }

bool CObjectADC::DoOK() {
  WriteCommonRecord();
  WritePinRecord();
  CCodeObject& record = *m_pObject;
  record[AdcSlots::GainConstant] = ConstantFor(kGains, m_nGain);
  record[AdcSlots::SourceConstant] = ConstantFor(kSources, m_nSource);
  // The generator reads every filter index but 0 and 1 as SINC3, whose period must not exceed
  // 2^9 clocks; an index no radio has (a damaged file) got Sampling's range instead.
  if (m_nFilter < kSampling || m_nFilter > kSinc3)
    return Reject(QStringLiteral("Please choose one of the \"Filter\" options."));
  if (record[AdcSlots::GainConstant].isEmpty())
    return Reject(QStringLiteral("Please choose one of the \"This Pin Gain\" options."));
  if (record[AdcSlots::SourceConstant].isEmpty())
    return Reject(QStringLiteral("Please choose one of the \"ADC Source *\" options."));
  // A neighbouring source pin is only read, never claimed.
  return CheckAndClaimPin(QStringLiteral("Analog To Digital"));
}

QList<CEditorField> CObjectADC::Fields() {
  CEditorField clockSource = CEditorField::RadioGroup(
      QStringLiteral("Clock Source"), QStringLiteral("always Internal"),
      {QStringLiteral("Internal"), QStringLiteral("External")}, &m_nClockSource);
  clockSource.m_disabledItems = {1};
  CEditorField sampleClocks =
      CEditorField::Display(QStringLiteral("sampleClockCount"),
                            QStringLiteral("clocks per sample, 2^N"), &m_sSampleClocks);

  return {
      DescriptionField(),
      NameField(),
      PinField(QStringLiteral("I/O Pin#:")),
      CEditorField::Check(QStringLiteral("Show Calibrated Result ^"),
                          QStringLiteral("print calibrated rather than raw readings"),
                          &m_bShowCalibrated)
          .StoredIn(AdcSlots::ShowCalibrated),
      CEditorField::RadioGroup(QStringLiteral("This Pin Gain"), QStringLiteral("ADC gain"),
                               RadioTexts(kGains), &m_nGain)
          .StoredIn(AdcSlots::Gain),
      CEditorField::RadioGroup(QStringLiteral("ADC Source *"),
                               QStringLiteral("pin whose bitstream is counted"),
                               RadioTexts(kSources), &m_nSource)
          .StoredIn(AdcSlots::Source),
      CEditorField::RadioGroup(
          QStringLiteral("Filter"),
          QStringLiteral("choosing one moves sampleClocks to the top of its range "
                         "(Sampling 1..13, SINC2 4..13, SINC3 4..9)"),
          {QStringLiteral("Sampling"), QStringLiteral("SINC2"), QStringLiteral("SINC3")},
          &m_nFilter)
          .WhenChanged([this] { OnFilterChosen(); })
          .StoredIn(AdcSlots::Filter),
      clockSource,
      CEditorField::Slider(QStringLiteral("Sample Clocks:"),
                           QStringLiteral("N: a sample period of 2^N clocks; set it after filter"),
                           m_nSliderMin, m_nSliderMax, &m_nSampleExponent)
          .WhenChanged([this] { OnSliderMoved(); })
          .StoredIn(AdcSlots::SampleExponent),
      sampleClocks,
      CEditorField::NoteText(
          QStringLiteral("* Use of an adjacent pin for ADC input requires that pin to be either "
                         "in ADC mode or in DAC mode with OUT high.")),
      CEditorField::NoteText(QStringLiteral("^ Calibrated ADC only works with 1X Gain")),
  };
}
