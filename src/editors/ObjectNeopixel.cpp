#include "editors/ObjectNeopixel.h"

#include <algorithm>
#include <cstdint>

void CObjectNeopixel::LoadDefaults() {
  m_sPin = ProposedPin(53);
  m_sLedCount = QStringLiteral("1");
  m_nHoldoff = 5;
  m_nRed = 255;
  m_nGreen = 50;
  m_nBlue = 25;
  m_nLedType = 0;
  m_bCycle = false;
  OnSliderMoved();
}

void CObjectNeopixel::AfterRecordLoaded() {
  // The stored texts are shown as stored until a slider moves.
  m_sPin = m_pObject->m_sBasePin;
  m_sColor = m_pObject->m_sParam[0];
  m_sHoldoff = m_pObject->m_sParam[1];
  m_sLedCount = m_pObject->m_sParam[2];
  // Sliders hold only positions in their ranges, whatever a damaged file says.
  m_nRed = std::clamp(m_pObject->m_nParam[0], 0, 255);
  m_nGreen = std::clamp(m_pObject->m_nParam[1], 0, 255);
  m_nBlue = std::clamp(m_pObject->m_nParam[2], 0, 255);
  m_nLedType = m_pObject->m_nParam[3];
  m_nHoldoff = std::clamp(m_pObject->m_nParam[4], 1, 50);
  m_bCycle = m_pObject->m_bParam[0];
}

void CObjectNeopixel::OnSliderMoved() {
  m_sHoldoff = QStringLiteral("%1 us").arg(m_nHoldoff * 100);
  // Unsigned, so that components out of 0..255 from a damaged file cannot overflow.
  const uint32_t color = static_cast<uint32_t>(m_nRed) * 65536u +
                         static_cast<uint32_t>(m_nGreen) * 256u + static_cast<uint32_t>(m_nBlue);
  m_sColor = QString::asprintf("%8X", color);
}

bool CObjectNeopixel::DoOK() {
  WriteCommonRecord();
  WritePinRecord();
  m_pObject->m_sParam[0] = m_sColor;
  m_pObject->m_sParam[1] = m_sHoldoff;
  m_pObject->m_sParam[2] = m_sLedCount;
  m_pObject->m_nParam[0] = m_nRed;
  m_pObject->m_nParam[1] = m_nGreen;
  m_pObject->m_nParam[2] = m_nBlue;
  m_pObject->m_nParam[3] = m_nLedType;
  m_pObject->m_nParam[4] = m_nHoldoff;
  m_pObject->m_bParam[0] = m_bCycle;
  return CheckAndClaimPin(QStringLiteral("Neopixel"));
}

QList<CEditorField> CObjectNeopixel::Fields() {
  const QString color = QStringLiteral("Color");
  auto slider = [this](const QString& label, const QString& help, int min, int max, int* member) {
    return CEditorField::Slider(label, help, min, max, member).WhenChanged([this] {
      OnSliderMoved();
    });
  };
  const QString colorHelp = QStringLiteral("start colour component");
  return {
      DescriptionField(),
      NameField(),
      PinField(QStringLiteral("I/O Pin:")),
      CEditorField::Text(QStringLiteral("#LEDs in string:"),
                         QStringLiteral("number of LEDs in the string"), &m_sLedCount),
      CEditorField::RadioGroup(
          QStringLiteral("LED Type"), QStringLiteral("LED type, which picks the driver variant"),
          {QStringLiteral("WS2812b"), QStringLiteral("WS2811"), QStringLiteral("WS2812"),
           QStringLiteral("WS2813"), QStringLiteral("SK6812")},
          &m_nLedType),
      slider(QStringLiteral("Holdoff:"),
             QStringLiteral("pause between refreshes in steps of 100 us"), 1, 50, &m_nHoldoff),
      CEditorField::Display(QStringLiteral("holdoffText"), QStringLiteral("the hold-off time"),
                            &m_sHoldoff),
      slider(QStringLiteral("Red:"), colorHelp, 0, 255, &m_nRed).InGroup(color),
      slider(QStringLiteral("Green:"), colorHelp, 0, 255, &m_nGreen).InGroup(color),
      slider(QStringLiteral("Blue:"), colorHelp, 0, 255, &m_nBlue).InGroup(color),
      CEditorField::Check(QStringLiteral("Cycle Random Colors"),
                          QStringLiteral("the main loop gives the LEDs random colours"), &m_bCycle)
          .InGroup(color),
      CEditorField::Display(QStringLiteral("colorText"),
                            QStringLiteral("the colour as hexadecimal RRGGBB"), &m_sColor)
          .InGroup(color),
  };
}
