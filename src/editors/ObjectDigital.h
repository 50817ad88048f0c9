#pragma once

#include "editors/SinglePinEditor.h"

// Plain digital I/O on one pin (the smart pin stays off): input source and filter, inversions,
// clocked or live I/O, output drive strengths and start state.
class CObjectDigital : public CSinglePinEditor {
 public:
  int m_nFilter = 0;     // 0 none, 1..4 filt0..filt3
  int m_nHighDrive = 0;  // index into the drive radios
  int m_nLowDrive = 0;
  int m_nSource = 0;      // index into the source radios
  int m_nStartState = 0;  // 0 float, 1 high, 2 low
  bool m_bClocked = false;
  bool m_bInvertInput = false;
  bool m_bInvertOutput = false;
  bool m_bShowIn = true;
  bool m_bToggleOut = true;

  CObjectDigital() : CSinglePinEditor(OBJ_DIGITAL_IO) {}
  QList<CEditorField> Fields() override;

 protected:
  void LoadDefaults() override;
  bool DoOK() override;
  QString InUseText(const CPinClaim& claim, int pin) const override;
};
