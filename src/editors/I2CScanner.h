#pragma once

#include "editors/ObjectEditor.h"

// An I2C bus on two pins with an optional pull-up and bus scan. Pins held by a camera pass its
// in-use check and are taken over: the camera puts its bus onto two pins of its own block.
class CI2CScanner : public CObjectEditor {
 public:
  QString m_sScl;
  QString m_sSda;
  QString m_sSpeed;
  int m_nPullup = 0;  // index into PullupItems()
  bool m_bScan = true;

  static const QStringList& PullupItems();
  static const QStringList& SpeedItems();

  CI2CScanner() : CObjectEditor(OBJ_I2C_BUS) {}
  QList<CEditorField> Fields() override;

 protected:
  void LoadDefaults() override;
  bool DoOK() override;
  QList<const QString*> PinTexts() override { return {&m_sScl, &m_sSda}; }
};
