#include "editors/ObjectEditor.h"

#include <QMap>
#include <algorithm>
#include <cstdlib>

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

QString CObjectEditor::Title() const {
  const QString& title = FindKind(m_nKind)->m_sEditorTitle;
  // A title that says "Add ..." would be wrong on an object that exists already.
  if (m_nMode != kEditMode) return title;
  for (const QString& add :
       {QStringLiteral("Add a "), QStringLiteral("Add an "), QStringLiteral("Add ")})
    if (title.startsWith(add)) return QStringLiteral("Edit ") + title.mid(add.size());
  return title;
}

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

int CObjectEditor::ProposedBase(int preferred, int count, int step, int highestBase) const {
  return NearestFreeBase(preferred, count, step, highestBase).value_or(preferred);
}

std::optional<int> CObjectEditor::NearestFreeBase(int from, int count, int step,
                                                  int highestBase) const {
  const CPinClaim claim(*m_pDoc, m_sName);
  const auto isFree = [&](int base) {
    for (int pin = base; pin < base + count; ++pin)
      if (pin >= CKyvDoc::kPinCount || claim.IsHeldByOther(pin)) return false;
    return true;
  };
  std::optional<int> nearest;
  for (int base = 0; base <= highestBase; base += std::max(step, 1)) {
    if (!isFree(base)) continue;
    // In ascending order, so a base only as near as the one found stays behind it.
    if (!nearest || std::abs(base - from) < std::abs(*nearest - from)) nearest = base;
  }
  return nearest;
}

QString CObjectEditor::BlockInUseMessage(int base, const QList<int>& clashing, int count, int step,
                                         int highestBase) const {
  const CPinClaim claim(*m_pDoc, m_sName);
  // The clashing pins by holder, holders in the order of their first pin.
  QStringList holders;
  QMap<QString, QStringList> pinsOf;
  for (const int pin : clashing) {
    if (!pinsOf.contains(claim.Holder(pin))) holders.append(claim.Holder(pin));
    pinsOf[claim.Holder(pin)].append(QStringLiteral("#%1").arg(pin));
  }
  QStringList parts;
  for (const QString& holder : holders) {
    QStringList pins = pinsOf[holder];
    const QString last = pins.takeLast();
    const QString named =
        pins.isEmpty()
            ? QStringLiteral("pin ") + last
            : QStringLiteral("pins %1 and %2").arg(pins.join(QStringLiteral(", ")), last);
    parts.append(
        parts.isEmpty()
            ? QStringLiteral("%1 %2 already in use by %3")
                  .arg(named, pins.isEmpty() ? QStringLiteral("is") : QStringLiteral("are"), holder)
            : QStringLiteral("%1 by %2").arg(named, holder));
  }
  QString text = parts.join(QStringLiteral(", ")) + u'.';
  text[0] = text[0].toUpper();
  const std::optional<int> free = NearestFreeBase(base, count, step, highestBase);
  if (count == 1)
    text += free ? QStringLiteral(" The nearest free pin is #%1.").arg(*free)
                 : QStringLiteral(" No pin is free: move or delete an object first.");
  else
    text += free ? QStringLiteral(" The nearest free block of %1 pins starts at pin %2.")
                       .arg(count)
                       .arg(*free)
                 : QStringLiteral(
                       " No block of %1 free pins is left: move or delete an object "
                       "first.")
                       .arg(count);
  return text;
}

bool CObjectEditor::ClaimBlock(int base, const QList<CPinRole>& pins, const QString* pinText,
                               int step, int highestBase) {
  CPinClaim claim(*m_pDoc, m_sName);
  QList<int> clashing;
  for (const int pin : CPinClaim::PinsOf(pins))
    if (claim.IsHeldByOther(pin) && !clashing.contains(pin)) clashing.append(pin);
  if (!clashing.isEmpty()) {
    std::sort(clashing.begin(), clashing.end());
    return RejectField(pinText, BlockInUseMessage(base, clashing, static_cast<int>(pins.size()),
                                                  step, highestBase));
  }
  claim.Commit(pins);
  return true;
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
