#pragma once

#include "editors/ObjectEditor.h"

// An editor whose object holds exactly one pin, typed as decimal text and allowed anywhere in
// 0..63: the NCO, ADC, DAC, digital I/O, RGB LED string and servo editors.
class CSinglePinEditor : public CObjectEditor {
 public:
  QString m_sPin;

 protected:
  using CObjectEditor::CObjectEditor;

  // The pin edit with its label ("I/O Pin:", "I/O Pin#:"), stored in the record's base pin.
  CEditorField PinField(const QString& label);
  QList<const QString*> PinTexts() override { return {&m_sPin}; }
  // A new object's pin: the kind's default when free, else the nearest free pin.
  QString ProposedPin(int preferred) const;
  // The record's pin count, 1; the pin itself is stored with the other fields.
  void WritePinRecord();
  // The checks and claim that end every single-pin OK: the range check, the in-use check
  // (with InUseText's wording), then release and claim of the pin under the given role.
  bool CheckAndClaimPin(const QString& role);
  // The message for a pin held by another object; kinds with their own wording override it.
  virtual QString InUseText(const CPinClaim& claim, int pin) const;
};
