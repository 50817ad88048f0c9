#include "editors/ObjectDigital.h"

void CObjectDigital::LoadDefaults() {
  m_sPin = ProposedPin(38);
  m_nFilter = m_nHighDrive = m_nLowDrive = m_nSource = m_nStartState = 0;
  m_bClocked = m_bInvertInput = m_bInvertOutput = false;
  m_bShowIn = m_bToggleOut = true;
}

bool CObjectDigital::DoOK() {
  WriteCommonRecord();
  WritePinRecord();
  // A neighbouring source pin is only read, never claimed.
  return CheckAndClaimPin(QStringLiteral("Smart Digital I/O"));
}

QString CObjectDigital::InUseText(const CPinClaim& claim, int pin) const {
  return QStringLiteral("Error: Pin #%1 is already in use by ").arg(pin) + claim.Holder(pin) +
         QStringLiteral(". Pin assignment change required.");
}

QList<CEditorField> CObjectDigital::Fields() {
  const QStringList drives = {
      QStringLiteral("Fast"),     QStringLiteral("1.5 kOhm"), QStringLiteral("15 kOhm"),
      QStringLiteral("150 kOhm"), QStringLiteral("1 mA"),     QStringLiteral("100 uA"),
      QStringLiteral("10 uA"),    QStringLiteral("Float"),
  };
  return {
      DescriptionField(),
      NameField(),
      PinField(QStringLiteral("I/O Pin#:")),
      CEditorField::Check(QStringLiteral("Use clocked I/O instead of live"),
                          QStringLiteral("input and output change on the clock"), &m_bClocked)
          .StoredIn(DigitalSlots::Clocked),
      CEditorField::Check(QStringLiteral("Invert Input Logic Level"),
                          QStringLiteral("IN reads the inverted pin level"), &m_bInvertInput)
          .StoredIn(DigitalSlots::InvertInput),
      CEditorField::Check(QStringLiteral("Invert Output Logic Level"),
                          QStringLiteral("the pin drives the inverted OUT level"), &m_bInvertOutput)
          .StoredIn(DigitalSlots::InvertOutput),
      CEditorField::RadioGroup(
          QStringLiteral("OUT Start State"), QStringLiteral("state the output starts in"),
          {QStringLiteral("Float (default)"), QStringLiteral("High"), QStringLiteral("Low")},
          &m_nStartState)
          .StoredIn(DigitalSlots::StartState),
      CEditorField::RadioGroup(QStringLiteral("OUT High State Drive"),
                               QStringLiteral("drive of the output's high state"), drives,
                               &m_nHighDrive)
          .StoredIn(DigitalSlots::HighDrive),
      CEditorField::RadioGroup(QStringLiteral("OUT Low State Drive"),
                               QStringLiteral("drive of the output's low state"), drives,
                               &m_nLowDrive)
          .StoredIn(DigitalSlots::LowDrive),
      CEditorField::RadioGroup(
          QStringLiteral("IN Source"), QStringLiteral("where the input comes from"),
          {QStringLiteral("This Pin"), QStringLiteral("Pin# +1"), QStringLiteral("Pin# +2"),
           QStringLiteral("Pin# +3"), QStringLiteral("This OUT"), QStringLiteral("Pin# -3"),
           QStringLiteral("Pin# -2"), QStringLiteral("Pin# -1")},
          &m_nSource)
          .StoredIn(DigitalSlots::Source),
      CEditorField::RadioGroup(
          QStringLiteral("IN Filter"),
          QStringLiteral("global digital filter the input passes through"),
          {QStringLiteral("None"), QStringLiteral("Using filt0"), QStringLiteral("Using filt1"),
           QStringLiteral("Using filt2"), QStringLiteral("Using filt3")},
          &m_nFilter)
          .StoredIn(DigitalSlots::Filter),
      CEditorField::Check(QStringLiteral("Show IN state in loop"),
                          QStringLiteral("the main loop prints the input"), &m_bShowIn)
          .StoredIn(DigitalSlots::ShowInput),
      CEditorField::Check(QStringLiteral("Toggle OUT state in loop"),
                          QStringLiteral("the main loop toggles the output"), &m_bToggleOut)
          .StoredIn(DigitalSlots::ToggleOutput),
  };
}
