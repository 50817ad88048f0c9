#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "editors/ObjectEditor.h"

// One button of the picker and where it stands (row and column counted from 0).
struct CPickerButton {
  QString m_sText;
  QString m_sTooltip;
  ObjectType m_nKind;
  int m_nRow;
  int m_nColumn;
};

// The "Pick New Object" dialog's logic: one button per kind opens that kind's editor in new
// mode on a fresh record. The picker stays open when a kind may not be added (its message
// shown) and closes as soon as an editor it opened closes: OK when the editor was accepted.
class CObjectPicker {
 public:
  enum class Result { Open, OK, Cancel };

  CObjectPicker(CCodeObject* object, CKyvDoc* doc) : m_pObject(object), m_pDoc(doc) {}

  CCodeObject* m_pObject;  // the new record, not yet in the document; not owned
  CKyvDoc* m_pDoc;         // not owned

  static QString Title() { return QStringLiteral("Pick New Object"); }
  // The sixteen buttons in display order, row by row.
  static const std::vector<CPickerButton>& Buttons();
  static const CPickerButton* ButtonOf(int kind);

  // The button of a kind: checks what the kind needs in the project first, then returns its
  // editor opened in new mode on the picker's record. nullptr when the kind may not be added
  // now; its message has been shown and the picker stays open.
  std::unique_ptr<CObjectEditor> Press(int kind);
  // The editor that Press returned has closed; this closes the picker.
  void EditorClosed(bool accepted) { m_result = accepted ? Result::OK : Result::Cancel; }
  void OnCancel() { m_result = Result::Cancel; }

  Result GetResult() const { return m_result; }

  // The generated program gives these kinds fixed names, so a project holds one of each.
  static bool IsSingleInstanceKind(int kind);

 private:
  // The plain-box message that stops the kind, or "" when it may be added.
  QString Refusal(int kind) const;
  bool HasObjectOfKind(ObjectType kind) const;

  Result m_result = Result::Open;
};
