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
                          m_busItems, &m_nBus),
      CEditorField::Combo(QStringLiteral("RTC Type:"), QStringLiteral("the clock chip"),
                          RtcTypeItems(), &m_nRtcType),
      CEditorField::Check(QStringLiteral("Set Time to PC's Time"),
                          QStringLiteral("at start-up, set the clock to the time of generation"),
                          &m_bSetTime),
  };
}

void CObjectRTC::FillLists() { m_busItems = NamesOfKind(OBJ_I2C_BUS); }

void CObjectRTC::LoadDefaults() {
  m_nBus = m_busItems.isEmpty() ? -1 : 0;
  m_nRtcType = 0;
  m_bSetTime = false;
}

void CObjectRTC::AfterRecordLoaded() {
  m_nBus = static_cast<int>(m_busItems.indexOf(m_pObject->m_sParam[0]));
  m_nRtcType = static_cast<int>(RtcTypeItems().indexOf(m_pObject->m_sParam[1]));
  m_bSetTime = m_pObject->m_bParam[0];
}

bool CObjectRTC::DoOK() {
  WriteCommonRecord();
  m_pObject->m_sParam[0] = SelectedItem(m_busItems, m_nBus);
  m_pObject->m_sParam[1] = SelectedItem(RtcTypeItems(), m_nRtcType);
  m_pObject->m_bParam[0] = m_bSetTime;
  // The generated program talks to the clock through its bus by name: without one it would
  // not build.
  if (m_pObject->m_sParam[0].isEmpty()) {
    m_sFocusKey = QStringLiteral("i2cBus");
    return Reject(
        QStringLiteral("No I2C bus is selected.  Please choose the I2C bus the RTC is on."));
  }
  return true;
}
