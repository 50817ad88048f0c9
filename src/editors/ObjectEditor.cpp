#include "editors/ObjectEditor.h"

void CObjectEditor::Open(CCodeObject* object, CKyvDoc* doc, int mode) {
  m_pObject = object;
  m_pDoc = doc;
  m_nMode = mode;
  m_sDescription = DescriptionText();
  FillLists();
  if (m_nMode == kNewMode) {
    m_sName = DefaultName();
    LoadDefaults();
  } else {
    m_sName = m_pObject->m_sName;
    LoadFromRecord();
  }
}

QString CObjectEditor::DefaultName() const {
  QString format = DefaultNameFormat();
  return format.replace(QStringLiteral("%d"), QString::number(m_pDoc->m_nTypeCount[Kind()] + 1));
}

bool CObjectEditor::OnOK() { return DoOK(); }

bool CObjectEditor::Reject(const QString& text, MessageStyle style) {
  if (style == MessageStyle::Error)
    Messages().ShowError(text);
  else
    Messages().ShowPlain(text);
  m_pObject->m_bValid = false;
  return false;
}

void CObjectEditor::WriteCommonRecord() {
  m_pObject->m_nType = Kind();
  m_pObject->m_sName = m_sName;
  m_pObject->m_bValid = true;
}

bool CObjectEditor::ClaimPins(const QList<CPinRole>& pins,
                              const CPinClaim::HolderFilter& mayTakeOver) {
  CPinClaim claim(*m_pDoc, m_sName);
  if (const auto conflict = claim.FirstConflict(CPinClaim::PinsOf(pins), mayTakeOver))
    return Reject(claim.InUseMessage(*conflict));
  claim.Commit(pins);
  return true;
}

CEditorField CObjectEditor::NameField() {
  CEditorField field;
  field.m_kind = FieldKind::Text;
  field.m_sKey = QStringLiteral("name");
  field.m_sLabel = QStringLiteral("Object Name:");
  field.m_sHelp = QStringLiteral("name of the object in the generated program");
  field.m_pText = &m_sName;
  field.m_bReadOnlyInEdit = true;
  return field;
}
