#include "editors/ObjectNeopixel.h"

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
  // The texts are stored as shown: an opened record shows them as stored until a slider moves.
  return {
      DescriptionField(),
      NameField(),
      PinField(QStringLiteral("I/O Pin:")),
      CEditorField::Text(QStringLiteral("#LEDs in string:"),
                         QStringLiteral("number of LEDs in the string"), &m_sLedCount)
          .StoredIn(NeopixelSlots::LedCount),
      CEditorField::RadioGroup(
          QStringLiteral("LED Type"), QStringLiteral("LED type, which picks the driver variant"),
          {QStringLiteral("WS2812b"), QStringLiteral("WS2811"), QStringLiteral("WS2812"),
           QStringLiteral("WS2813"), QStringLiteral("SK6812")},
          &m_nLedType)
          .StoredIn(NeopixelSlots::LedType),
      slider(QStringLiteral("Holdoff:"),
             QStringLiteral("pause between refreshes in steps of 100 us"), 1, 50, &m_nHoldoff)
          .StoredIn(NeopixelSlots::Holdoff),
      CEditorField::Display(QStringLiteral("holdoffText"), QStringLiteral("the hold-off time"),
                            &m_sHoldoff)
          .StoredIn(NeopixelSlots::HoldoffText),
      slider(QStringLiteral("Red:"), colorHelp, 0, 255, &m_nRed)
          .InGroup(color)
          .StoredIn(NeopixelSlots::Red),
      slider(QStringLiteral("Green:"), colorHelp, 0, 255, &m_nGreen)
          .InGroup(color)
          .StoredIn(NeopixelSlots::Green),
      slider(QStringLiteral("Blue:"), colorHelp, 0, 255, &m_nBlue)
          .InGroup(color)
          .StoredIn(NeopixelSlots::Blue),
      CEditorField::Check(QStringLiteral("Cycle Random Colors"),
                          QStringLiteral("the main loop gives the LEDs random colours"), &m_bCycle)
          .InGroup(color)
          .StoredIn(NeopixelSlots::CycleColors),
      CEditorField::Display(QStringLiteral("colorText"),
                            QStringLiteral("the colour as hexadecimal RRGGBB"), &m_sColor)
          .InGroup(color)
          .StoredIn(NeopixelSlots::ColorText),
  };
}
