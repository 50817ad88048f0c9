#pragma once

#include "editors/SinglePinEditor.h"

// ADC input on one pin: gain, bitstream source, filter (Sampling, SINC2, SINC3) and a sample
// period of 2^N clocks whose range depends on the filter.
class CObjectADC : public CSinglePinEditor {
 public:
  enum Filter { kSampling = 0, kSinc2 = 1, kSinc3 = 2 };

  bool m_bShowCalibrated = true;
  int m_nGain = 0;    // index into the gain radios
  int m_nSource = 0;  // index into the source radios
  int m_nFilter = kSampling;
  int m_nClockSource = 0;      // always "Internal"; not stored
  int m_nSampleExponent = 13;  // slider position N: 2^N clocks per sample
  int m_nSliderMin = 1;
  int m_nSliderMax = 13;
  QString m_sSampleClocks;  // 2^N in decimal; display only

  CObjectADC() : CSinglePinEditor(OBJ_ADC) {}
  // The slider reports the range of the current filter.
  QList<CEditorField> Fields() override;

  // A filter radio clicked: the slider takes the filter's range and moves to its top.
  void OnFilterChosen();
  // The slider moved: the clock count follows.
  void OnSliderMoved();

 protected:
  void LoadDefaults() override;
  void AfterRecordLoaded() override;
  bool DoOK() override;

 private:
  // Sets the slider's range for m_nFilter, keeping the position inside it as a slider does.
  void ApplyFilterRange();
};
