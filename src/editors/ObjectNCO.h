#pragma once

#include "editors/SinglePinEditor.h"

// NCO square-wave output on one pin: turns a desired frequency into WXPIN and WYPIN for the
// project's current clock and shows the frequency they really give.
class CObjectNCO : public CSinglePinEditor {
 public:
  QString m_sDesiredFrequency;
  QString m_sWxPin;               // "%08X"
  QString m_sWyPin;               // "%08X"
  QString m_sResultingFrequency;  // "%f"; display only in the dialog, but stored

  CObjectNCO() : CSinglePinEditor(OBJ_NCO) {}
  QList<CEditorField> Fields() override;

  enum class CalculateResult {
    Done,            // the three register texts hold the new values
    AboveHalfClock,  // message shown, nothing changed; OK still goes on
    NotPositive,     // message shown, nothing changed; OK stops before writing anything
  };
  // "Calculate Smart Pin Settings": the register texts for the desired frequency at the
  // document's clock.
  CalculateResult Calculate();

 protected:
  bool CheckControls() override;
  void LoadDefaults() override;
  bool DoOK() override;

 private:
  // Shows the message and returns true for a desired frequency below 1 Hz.
  bool DesiredFrequencyRefused();
  // Refuses the OK for a register text that is no hexadecimal value ("WXPIN", "WYPIN").
  bool RejectRegister(const QString& label, const QString& text);
};
