#include "editors/ObjectServo.h"

#include <algorithm>

#include "model/TextConversion.h"

void CObjectServo::LoadDefaults() {
  m_sPin = ProposedPin(38);
  m_nPosition = 90;
  m_nUnits = 0;
  m_bRandom = true;
  OnSliderMoved();
}

void CObjectServo::AfterRecordLoaded() {
  // The slider position is not stored; it comes back from the degrees text.
  m_nPosition = std::clamp(TextToInt(m_sDegrees), 0, 180);
  // A damaged record's texts are shown as the position the slider can take, so that OK stores
  // numbers the generated program can use; texts that agree with it are shown as stored.
  if (m_sDegrees != QString::number(m_nPosition) ||
      m_sMicroseconds != QString::number((m_nPosition + 60) * 10))
    OnSliderMoved();
}

void CObjectServo::OnSliderMoved() {
  m_sDegrees = QString::number(m_nPosition);
  m_sMicroseconds = QString::number((m_nPosition + 60) * 10);
}

bool CObjectServo::DoOK() {
  WriteCommonRecord();
  WritePinRecord();
  return CheckAndClaimPin(QStringLiteral("Hobby Servo"));
}

QList<CEditorField> CObjectServo::Fields() {
  CEditorField degrees = CEditorField::Display(
      QStringLiteral("degrees"), QStringLiteral("the position in degrees"), &m_sDegrees);
  degrees.m_sHint = QStringLiteral("Degrees");
  CEditorField microseconds =
      CEditorField::Display(QStringLiteral("microseconds"),
                            QStringLiteral("the position in microseconds"), &m_sMicroseconds);
  microseconds.m_sHint = QStringLiteral("Microseconds");
  return {
      DescriptionField(),
      NameField(),
      PinField(QStringLiteral("I/O Pin:")),
      CEditorField::RadioGroup(QStringLiteral("Position Units Options"),
                               QStringLiteral("units the generated program positions the servo in"),
                               {QStringLiteral("Degrees"), QStringLiteral("Microseconds")},
                               &m_nUnits)
          .StoredIn(ServoSlots::InMicroseconds),
      CEditorField::Slider(QStringLiteral("Starting Position:"),
                           QStringLiteral("start position in degrees"), 0, 180, &m_nPosition)
          .WhenChanged([this] { OnSliderMoved(); }),
      degrees.StoredIn(ServoSlots::Degrees),
      microseconds.StoredIn(ServoSlots::Microseconds),
      CEditorField::Check(QStringLiteral("Move servo randomly"),
                          QStringLiteral("the main loop moves the servo to random positions"),
                          &m_bRandom)
          .StoredIn(ServoSlots::RandomMoves),
  };
}
