#pragma once

#include <QStringList>

#include "editors/ObjectEditor.h"

// What tells the four video outputs apart; everything else about them is shared.
struct CVideoKind {
  ObjectType m_nType;
  QString m_sBasePinHint;
  int m_nBaseStep;  // the base pin must be a multiple of this
  int m_nPinCount;
  QStringList m_roles;  // role of base + i, one per pin
  bool m_bClockNote;    // warn when the P2 clock is far from what HDMI wants
};

// A block of consecutive pins from a base pin: name and base pin, one OK for all four kinds.
class CVideoEditor : public CObjectEditor {
 public:
  QString m_sBasePin;

  const CVideoKind& VideoKind() const { return m_kind; }
  QList<CEditorField> Fields() override;

 protected:
  explicit CVideoEditor(const CVideoKind& kind) : CObjectEditor(kind.m_nType), m_kind(kind) {}

  QList<const QString*> PinTexts() override { return {&m_sBasePin}; }
  void LoadDefaults() override;
  bool DoOK() override;

 private:
  void ShowClockNote();

  const CVideoKind& m_kind;
};

class CSimpleVGA : public CVideoEditor {
 public:
  CSimpleVGA();
};

class CSimpleQvga : public CVideoEditor {
 public:
  CSimpleQvga();
};

class CSimpleHDMI : public CVideoEditor {
 public:
  CSimpleHDMI();
};

class CObject1080p : public CVideoEditor {
 public:
  CObject1080p();
};
