#include "editors/ObjectPicker.h"

#include <algorithm>
#include <utility>

#include "editors/EditorFactory.h"
#include "model/KindRegistry.h"

const std::vector<CPickerButton>& CObjectPicker::Buttons() {
  static const std::vector<CPickerButton> buttons = [] {
    std::vector<CPickerButton> rows;
    for (const CKindInfo& kind : KindRegistry())
      rows.push_back({kind.m_picker.m_sText, kind.m_picker.m_sTooltip, kind.m_nKind,
                      kind.m_picker.m_nRow, kind.m_picker.m_nColumn});
    std::sort(rows.begin(), rows.end(), [](const CPickerButton& a, const CPickerButton& b) {
      return std::pair(a.m_nRow, a.m_nColumn) < std::pair(b.m_nRow, b.m_nColumn);
    });
    return rows;
  }();
  return buttons;
}

const CPickerButton* CObjectPicker::ButtonOf(int kind) {
  for (const CPickerButton& button : Buttons())
    if (button.m_nKind == kind) return &button;
  return nullptr;
}

bool CObjectPicker::IsSingleInstanceKind(int kind) {
  const CKindInfo* info = FindKind(kind);
  return info && info->m_bSingleInstance;
}

bool CObjectPicker::HasObjectOfKind(ObjectType kind) const {
  for (const auto& object : m_pDoc->m_ObjectList)
    if (object->m_nType == kind) return true;
  return false;
}

QString CObjectPicker::Refusal(int kind) const {
  const CKindInfo* info = FindKind(kind);
  if (!info) return QString();
  for (const CKindPrerequisite& needed : info->m_prerequisites)
    if (!HasObjectOfKind(needed.m_nKind)) return needed.m_sMissingMessage;
  if (info->m_bSingleInstance) {
    for (const auto& object : m_pDoc->m_ObjectList) {
      if (object->m_nType != kind) continue;
      return QStringLiteral(
                 "This project already holds %1 (%2).  The generated program can hold "
                 "only one object of this kind.")
          .arg(object->m_sName, info->m_sDisplayName);
    }
  }
  return QString();
}

std::unique_ptr<CObjectEditor> CObjectPicker::Press(int kind) {
  const QString refusal = Refusal(kind);
  if (!refusal.isEmpty()) {
    m_pDoc->Messages().ShowPlain(refusal);
    return nullptr;
  }
  std::unique_ptr<CObjectEditor> editor = CreateEditor(kind);
  if (!editor) {
    m_pDoc->Messages().ShowPlain(QStringLiteral("Unknown object kind %1.").arg(kind));
    return nullptr;
  }
  editor->Open(m_pObject, m_pDoc, CObjectEditor::kNewMode);
  return editor;
}
