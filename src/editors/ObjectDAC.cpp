#include "editors/ObjectDAC.h"

#include <algorithm>

void CObjectDAC::LoadDefaults() {
  m_sPin = ProposedPin(49);
  m_nLevel = 122;
  m_nDrive = 0;
  m_bRandom = true;
  OnSliderMoved();
}

void CObjectDAC::AfterRecordLoaded() {
  m_sPin = m_pObject->m_sBasePin;
  m_sLevel = m_pObject->m_sParam[0];
  // A slider holds only positions in its range, whatever a damaged file says.
  m_nLevel = std::clamp(m_pObject->m_nParam[0], 0, 255);
  m_nDrive = m_pObject->m_nParam[1];
  m_bRandom = m_pObject->m_bParam[0];
}

void CObjectDAC::OnSliderMoved() { m_sLevel = QString::number(m_nLevel); }

bool CObjectDAC::DoOK() {
  WriteCommonRecord();
  WritePinRecord();
  m_pObject->m_nParam[1] = m_nDrive;
  m_pObject->m_bParam[0] = m_bRandom;
  m_pObject->m_nParam[0] = m_nLevel;
  m_pObject->m_sParam[0] = m_sLevel;
  return CheckAndClaimPin(QStringLiteral("Digital To Analog"));
}

QList<CEditorField> CObjectDAC::Fields() {
  return {
      DescriptionField(),
      NameField(),
      PinField(QStringLiteral("I/O Pin:")),
      CEditorField::RadioGroup(
          QStringLiteral("Drive and Range"),
          QStringLiteral("DAC drive impedance and voltage range"),
          {QStringLiteral("990 Ohm, 3.3 V"), QStringLiteral("600 Ohm, 2.0 V"),
           QStringLiteral("123.7 Ohm, 3.3 V"), QStringLiteral("75 Ohm, 2.0 V")},
          &m_nDrive),
      CEditorField::Slider(QStringLiteral("Analog Output Level:"),
                           QStringLiteral("start level of the 8-bit DAC"), 0, 255, &m_nLevel)
          .WhenChanged([this] { OnSliderMoved(); }),
      CEditorField::Display(QStringLiteral("levelText"), QStringLiteral("the level in decimal"),
                            &m_sLevel),
      CEditorField::Check(QStringLiteral("Randomly vary output level"),
                          QStringLiteral("the main loop sets random levels"), &m_bRandom),
  };
}
