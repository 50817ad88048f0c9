#include "editors/ObjectFilters.h"

#include "editors/FieldBuilders.h"

QString CObjectFilters::Title() const {
  return QStringLiteral("Configure the Global Digital Filters");
}

QString CObjectFilters::DefaultNameFormat() const { return QStringLiteral("Filter%d"); }

QString CObjectFilters::DescriptionText() const {
  return QStringLiteral(
      "The P2 Hub has digital filters that essentially low pass filter digital input to all "
      "pins and replace the value of IN when selected in the smartpin settings. The Hub samples "
      "IN values every Tap # of clocks and only when the last Length # of these values agree "
      "does the apparent value of IN change. This filter can be enabled on a specific pin using "
      "a Smart Digital I/O Pin object. See the \"Configuring the Digital Filters for Smart "
      "Pins\" section of the P2 Docs for more info.");
}

void CObjectFilters::LoadDefaults() {
  m_bSet.fill(true);
  m_nLength.fill(0);
  m_nTap.fill(0);
  OnSliderMoved();
}

void CObjectFilters::LoadFromRecord() {
  for (int i = 0; i < kFilterCount; ++i) {
    m_nLength[i] = m_pObject->m_nParam[i];
    m_nTap[i] = m_pObject->m_nParam[kFilterCount + i];
    m_bSet[i] = m_pObject->m_bParam[i];
  }
  OnSliderMoved();
}

void CObjectFilters::OnSliderMoved() {
  for (int i = 0; i < kFilterCount; ++i) m_sTap[i] = QString::number(m_nTap[i]);
}

bool CObjectFilters::DoOK() {
  WriteCommonRecord();
  for (int i = 0; i < kFilterCount; ++i) {
    m_pObject->m_nParam[i] = m_nLength[i];
    m_pObject->m_nParam[kFilterCount + i] = m_nTap[i];
    m_pObject->m_bParam[i] = m_bSet[i];
  }
  return true;
}

QList<CEditorField> CObjectFilters::Fields() {
  QList<CEditorField> fields = {NameField()};
  for (int i = 0; i < kFilterCount; ++i)
    fields.append(
        CheckField(QStringLiteral("setFilter%1").arg(i), QStringLiteral("Set Filter #%1").arg(i),
                   QStringLiteral("the generated program sets filt%1").arg(i), &m_bSet[i]));
  for (int i = 0; i < kFilterCount; ++i)
    fields.append(RadioField(
        QStringLiteral("filter%1Length").arg(i), QStringLiteral("Filter%1 Length").arg(i),
        {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("8")},
        QStringLiteral("samples that must agree before IN changes"), &m_nLength[i]));
  for (int i = 0; i < kFilterCount; ++i) {
    const QString group = QStringLiteral("Filter%1 Tap").arg(i);
    CEditorField tap =
        InGroup(SliderField(QStringLiteral("filter%1Tap").arg(i), QString(), 0, 31,
                            QStringLiteral("tap code: how often IN is sampled"), &m_nTap[i]),
                group);
    tap.m_onChanged = [this] { OnSliderMoved(); };
    fields.append(tap);
    fields.append(InGroup(
        DisplayField(QStringLiteral("filter%1TapText").arg(i), QString(), &m_sTap[i]), group));
  }
  return fields;
}
