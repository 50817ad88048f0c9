#include "editors/ObjectFilters.h"

void CObjectFilters::LoadDefaults() {
  m_bSet.fill(true);
  m_nLength.fill(0);
  m_nTap.fill(0);
  OnSliderMoved();
}

void CObjectFilters::AfterRecordLoaded() { OnSliderMoved(); }

void CObjectFilters::OnSliderMoved() {
  for (int i = 0; i < kFilterCount; ++i) m_sTap[i] = QString::number(m_nTap[i]);
}

bool CObjectFilters::DoOK() {
  WriteCommonRecord();
  return true;
}

QList<CEditorField> CObjectFilters::Fields() {
  QList<CEditorField> fields = {DescriptionField(), NameField()};
  for (int i = 0; i < kFilterCount; ++i)
    fields.append(CEditorField::Check(QStringLiteral("Set Filter #%1").arg(i),
                                      QStringLiteral("the generated program sets filt%1").arg(i),
                                      &m_bSet[i])
                      .StoredIn(FiltersSlots::Enabled(i)));
  for (int i = 0; i < kFilterCount; ++i)
    fields.append(
        CEditorField::RadioGroup(
            QStringLiteral("Filter%1 Length").arg(i),
            QStringLiteral("samples that must agree before IN changes"),
            {QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("8")},
            &m_nLength[i])
            .StoredIn(FiltersSlots::Length(i)));
  for (int i = 0; i < kFilterCount; ++i) {
    // Each group box holds a bare slider and its value below it.
    const QString group = QStringLiteral("Filter%1 Tap").arg(i);
    CEditorField tap = CEditorField::Slider(
        QString(), QStringLiteral("tap code: how often IN is sampled"), 0, 31, &m_nTap[i]);
    tap.m_sKey = CEditorField::KeyFromLabel(group);
    fields.append(
        tap.InGroup(group).WhenChanged([this] { OnSliderMoved(); }).StoredIn(FiltersSlots::Tap(i)));
    fields.append(CEditorField::Display(tap.m_sKey + QStringLiteral("Text"),
                                        QStringLiteral("the tap in decimal"), &m_sTap[i])
                      .InGroup(group));
  }
  return fields;
}
