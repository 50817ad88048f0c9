#pragma once

#include <QDialog>

#include "editors/ObjectPicker.h"

// "Pick New Object": one icon button per kind in the picker's arrangement, and Cancel. A button
// runs the kind's editor dialog at once; when that closes, the picker closes with the editor's
// result. A kind that may not be added yet (an RTC without an I2C bus) shows its message and
// leaves the picker open.
//
// Each kind's button is named "pick" followed by the kind code ("pick13"), for tests.
class CObjectPickerDialog : public QDialog {
  Q_OBJECT

 public:
  CObjectPickerDialog(CObjectPicker& picker, QWidget* parent = nullptr);

  // Runs the picker modally on a new record of the document. True when an editor accepted the
  // record, which is then filled and holds its pins but is not yet in the document's list.
  static bool Run(CCodeObject& object, CKyvDoc& doc, QWidget* parent);

  void reject() override;

 private:
  void Press(int kind);

  CObjectPicker& m_picker;
};
