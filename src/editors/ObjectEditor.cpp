#include "editors/ObjectEditor.h"

#include "editors/EditorMessages.h"
#include "editors/NumericFields.h"
#include "editors/ObjectNameRules.h"
#include "model/KindRegistry.h"
#include "model/TextConversion.h"

void CObjectEditor::Open(CCodeObject* object, CKyvDoc* doc, int mode) {
  m_pObject = object;
  m_pDoc = doc;
  m_nMode = mode;
  m_sFocusKey.clear();
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

QString CObjectEditor::Title() const { return FindKind(m_nKind)->m_sEditorTitle; }

QString CObjectEditor::DefaultNameFormat() const { return FindKind(m_nKind)->m_sDefaultNameFormat; }

QString CObjectEditor::DescriptionText() const { return FindKind(m_nKind)->m_sDescription; }

void CObjectEditor::LoadFromRecord() {
  for (const CEditorField& field : Fields()) field.LoadFrom(*m_pObject);
  AfterRecordLoaded();
}

QString CObjectEditor::DefaultName() const {
  QString format = DefaultNameFormat();
  return format.replace(QStringLiteral("%d"), QString::number(m_pDoc->m_nTypeCount[Kind()] + 1));
}

bool CObjectEditor::OnOK() {
  m_sFocusKey.clear();
  if (!CheckControls() || !CheckPinTexts() || !CheckNumberFields()) return false;
  // Edit mode keeps the name under which the object already holds its pins.
  if (m_nMode == kNewMode) {
    const QString problem = ObjectNameProblem(*m_pDoc, m_sName);
    if (!problem.isEmpty()) {
      m_sFocusKey = QStringLiteral("name");
      return Reject(problem);
    }
  }
  if (!DoOK()) return false;
  m_pDoc->SetModifiedFlag();
  return true;
}

bool CObjectEditor::Reject(const QString& text, MessageStyle style) {
  if (style == MessageStyle::Error)
    Messages().ShowError(text);
  else
    Messages().ShowPlain(text);
  m_pObject->m_bValid = false;
  // An existing record now holds the rejected values: the project has changed.
  if (m_nMode == kEditMode) m_pDoc->SetModifiedFlag();
  return false;
}

bool CObjectEditor::CheckPinTexts() {
  for (const QString* text : PinTexts()) {
    if (IsPinNumberText(*text)) continue;
    QString label;
    for (const CEditorField& field : Fields())
      if (field.m_pText == text) label = field.m_sLabel;
    m_sFocusKey = KeyOf(text);
    // Nothing is written yet: the record keeps what it held.
    Messages().ShowError(NotAPinNumberMessage(label, *text));
    return false;
  }
  return true;
}

bool CObjectEditor::CheckNumberFields() {
  const QList<CEditorField> fields = Fields();
  for (const CNumericField& number : NumericFields()) {
    if (number.m_nKind != Kind()) continue;
    for (const CEditorField& field : fields) {
      if (!field.m_pText) continue;
      QString problem;
      if (const auto* slot = std::get_if<CTextSlot>(&number.m_slot);
          slot && field.m_slot == decltype(field.m_slot){*slot})
        problem = NumberTextProblem(number, *field.m_pText);
      else if (const auto* intSlot = std::get_if<CIntSlot>(&number.m_slot);
               intSlot && field.m_slot == decltype(field.m_slot){*intSlot})
        problem = NumberValueProblem(number, TextToInt(*field.m_pText));
      if (problem.isEmpty()) continue;
      m_sFocusKey = field.m_sKey;
      // Nothing is written yet: the record keeps what it held.
      Messages().ShowError(problem + QStringLiteral(" Correct it and press OK again."));
      return false;
    }
  }
  return true;
}

bool CObjectEditor::RejectField(const QString* member, const QString& text, MessageStyle style) {
  m_sFocusKey = KeyOf(member);
  return Reject(text, style);
}

QString CObjectEditor::KeyOf(const QString* member) {
  for (const CEditorField& field : Fields())
    if (field.m_pText == member) return field.m_sKey;
  return {};
}

void CObjectEditor::WriteCommonRecord() {
  m_pObject->m_nType = Kind();
  m_pObject->m_sName = m_sName;
  for (const CEditorField& field : Fields()) field.StoreIn(*m_pObject);
  m_pObject->m_bValid = true;
}

bool CObjectEditor::ClaimPins(const QList<CPinRole>& pins, const QString* pinText,
                              const CPinClaim::HolderFilter& mayTakeOver) {
  CPinClaim claim(*m_pDoc, m_sName);
  if (const auto conflict = claim.FirstConflict(CPinClaim::PinsOf(pins), mayTakeOver))
    return RejectField(pinText, claim.InUseMessage(*conflict));
  claim.Commit(pins);
  return true;
}

int CObjectEditor::ProposedBase(int preferred, int count, int step, int highestBase) const {
  const CPinClaim claim(*m_pDoc, m_sName);
  const auto isFree = [&](int base) {
    if (base < 0 || base > highestBase) return false;
    for (int pin = base; pin < base + count; ++pin)
      if (claim.IsHeldByOther(pin)) return false;
    return true;
  };
  if (isFree(preferred)) return preferred;
  for (int distance = step; distance <= CKyvDoc::kPinCount; distance += step) {
    if (isFree(preferred - distance)) return preferred - distance;
    if (isFree(preferred + distance)) return preferred + distance;
  }
  return preferred;
}

CEditorField CObjectEditor::NameField() { return NameField(QStringLiteral("Object Name:")); }

CEditorField CObjectEditor::NameField(const QString& label) {
  CEditorField field;
  field.m_kind = FieldKind::Text;
  field.m_sKey = QStringLiteral("name");
  field.m_sLabel = label;
  field.m_sHelp = QStringLiteral(
      "name of the object in the generated program: letters, digits and underscores, unique in "
      "the project");
  field.m_pText = &m_sName;
  field.m_bReadOnlyInEdit = true;
  return field;
}

CEditorField CObjectEditor::DescriptionField() {
  return CEditorField::Display(QStringLiteral("description"),
                               QStringLiteral("what the object does"), &m_sDescription);
}

QStringList CObjectEditor::NamesOfKind(ObjectType kind) const {
  QStringList names;
  for (const auto& object : m_pDoc->m_ObjectList)
    if (object->m_nType == kind) names.append(object->m_sName);
  return names;
}

int CObjectEditor::ClockHz() const { return TextToInt(RemoveUnderscores(m_pDoc->m_sClockFreq)); }
