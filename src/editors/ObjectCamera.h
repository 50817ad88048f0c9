#pragma once

#include "editors/ObjectEditor.h"

// A DVP camera on a 16-pin block that feeds a Simple QVGA object. Two pins of its block carry
// its I2C bus: they are not checked, and an accepted OK moves the chosen bus onto them.
class CObjectCamera : public CObjectEditor {
 public:
  QStringList m_qvgaItems;  // the project's Simple QVGA objects, list order
  QStringList m_busItems;   // the project's I2C buses, list order
  int m_nQvga = -1;         // indexes into the lists, -1 for none
  int m_nBus = -1;
  int m_nCameraType = 0;
  QString m_sBasePin;
  bool m_bShowId = true;

  static const QStringList& CameraTypeItems();

  CObjectCamera() : CObjectEditor(OBJ_CAMERA) {}
  QList<CEditorField> Fields() override;

 protected:
  void FillLists() override;
  void LoadDefaults() override;
  bool DoOK() override;
  QList<const QString*> PinTexts() override { return {&m_sBasePin}; }

 private:
  void MoveBusTo(const QString& busName, int base);
  void ShowClockNote();
};
