#pragma once

#include "editors/ObjectEditor.h"

// A USB keyboard and mouse, either on the eight pins of the Parallax adapter or on freely
// chosen pins. Both configurations' fields are stored on every OK; only the chosen one is
// checked and claimed.
class CObjectUsbKbm : public CObjectEditor {
 public:
  enum Configuration { kParallaxAdapter = 0, kCustom = 1 };

  int m_nConfiguration = kParallaxAdapter;
  QString m_sBasePin;
  int m_nPort = 0;  // 0 top, 1 bottom
  QString m_sDmPin;
  QString m_sActivityLedPin;
  QString m_sErrorLedPin;
  bool m_bUsePowerPin = true;
  QString m_sPowerPin;
  // The mouse fields are integers typed as text: OK refuses a text that does not begin with one
  // and stores the number it begins with.
  QString m_sLimitX;
  QString m_sLimitY;
  QString m_sStartX;
  QString m_sStartY;
  bool m_bOutputMouse = true;
  bool m_bOutputKeyboard = true;
  bool m_bNoErrorLed = false;

  static const QStringList& ConfigurationItems();
  static const QStringList& PortItems();

  CObjectUsbKbm() : CObjectEditor(OBJ_USB_KBM) {}
  QList<CEditorField> Fields() override;

 protected:
  void LoadDefaults() override;
  bool CheckControls() override;
  QList<const QString*> PinTexts() override;
  bool DoOK() override;

 private:
  bool ClaimParallaxAdapter();
  bool ClaimCustomPins();
};
