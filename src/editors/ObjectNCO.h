#pragma once

#include <optional>

#include "editors/SinglePinEditor.h"

// NCO square-wave output on one pin: turns a desired frequency into WXPIN and WYPIN for the
// project's current clock and shows the frequency they really give.
class CObjectNCO : public CSinglePinEditor {
 public:
  QString m_sDesiredFrequency;
  QString m_sWxPin;               // "%08X"
  QString m_sWyPin;               // "%08X"
  QString m_sResultingFrequency;  // "%f"; display only in the dialog, but stored
  // Shown under the result when the output's period is not a whole number of clocks.
  QString m_sPeriodNote;

  CObjectNCO() : CSinglePinEditor(OBJ_NCO) {}
  QList<CEditorField> Fields() override;

  // "Calculate Smart Pin Settings": the register texts for the desired frequency at the
  // document's clock. A desired frequency that is no whole number from 1 Hz to half the clock
  // shows its message and changes nothing; returns whether the registers were computed.
  bool Calculate();

 protected:
  bool CheckControls() override;
  void LoadDefaults() override;
  void AfterRecordLoaded() override;
  bool DoOK() override;

 private:
  // The desired frequency in Hz, or the message that says why it is refused.
  std::optional<int32_t> DesiredFrequency(QString* problem) const;
};
