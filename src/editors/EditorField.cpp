#include "editors/EditorField.h"

#include <algorithm>
#include <utility>

#include "model/CodeObject.h"
#include "model/TextConversion.h"

bool CEditorField::IsSettable() const {
  if (m_kind == FieldKind::Radio && m_nRadioButton > 0) return false;  // button 0 sets the group
  return m_kind != FieldKind::Display && m_kind != FieldKind::Button && m_kind != FieldKind::Note;
}

bool CEditorField::TakesItemTextOnly() const {
  for (const QString& item : m_items) {
    bool isNumber = false;
    item.toInt(&isNumber);
    if (isNumber) return true;
  }
  return false;
}

bool CEditorField::SetFromText(const QString& value, QString* error) {
  auto fail = [&](const QString& expected) {
    if (error)
      *error =
          QStringLiteral("Invalid value \"%1\" for %2: expected %3.").arg(value, m_sKey, expected);
    return false;
  };
  switch (m_kind) {
    case FieldKind::Text:
    case FieldKind::ComboText:
      *m_pText = value;
      break;
    case FieldKind::ComboIndex:
    case FieldKind::Radio: {
      if (m_items.isEmpty()) return fail(QStringLiteral("an entry, but the list is empty"));
      const bool textOnly = TakesItemTextOnly();
      int index = static_cast<int>(m_items.indexOf(value));
      if (index < 0 && !textOnly) {
        bool ok = false;
        index = value.toInt(&ok);
        if (!ok) index = -1;
      }
      if (index < 0 || index >= m_items.size()) {
        const QString items = m_items.join(QStringLiteral(", "));
        return fail(textOnly ? QStringLiteral("one of: %1").arg(items)
                             : QStringLiteral("an index from 0 to %1 or one of: %2")
                                   .arg(m_items.size() - 1)
                                   .arg(items));
      }
      if (m_disabledItems.contains(index))
        return fail(QStringLiteral("an item other than \"%1\", which cannot be chosen")
                        .arg(m_items[index]));
      *m_pIndex = index;
      break;
    }
    case FieldKind::Check: {
      const QString lower = value.toLower();
      if (lower == u"1" || lower == u"true")
        *m_pFlag = true;
      else if (lower == u"0" || lower == u"false")
        *m_pFlag = false;
      else
        return fail(QStringLiteral("0, 1, true or false"));
      break;
    }
    case FieldKind::Slider: {
      bool ok = false;
      const int position = value.toInt(&ok);
      if (!ok || position < m_nMin || position > m_nMax)
        return fail(QStringLiteral("a position from %1 to %2").arg(m_nMin).arg(m_nMax));
      *m_pIndex = position;
      break;
    }
    case FieldKind::Display:
    case FieldKind::Button:
    case FieldKind::Note:
      if (error) *error = QStringLiteral("%1 cannot be set.").arg(m_sKey);
      return false;
  }
  if (m_onChanged) m_onChanged();
  return true;
}

QString CEditorField::ValueText() const {
  switch (m_kind) {
    case FieldKind::Text:
    case FieldKind::ComboText:
    case FieldKind::Display:
      return m_pText ? *m_pText : QString();
    case FieldKind::ComboIndex:
    case FieldKind::Radio:
    case FieldKind::Slider:
      return m_pIndex ? QString::number(*m_pIndex) : QString();
    case FieldKind::Check:
      return m_pFlag && *m_pFlag ? QStringLiteral("1") : QStringLiteral("0");
    case FieldKind::Button:
    case FieldKind::Note:
      break;
  }
  return QString();
}

namespace {

// The part every labelled maker shares: kind, label, the key derived from it, and the help.
CEditorField Labelled(FieldKind kind, const QString& label, const QString& help) {
  CEditorField field;
  field.m_kind = kind;
  field.m_sKey = CEditorField::KeyFromLabel(label);
  field.m_sLabel = label;
  field.m_sHelp = help;
  return field;
}

}  // namespace

CEditorField CEditorField::Text(const QString& label, const QString& help, QString* member,
                                const QString& hint) {
  CEditorField field = Labelled(FieldKind::Text, label, help);
  field.m_sHint = hint;
  field.m_pText = member;
  return field;
}

CEditorField CEditorField::Check(const QString& label, const QString& help, bool* member) {
  CEditorField field = Labelled(FieldKind::Check, label, help);
  field.m_pFlag = member;
  return field;
}

CEditorField CEditorField::Combo(const QString& label, const QString& help,
                                 const QStringList& items, int* member) {
  CEditorField field = Labelled(FieldKind::ComboIndex, label, help);
  field.m_items = items;
  field.m_pIndex = member;
  return field;
}

CEditorField CEditorField::EditableCombo(const QString& label, const QString& help,
                                         const QStringList& items, QString* member) {
  CEditorField field = Labelled(FieldKind::ComboText, label, help);
  field.m_items = items;
  field.m_pText = member;
  return field;
}

CEditorField CEditorField::RadioGroup(const QString& label, const QString& help,
                                      const QStringList& items, int* member) {
  CEditorField field = Labelled(FieldKind::Radio, label, help);
  field.m_items = items;
  field.m_pIndex = member;
  return field;
}

CEditorField CEditorField::Slider(const QString& label, const QString& help, int min, int max,
                                  int* member) {
  CEditorField field = Labelled(FieldKind::Slider, label, help);
  field.m_nMin = min;
  field.m_nMax = max;
  field.m_pIndex = member;
  return field;
}

CEditorField CEditorField::Display(const QString& key, const QString& help, QString* member) {
  CEditorField field;
  field.m_kind = FieldKind::Display;
  field.m_sKey = key;
  field.m_sHelp = help;
  field.m_pText = member;
  return field;
}

CEditorField CEditorField::Button(const QString& label, std::function<void()> pressed) {
  CEditorField field = Labelled(FieldKind::Button, label, QString());
  field.m_onChanged = std::move(pressed);
  return field;
}

CEditorField CEditorField::NoteText(const QString& text) {
  CEditorField field;
  field.m_kind = FieldKind::Note;
  field.m_sLabel = text;
  return field;
}

CEditorField CEditorField::NoteText(const QString& key, QString* member) {
  CEditorField field = NoteText(QString());
  field.m_sKey = key;
  field.m_pText = member;
  return field;
}

CEditorField CEditorField::InGroup(const QString& group) const {
  CEditorField field = *this;
  field.m_sGroup = group;
  return field;
}

CEditorField CEditorField::WhenChanged(std::function<void()> handler) const {
  CEditorField field = *this;
  field.m_onChanged = std::move(handler);
  return field;
}

QString CEditorField::KeyFromLabel(const QString& label) {
  QString key;
  int word = -1;  // index of the word being written
  bool inWord = false;
  for (const QChar c : label) {
    if (c == u'\'') continue;
    const bool alphanumeric =
        (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
    if (!alphanumeric) {
      inWord = false;
      continue;
    }
    const bool first = !inWord;
    if (first) ++word;
    inWord = true;
    if (word == 0)
      key += c.toLower();
    else
      key += first ? c.toUpper() : c;
  }
  return key;
}

namespace {

template <class... Ts>
struct Overloaded : Ts... {
  using Ts::operator()...;
};
// Clang before 17 does not deduce aggregate template arguments without a guide.
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

void CEditorField::LoadFrom(const CCodeObject& record) const {
  std::visit(Overloaded{
                 [](std::monostate) {},
                 [&](CTextSlot slot) {
                   if (m_pText)
                     *m_pText = record[slot];
                   else if (m_pIndex)
                     *m_pIndex = static_cast<int>(m_items.indexOf(record[slot]));
                 },
                 [&](CIntSlot slot) {
                   if (m_pText)
                     *m_pText = QString::number(record[slot]);
                   else if (m_pIndex && m_kind == FieldKind::Slider)
                     *m_pIndex = std::clamp(record[slot], m_nMin, m_nMax);
                   else if (m_pIndex)
                     *m_pIndex = record[slot];
                 },
                 [&](CFlagSlot slot) {
                   if (m_pFlag)
                     *m_pFlag = record[slot];
                   else if (m_pIndex)
                     *m_pIndex = record[slot] ? 1 : 0;
                 },
             },
             m_slot);
}

void CEditorField::StoreIn(CCodeObject& record) const {
  std::visit(Overloaded{
                 [](std::monostate) {},
                 [&](CTextSlot slot) {
                   if (m_pText)
                     record[slot] = *m_pText;
                   else if (m_pIndex)
                     record[slot] = *m_pIndex >= 0 && *m_pIndex < m_items.size()
                                        ? m_items[*m_pIndex]
                                        : QString();
                 },
                 [&](CIntSlot slot) {
                   if (m_pText)
                     record[slot] = TextToInt(*m_pText);
                   else if (m_pIndex)
                     record[slot] = *m_pIndex;
                 },
                 [&](CFlagSlot slot) {
                   if (m_pFlag)
                     record[slot] = *m_pFlag;
                   else if (m_pIndex)
                     record[slot] = *m_pIndex == 1;
                 },
             },
             m_slot);
}
