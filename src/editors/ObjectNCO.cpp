#include "editors/ObjectNCO.h"

#include "editors/FieldBuilders.h"
#include "editors/NcoCalculation.h"
#include "model/TextConversion.h"

QString CObjectNCO::Title() const { return QStringLiteral("NCO Frequency Object Interface"); }

QString CObjectNCO::DefaultNameFormat() const { return QStringLiteral("NCO_Freq%d"); }

QString CObjectNCO::DescriptionText() const {
  return QStringLiteral(
      "Sets Smart Pin registers on specified I/O pin to generate NCO (square wave) output.  To "
      "change frequency, enter desired frequency and then hit the calculate button.\r\n\r\n"
      "Note:  You will need to re-open this dialog if you change the P2 frequency.");
}

void CObjectNCO::LoadDefaults() {
  m_sPin = QStringLiteral("24");
  m_sDesiredFrequency = QStringLiteral("12_000_000");
  // A new object shows the registers for the default frequency at once.
  Calculate();
}

void CObjectNCO::LoadFromRecord() {
  // The stored values as saved, even when the clock has changed since: OK recalculates.
  m_sPin = m_pObject->m_sBasePin;
  m_sWxPin = m_pObject->m_sParam[0];
  m_sWyPin = m_pObject->m_sParam[1];
  m_sDesiredFrequency = m_pObject->m_sParam[2];
  m_sResultingFrequency = m_pObject->m_sParam[3];
}

CObjectNCO::CalculateResult CObjectNCO::Calculate() {
  const int32_t clock = TextToInt(RemoveUnderscores(m_pDoc->m_sClockFreq));
  const int32_t desired = TextToInt(RemoveUnderscores(m_sDesiredFrequency));
  const int32_t halfClock = clock / 2;
  // The search divides by the desired frequency, so it must be at least 1 Hz.
  if (desired <= 0) {
    Messages().ShowPlain(QStringLiteral("Error:  Desired frequency \"%1\" must be at least 1 Hz.")
                             .arg(m_sDesiredFrequency));
    return CalculateResult::NotPositive;
  }
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

bool CObjectNCO::DoOK() {
  // A frequency above half the clock keeps the register texts as they stand (the last
  // computed values or the user's own); one below 1 Hz cannot be stored at all.
  if (Calculate() == CalculateResult::NotPositive) return false;
  WriteCommonRecord();
  WritePinRecord();
  m_pObject->m_sParam[0] = m_sWxPin;
  m_pObject->m_sParam[1] = m_sWyPin;
  m_pObject->m_sParam[2] = m_sDesiredFrequency;
  m_pObject->m_sParam[3] = m_sResultingFrequency;
  return CheckAndClaimPin(QStringLiteral("NCO Frequency"));
}

QList<CEditorField> CObjectNCO::Fields() {
  const QString group = QStringLiteral("Smart Pin Settings and resulting Frequency");
  const QString registerHelp = QStringLiteral(
      "eight hexadecimal digits; OK replaces them unless the desired frequency is above half "
      "the clock");
  CEditorField wxpin = InGroup(
      TextField(QStringLiteral("wxpin"), QStringLiteral("WXPIN:"), registerHelp, &m_sWxPin), group);
  wxpin.m_sHint = QStringLiteral("hexidecimal");
  CEditorField wypin = InGroup(
      TextField(QStringLiteral("wypin"), QStringLiteral("WYPIN:"), registerHelp, &m_sWyPin), group);
  wypin.m_sHint = QStringLiteral("hexidecimal");
  return {
      NameField(),
      PinField(QStringLiteral("I/O Pin:")),
      TextField(QStringLiteral("desiredFrequencyHz"), QStringLiteral("Desired Frequency [Hz]:"),
                QStringLiteral("output frequency in Hz, underscores allowed"),
                &m_sDesiredFrequency),
      ButtonField(QStringLiteral("calculateSmartPinSettings"),
                  QStringLiteral("Calculate Smart Pin Settings"), [this] { Calculate(); }),
      wxpin,
      wypin,
      InGroup(DisplayField(QStringLiteral("resultingFrequencyHz"),
                           QStringLiteral("Resulting Frequency [Hz]:"), &m_sResultingFrequency),
              group),
      NoteField(QStringLiteral("clockNote"),
                QStringLiteral("Note:  You must currently return to this dialog if you change "
                               "the P2 core frequency.")),
  };
}
