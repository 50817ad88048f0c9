#pragma once

#include "editors/SinglePinEditor.h"

// DAC output on one pin in a non-smart mode: drive impedance and range, and a start level.
class CObjectDAC : public CSinglePinEditor {
 public:
  int m_nDrive = 0;    // index into the "Drive and Range" radios
  int m_nLevel = 122;  // slider position, 0..255
  QString m_sLevel;    // the level as shown beside the slider, "%d"
  bool m_bRandom = true;

  CObjectDAC() : CSinglePinEditor(OBJ_DAC) {}
  QList<CEditorField> Fields() override;

  // The slider moved: the level text follows.
  void OnSliderMoved();

 protected:
  void LoadDefaults() override;
  bool DoOK() override;
};
