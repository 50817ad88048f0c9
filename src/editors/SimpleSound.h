#pragma once

#include "editors/ObjectEditor.h"

// A stereo music and sound-effect player on two free audio pins.
class CSimpleSound : public CObjectEditor {
 public:
  QString m_sLeftPin;
  QString m_sRightPin;
  bool m_bPlayMusic = true;
  bool m_bPlayEffects = true;

  ObjectType Kind() const override { return OBJ_SIMPLE_SOUND; }
  QString Title() const override {
    return QStringLiteral("Simple Sound - Music & Sound Effects Player");
  }
  QString DefaultNameFormat() const override { return QStringLiteral("SimpleSound%d"); }
  QList<CEditorField> Fields() override;

 protected:
  QString DescriptionText() const override;
  void LoadDefaults() override;
  void LoadFromRecord() override;
  bool DoOK() override;
  QList<const QString*> PinTexts() override { return {&m_sLeftPin, &m_sRightPin}; }
};
