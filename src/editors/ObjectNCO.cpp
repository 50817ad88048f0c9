#include "editors/ObjectNCO.h"

#include "editors/NcoCalculation.h"
#include "model/TextConversion.h"

namespace {
const QString kDesiredLabel = QStringLiteral("Desired Frequency [Hz]:");
const QString kVaryingPeriodNote = QStringLiteral(
    "The period is not a whole number of clocks: it varies from cycle to cycle, and the "
    "frequency shown is its average.");
}  // namespace

void CObjectNCO::LoadDefaults() {
  m_sPin = ProposedPin(24);
  m_sDesiredFrequency = QStringLiteral("12_000_000");
  // A new object shows the registers for the default frequency at once.
  Calculate();
}

void CObjectNCO::AfterRecordLoaded() {
  // The stored registers are shown as saved; so is what they make.
  bool wxRead = false;
  bool wyRead = false;
  const uint64_t wx = m_sWxPin.toUInt(&wxRead, 16);
  const uint64_t wy = m_sWyPin.toUInt(&wyRead, 16);
  const bool varying = wxRead && wyRead && wy != 0 && ((wx << 32) % wy) != 0;
  m_sPeriodNote = varying ? kVaryingPeriodNote : QString();
}

std::optional<int32_t> CObjectNCO::DesiredFrequency(QString* problem) const {
  // Digits with underscores between them, as Spin2 writes numbers; blanks around are ignored.
  const QString digits = RemoveUnderscores(m_sDesiredFrequency.trimmed());
  bool whole = !digits.isEmpty() && m_sDesiredFrequency.trimmed().front() != u'_';
  for (const QChar c : digits) whole = whole && c >= u'0' && c <= u'9';
  if (!whole) {
    *problem = QStringLiteral(
                   "Error:  Desired frequency \"%1\" is not a whole number of hertz.  Type "
                   "digits only, underscores allowed, for example 12_000_000.")
                   .arg(m_sDesiredFrequency);
    return std::nullopt;
  }
  QString value = digits;
  while (value.size() > 1 && value.front() == u'0') value.remove(0, 1);
  if (value == u"0") {
    *problem = QStringLiteral("Error:  Desired frequency \"%1\" must be at least 1 Hz.")
                   .arg(m_sDesiredFrequency);
    return std::nullopt;
  }
  const int halfClock = ClockHz() / 2;
  // Eleven digits are more than any 32-bit clock's half.
  if (value.size() > 10 || value.toLongLong() > halfClock) {
    *problem = QStringLiteral(
                   "Error:  Desired frequency (%1) cannot be greater than half P2 Frequency (%2)")
                   .arg(value)
                   .arg(halfClock);
    return std::nullopt;
  }
  return static_cast<int32_t>(value.toLongLong());
}

bool CObjectNCO::Calculate() {
  QString problem;
  const std::optional<int32_t> desired = DesiredFrequency(&problem);
  if (!desired) {
    Messages().ShowPlain(problem);
    return false;
  }
  const CNcoSettings settings = CalculateNcoSettings(ClockHz(), *desired);
  m_sWxPin = QString::asprintf("%08X", settings.m_nWxPin);
  m_sWyPin = QString::asprintf("%08X", settings.m_nWyPin);
  m_sResultingFrequency = QString::asprintf("%f", settings.m_dResultingFrequency);
  m_sPeriodNote = settings.m_bWholePeriod ? QString() : kVaryingPeriodNote;
  return true;
}

bool CObjectNCO::CheckControls() {
  // Registers for any other frequency would not be what the user asked for: nothing is written.
  QString problem;
  if (DesiredFrequency(&problem)) return true;
  Messages().ShowError(problem);
  m_sFocusKey = CEditorField::KeyFromLabel(kDesiredLabel);
  return false;
}

bool CObjectNCO::DoOK() {
  // The registers always match the desired frequency at the clock of this moment.
  Calculate();
  WriteCommonRecord();
  WritePinRecord();
  return CheckAndClaimPin(QStringLiteral("NCO Frequency"));
}

QList<CEditorField> CObjectNCO::Fields() {
  const QString group = QStringLiteral("Smart Pin Settings and resulting Frequency");
  const QString registerHelp = QStringLiteral(
      "up to eight hexadecimal digits; OK computes them again from the desired frequency");
  const QString hex = QStringLiteral("hexadecimal");
  CEditorField resulting = CEditorField::Display(
      QStringLiteral("resultingFrequencyHz"), QStringLiteral("the frequency WXPIN and WYPIN give"),
      &m_sResultingFrequency);
  resulting.m_sLabel = QStringLiteral("Resulting Frequency [Hz]:");
  // An opened record shows the registers as saved, even when the clock has changed since: OK
  // recalculates.
  return {
      DescriptionField(),
      NameField(),
      PinField(QStringLiteral("I/O Pin:")),
      CEditorField::Text(kDesiredLabel,
                         QStringLiteral("output frequency, a whole number of Hz from 1 to half "
                                        "the P2 clock, underscores allowed"),
                         &m_sDesiredFrequency)
          .StoredIn(NcoSlots::DesiredFrequency),
      CEditorField::Button(QStringLiteral("Calculate Smart Pin Settings"), [this] { Calculate(); }),
      CEditorField::Text(QStringLiteral("WXPIN:"), registerHelp, &m_sWxPin, hex)
          .InGroup(group)
          .StoredIn(NcoSlots::WxPin),
      CEditorField::Text(QStringLiteral("WYPIN:"), registerHelp, &m_sWyPin, hex)
          .InGroup(group)
          .StoredIn(NcoSlots::WyPin),
      resulting.InGroup(group).StoredIn(NcoSlots::ResultingFrequency),
      CEditorField::NoteText(QStringLiteral("periodNote"), &m_sPeriodNote).InGroup(group),
      CEditorField::NoteText(QStringLiteral(
          "Note:  You must currently return to this dialog if you change the P2 core frequency.")),
  };
}
