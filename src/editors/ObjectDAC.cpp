#include "editors/ObjectDAC.h"

void CObjectDAC::LoadDefaults() {
  m_sPin = ProposedPin(49);
  m_nLevel = 122;
  m_nDrive = 0;
  m_bRandom = true;
  OnSliderMoved();
}

void CObjectDAC::OnSliderMoved() { m_sLevel = QString::number(m_nLevel); }

bool CObjectDAC::DoOK() {
  WriteCommonRecord();
  WritePinRecord();
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
          &m_nDrive)
          .StoredIn(DacSlots::Drive),
      CEditorField::Slider(QStringLiteral("Analog Output Level:"),
                           QStringLiteral("start level of the 8-bit DAC"), 0, 255, &m_nLevel)
          .WhenChanged([this] { OnSliderMoved(); })
          .StoredIn(DacSlots::Level),
      // Kept in the record as shown; reopened, it shows the stored text until the slider moves.
      CEditorField::Display(QStringLiteral("levelText"), QStringLiteral("the level in decimal"),
                            &m_sLevel)
          .StoredIn(DacSlots::LevelText),
      CEditorField::Check(QStringLiteral("Randomly vary output level"),
                          QStringLiteral("the main loop sets random levels"), &m_bRandom)
          .StoredIn(DacSlots::RandomLevels),
  };
}
