#include "editors/ObjectNeopixel.h"

#include "editors/FieldBuilders.h"

QString CObjectNeopixel::Title() const { return QStringLiteral("RGB LED String"); }

QString CObjectNeopixel::DefaultNameFormat() const { return QStringLiteral("Neopixel%d"); }

QString CObjectNeopixel::DescriptionText() const {
  return QStringLiteral(
      "Controls a string of Neopixel type devices using a single P2 pin.  This interface "
      "limited to 24-bit color types although the underlying driver also works with 32-bit "
      "devices with the white LED segment.");
}

void CObjectNeopixel::LoadDefaults() {
  m_sPin = QStringLiteral("53");
  m_sLedCount = QStringLiteral("1");
  m_nHoldoff = 5;
  m_nRed = 255;
  m_nGreen = 50;
  m_nBlue = 25;
  m_nLedType = 0;
  m_bCycle = false;
  OnSliderMoved();
}

void CObjectNeopixel::LoadFromRecord() {
  // The stored texts are shown as stored until a slider moves.
  m_sPin = m_pObject->m_sBasePin;
  m_sColor = m_pObject->m_sParam[0];
  m_sHoldoff = m_pObject->m_sParam[1];
  m_sLedCount = m_pObject->m_sParam[2];
  m_nRed = m_pObject->m_nParam[0];
  m_nGreen = m_pObject->m_nParam[1];
  m_nBlue = m_pObject->m_nParam[2];
  m_nLedType = m_pObject->m_nParam[3];
  m_nHoldoff = m_pObject->m_nParam[4];
  m_bCycle = m_pObject->m_bParam[0];
}

void CObjectNeopixel::OnSliderMoved() {
  m_sHoldoff = QStringLiteral("%1 us").arg(m_nHoldoff * 100);
  const unsigned color = static_cast<unsigned>(m_nRed * 65536 + m_nGreen * 256 + m_nBlue);
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
  CEditorField name = NameField();
  name.m_sLabel = QStringLiteral("ObjectName:");

  QList<CEditorField> sliders = {
      SliderField(QStringLiteral("holdoff"), QStringLiteral("Holdoff:"), 1, 50,
                  QStringLiteral("pause between refreshes in steps of 100 us"), &m_nHoldoff),
  };
  const QString color = QStringLiteral("Color");
  auto colorSlider = [&](const QString& key, const QString& label, int* member) {
    return InGroup(
        SliderField(key, label, 0, 255, QStringLiteral("start colour component"), member), color);
  };
  sliders.append(colorSlider(QStringLiteral("red"), QStringLiteral("Red:"), &m_nRed));
  sliders.append(colorSlider(QStringLiteral("green"), QStringLiteral("Green:"), &m_nGreen));
  sliders.append(colorSlider(QStringLiteral("blue"), QStringLiteral("Blue:"), &m_nBlue));
  for (CEditorField& slider : sliders) slider.m_onChanged = [this] { OnSliderMoved(); };

  return {
      name,
      PinField(QStringLiteral("I/O Pin:")),
      TextField(QStringLiteral("ledsInString"), QStringLiteral("#LEDs in string:"),
                QStringLiteral("number of LEDs in the string"), &m_sLedCount),
      RadioField(QStringLiteral("ledType"), QStringLiteral("LED Type"),
                 {QStringLiteral("WS2812b"), QStringLiteral("WS2811"), QStringLiteral("WS2812"),
                  QStringLiteral("WS2813"), QStringLiteral("SK6812")},
                 QStringLiteral("LED type, which picks the driver variant"), &m_nLedType),
      sliders[0],
      DisplayField(QStringLiteral("holdoffText"), QString(), &m_sHoldoff),
      sliders[1],
      sliders[2],
      sliders[3],
      InGroup(CheckField(QStringLiteral("cycleRandomColors"), QStringLiteral("Cycle Random Colors"),
                         QStringLiteral("the main loop gives the LEDs random colours"), &m_bCycle),
              color),
      InGroup(DisplayField(QStringLiteral("colorText"), QString(), &m_sColor), color),
  };
}
