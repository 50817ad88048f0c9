#include "editors/ObjectRTC.h"

const QStringList& CObjectRTC::RtcTypeItems() {
  static const QStringList items = {QStringLiteral("DS1339")};
  return items;
}

QList<CEditorField> CObjectRTC::Fields() {
  return {
      DescriptionField(),
      NameField(),
      CEditorField::Combo(QStringLiteral("I2C Bus:"),
                          QStringLiteral("the I2C bus object the clock is on (its name or index)"),
                          m_busItems, &m_nBus)
          .StoredIn(RtcSlots::Bus),
      CEditorField::Combo(QStringLiteral("RTC Type:"), QStringLiteral("the clock chip"),
                          RtcTypeItems(), &m_nRtcType)
          .StoredIn(RtcSlots::RtcType),
      CEditorField::Check(QStringLiteral("Set Time to PC's Time"),
                          QStringLiteral("at start-up, set the clock to the time of generation"),
                          &m_bSetTime)
          .StoredIn(RtcSlots::SetTime),
  };
}

void CObjectRTC::FillLists() { m_busItems = NamesOfKind(OBJ_I2C_BUS); }

void CObjectRTC::LoadDefaults() {
  m_nBus = m_busItems.isEmpty() ? -1 : 0;
  m_nRtcType = 0;
  m_bSetTime = false;
}

bool CObjectRTC::DoOK() {
  WriteCommonRecord();
  // The generated program talks to the clock through its bus by name: without one it would
  // not build.
  if ((*m_pObject)[RtcSlots::Bus].isEmpty()) {
    m_sFocusKey = QStringLiteral("i2cBus");
    return Reject(
        QStringLiteral("No I2C bus is selected.  Please choose the I2C bus the RTC is on."));
  }
  return true;
}
