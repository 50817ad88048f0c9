#include "editors/EditorField.h"

bool CEditorField::IsSettable() const {
  return m_kind != FieldKind::Display && m_kind != FieldKind::Button && m_kind != FieldKind::Note;
}

bool CEditorField::SetFromText(const QString& value, QString* error) {
  auto fail = [&](const QString& expected) {
    if (error)
      *error = QStringLiteral("Invalid value \"%1\" for %2: expected %3.").arg(value, m_sKey, expected);
    return false;
  };
  switch (m_kind) {
    case FieldKind::Text:
    case FieldKind::ComboText:
      *m_pText = value;
      break;
    case FieldKind::ComboIndex:
    case FieldKind::Radio: {
      int index = static_cast<int>(m_items.indexOf(value));
      if (index < 0) {
        bool ok = false;
        index = value.toInt(&ok);
        if (!ok) index = -1;
      }
      if (index < 0 || index >= m_items.size())
        return fail(QStringLiteral("an index from 0 to %1 or one of: %2")
                        .arg(m_items.size() - 1)
                        .arg(m_items.join(QStringLiteral(", "))));
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
