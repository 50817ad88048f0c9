#include "editors/ObjectServo.h"

#include "editors/FieldBuilders.h"
#include "model/TextConversion.h"

QString CObjectServo::Title() const { return QStringLiteral("Hobby Servo"); }

QString CObjectServo::DefaultNameFormat() const { return QStringLiteral("Servo%d"); }

QString CObjectServo::DescriptionText() const {
  return QStringLiteral(
      "Controls a hobby type servo motor using a single P2 pin in PWM smartpin mode.  Choose "
      "between control in units of degrees or microseconds.  Driver is a .spin2 smartpin driver "
      "from OBEX.");
}

void CObjectServo::LoadDefaults() {
  m_sPin = QStringLiteral("38");
  m_nPosition = 90;
  m_nUnits = 0;
  m_bRandom = true;
  OnSliderMoved();
}

void CObjectServo::LoadFromRecord() {
  // The slider position is not stored; it comes back from the degrees text.
  m_sPin = m_pObject->m_sBasePin;
  m_nUnits = m_pObject->m_bParam[0] ? 1 : 0;
  m_sDegrees = m_pObject->m_sParam[0];
  m_nPosition = TextToInt(m_sDegrees);
  m_sMicroseconds = m_pObject->m_sParam[1];
  m_bRandom = m_pObject->m_bParam[1];
}

void CObjectServo::OnSliderMoved() {
  m_sDegrees = QString::number(m_nPosition);
  m_sMicroseconds = QString::number((m_nPosition + 60) * 10);
}

bool CObjectServo::DoOK() {
  WriteCommonRecord();
  WritePinRecord();
  m_pObject->m_sParam[0] = m_sDegrees;
  m_pObject->m_sParam[1] = m_sMicroseconds;
  m_pObject->m_bParam[0] = m_nUnits == 1;
  m_pObject->m_bParam[1] = m_bRandom;
  return CheckAndClaimPin(QStringLiteral("Hobby Servo"));
}

QList<CEditorField> CObjectServo::Fields() {
  CEditorField position =
      SliderField(QStringLiteral("startingPosition"), QStringLiteral("Starting Position:"), 0, 180,
                  QStringLiteral("start position in degrees"), &m_nPosition);
  position.m_onChanged = [this] { OnSliderMoved(); };
  CEditorField degrees = DisplayField(QStringLiteral("degrees"), QString(), &m_sDegrees);
  degrees.m_sHint = QStringLiteral("Degrees");
  CEditorField microseconds =
      DisplayField(QStringLiteral("microseconds"), QString(), &m_sMicroseconds);
  microseconds.m_sHint = QStringLiteral("Microseconds");

  return {
      NameField(),
      PinField(QStringLiteral("I/O Pin:")),
      RadioField(QStringLiteral("positionUnitsOptions"), QStringLiteral("Position Units Options"),
                 {QStringLiteral("Degrees"), QStringLiteral("Microseconds")},
                 QStringLiteral("units the generated program positions the servo in"), &m_nUnits),
      position,
      degrees,
      microseconds,
      CheckField(QStringLiteral("moveServoRandomly"), QStringLiteral("Move servo randomly"),
                 QStringLiteral("the main loop moves the servo to random positions"), &m_bRandom),
  };
}
