#pragma once

#include "editors/SinglePinEditor.h"

// A string of addressable RGB LEDs on one pin: LED count and type, the hold-off between
// refreshes, one start colour for all LEDs and the random-colour loop.
class CObjectNeopixel : public CSinglePinEditor {
 public:
  QString m_sLedCount;  // as typed; not checked
  int m_nLedType = 0;   // index into the "LED Type" radios
  int m_nHoldoff = 5;   // slider position 1..50, in steps of 100 us
  QString m_sHoldoff;   // "%d us"
  int m_nRed = 255;
  int m_nGreen = 50;
  int m_nBlue = 25;
  bool m_bCycle = false;
  QString m_sColor;  // 0xRRGGBB as "%8X", blank-filled on the left

  CObjectNeopixel() : CSinglePinEditor(OBJ_NEOPIXEL) {}
  QList<CEditorField> Fields() override;

  // Any slider moved: the hold-off and colour texts follow the sliders.
  void OnSliderMoved();

 protected:
  void LoadDefaults() override;
  bool DoOK() override;
};
