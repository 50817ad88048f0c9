#pragma once

#include "editors/ObjectEditor.h"

// A stereo music and sound-effect player on two free audio pins.
class CSimpleSound : public CObjectEditor {
 public:
  QString m_sLeftPin;
  QString m_sRightPin;
  bool m_bPlayMusic = true;
  bool m_bPlayEffects = true;

  CSimpleSound() : CObjectEditor(OBJ_SIMPLE_SOUND) {}
  QList<CEditorField> Fields() override;

 protected:
  void LoadDefaults() override;
  bool DoOK() override;
  QList<const QString*> PinTexts() override { return {&m_sLeftPin, &m_sRightPin}; }
};
