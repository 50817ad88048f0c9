#include "editors/ObjectNCO.h"

#include "editors/NcoCalculation.h"
#include "model/TextConversion.h"

namespace {
const QString kDesiredLabel = QStringLiteral("Desired Frequency [Hz]:");

// Whether a register text can stand behind the "$" of a Spin2 hexadecimal literal: one to eight
// hexadecimal digits, underscores allowed after the first.
bool IsRegisterText(const QString& text) {
  if (text.isEmpty() || text.front() == u'_') return false;
  int digits = 0;
  for (const QChar c : text) {
    if (c == u'_') continue;
    const bool hex =
        (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
    if (!hex) return false;
    ++digits;
  }
  return digits <= 8;
}
}  // namespace

void CObjectNCO::LoadDefaults() {
  m_sPin = ProposedPin(24);
  m_sDesiredFrequency = QStringLiteral("12_000_000");
  // A new object shows the registers for the default frequency at once.
  Calculate();
}

bool CObjectNCO::DesiredFrequencyRefused() {
  // The search divides by the desired frequency, so it must be at least 1 Hz.
  if (TextToInt(RemoveUnderscores(m_sDesiredFrequency)) > 0) return false;
  Messages().ShowPlain(QStringLiteral("Error:  Desired frequency \"%1\" must be at least 1 Hz.")
                           .arg(m_sDesiredFrequency));
  return true;
}

CObjectNCO::CalculateResult CObjectNCO::Calculate() {
  if (DesiredFrequencyRefused()) return CalculateResult::NotPositive;
  const int32_t clock = ClockHz();
  const int32_t desired = TextToInt(RemoveUnderscores(m_sDesiredFrequency));
  const int32_t halfClock = clock / 2;
  if (desired > halfClock) {
    Messages().ShowPlain(
        QStringLiteral(
            "Error:  Desired frequency (%1) cannot be greater than half P2 Frequency (%2)")
            .arg(desired)
            .arg(halfClock));
    return CalculateResult::AboveHalfClock;
  }
  const CNcoSettings settings = CalculateNcoSettings(clock, desired);
  m_sWxPin = QString::asprintf("%08X", settings.m_nWxPin);
  m_sWyPin = QString::asprintf("%08X", settings.m_nWyPin);
  m_sResultingFrequency = QString::asprintf("%f", settings.m_dResultingFrequency);
  return CalculateResult::Done;
}

bool CObjectNCO::CheckControls() {
  // A frequency below 1 Hz cannot be stored at all: nothing is written.
  if (!DesiredFrequencyRefused()) return true;
  m_sFocusKey = CEditorField::KeyFromLabel(kDesiredLabel);
  return false;
}

bool CObjectNCO::DoOK() {
  // A frequency above half the clock keeps the register texts as they stand (the last
  // computed values or the user's own).
  Calculate();
  WriteCommonRecord();
  WritePinRecord();
  // Registers kept from a refused frequency go into the main file as they stand: they must be
  // hexadecimal numbers (a new object whose frequency never fitted the clock has none yet).
  if (!IsRegisterText(m_sWxPin)) return RejectRegister(QStringLiteral("WXPIN"), m_sWxPin);
  if (!IsRegisterText(m_sWyPin)) return RejectRegister(QStringLiteral("WYPIN"), m_sWyPin);
  return CheckAndClaimPin(QStringLiteral("NCO Frequency"));
}

bool CObjectNCO::RejectRegister(const QString& label, const QString& text) {
  m_sFocusKey = label.toLower();
  return Reject(QStringLiteral("%1 \"%2\" is not a hexadecimal value of one to eight digits.  "
                               "Enter a desired frequency up to half the P2 frequency and press "
                               "\"Calculate Smart Pin Settings\", or type the value.")
                    .arg(label, text));
}

QList<CEditorField> CObjectNCO::Fields() {
  const QString group = QStringLiteral("Smart Pin Settings and resulting Frequency");
  const QString registerHelp = QStringLiteral(
      "up to eight hexadecimal digits; OK replaces them unless the desired frequency is above half "
      "the clock");
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
                         QStringLiteral("output frequency in Hz, underscores allowed"),
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
      CEditorField::NoteText(QStringLiteral(
          "Note:  You must currently return to this dialog if you change the P2 core frequency.")),
  };
}
