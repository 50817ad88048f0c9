#pragma once

#include "editors/SinglePinEditor.h"

// A hobby servo on one pin, positioned in degrees or microseconds, with an optional random
// movement in the main loop.
class CObjectServo : public CSinglePinEditor {
 public:
  int m_nUnits = 0;         // 0 degrees, 1 microseconds
  int m_nPosition = 90;     // slider position in degrees, 0..180
  QString m_sDegrees;       // the position as shown, "%d"
  QString m_sMicroseconds;  // (degrees + 60) * 10, "%d"
  bool m_bRandom = true;

  CObjectServo() : CSinglePinEditor(OBJ_SERVO) {}
  QList<CEditorField> Fields() override;

  // The slider moved: both position texts follow.
  void OnSliderMoved();

 protected:
  void LoadDefaults() override;
  void AfterRecordLoaded() override;
  bool DoOK() override;
};
