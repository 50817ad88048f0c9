#pragma once

#include "editors/ObjectEditor.h"

// A real-time clock chip on one of the project's I2C buses. It holds no pins; the only check
// is that a bus is chosen (the bus it named may have been deleted since).
class CObjectRTC : public CObjectEditor {
 public:
  QStringList m_busItems;  // the project's I2C buses, list order
  int m_nBus = -1;         // index into m_busItems, -1 for none
  int m_nRtcType = 0;      // index into RtcTypeItems(), -1 for none
  bool m_bSetTime = false;

  static const QStringList& RtcTypeItems();

  CObjectRTC() : CObjectEditor(OBJ_RTC) {}
  QList<CEditorField> Fields() override;

 protected:
  void FillLists() override;
  void LoadDefaults() override;
  bool DoOK() override;
};
