#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

#include "editors/EditorField.h"
#include "model/KindSlots.h"
#include "model/KyvDoc.h"
#include "model/ObjectType.h"
#include "model/PinClaim.h"

// The logic shared by every object editor. A dialog (or kyv-cli, or a test) opens the editor on
// a record, copies its controls into the members, and calls the operations; it shows the
// members again after each of them.
//
// OK follows one protocol for every kind: the controls' forms (CheckControls, the pin texts, the
// numbers the generated program takes), a new object's
// name (ObjectNameProblem), then the kind's own OK: write the record (m_bValid true), run the
// kind's checks in its order, and only when all pass release the name's old pins and claim the
// new ones with their roles. A failed check shows its message, sets m_bValid false and keeps
// the editor open; PinTable is then untouched. An accepted OK marks the document modified.
class CObjectEditor {
 public:
  explicit CObjectEditor(ObjectType kind) : m_nKind(kind) {}
  virtual ~CObjectEditor() = default;

  CCodeObject* m_pObject = nullptr;  // the record being filled or changed; not owned
  CKyvDoc* m_pDoc = nullptr;         // not owned
  int m_nMode = 0;                   // 0 new object, 1 edit an existing one

  QString m_sDescription;
  QString m_sName;
  // Key of the field that should take the focus after a refused OK; "" for none.
  QString m_sFocusKey;

  enum Mode { kNewMode = 0, kEditMode = 1 };

  ObjectType Kind() const { return m_nKind; }
  // The kind's texts from the kind registry.
  // The dialog's title; in edit mode a title that offers to add one offers to edit it instead.
  virtual QString Title() const;
  virtual QString DefaultNameFormat() const;  // "SimpleVGA%d"

  // Sets the three references, then: description, the kind's lists, and the members from the
  // defaults (new mode, name from the kind counter) or from the record (edit mode: every field
  // stored in a record slot, then AfterRecordLoaded).
  void Open(CCodeObject* object, CKyvDoc* doc, int mode);
  // Returns whether the editor may close. The caller has copied the controls into the members.
  bool OnOK();
  // Cancel changes neither the record nor PinTable.
  void OnCancel() {}

  // The controls in tab order, top to bottom, bound to this editor's members.
  virtual QList<CEditorField> Fields() = 0;

  bool IsNameReadOnly() const { return m_nMode == kEditMode; }
  // The proposed name: the format with the kind's counter + 1.
  QString DefaultName() const;

 protected:
  virtual QString DescriptionText() const;
  // Checks the form of control texts before anything is written (a field that must hold an
  // integer); shows its own message, sets m_sFocusKey and returns false to stop the OK.
  virtual bool CheckControls() { return true; }
  // The pin texts the kind's OK reads with the current settings (members bound to fields). OK
  // refuses any that is not a decimal integer before anything is written or claimed.
  virtual QList<const QString*> PinTexts() { return {}; }
  virtual void FillLists() {}
  virtual void LoadDefaults() = 0;
  // Edit mode, after the stored fields were loaded: members the record does not keep directly.
  virtual void AfterRecordLoaded() {}
  // The kind's OK after the members are current; returns Reject(...) on a failed check.
  virtual bool DoOK() = 0;

  // Error path: shows the message, marks the record invalid, returns false.
  bool Reject(const QString& text, MessageStyle style = MessageStyle::Error);
  // Reject with the focus on the field bound to the member the message is about.
  bool RejectField(const QString* member, const QString& text,
                   MessageStyle style = MessageStyle::Error);
  // The key of the field bound to a text member; "" when no field is.
  QString KeyOf(const QString* member);
  // Writes m_nType, m_sName and every field stored in a record slot, and sets m_bValid true:
  // the start of every kind's record write.
  void WriteCommonRecord();
  // For new objects: the preferred base of a block of count pins when all of them are free,
  // else the nearest free base that is a multiple of step and at most highestBase (the lower
  // one of two as near); the preferred base when no block is free (OK then says why).
  int ProposedBase(int preferred, int count, int step, int highestBase) const;
  // The base of the block of count pins nearest to `from` whose pins nobody else holds: a
  // multiple of step from 0 to highestBase, the lower one of two as near. None when no block is
  // free.
  std::optional<int> NearestFreeBase(int from, int count, int step, int highestBase) const;
  // Why the block of count pins at base is refused: every clashing pin (ascending) with its
  // holder, "Pin #48 is already in use by SimpleVGA1." for one, then the nearest free block.
  QString BlockInUseMessage(int base, const QList<int>& clashing, int count, int step,
                            int highestBase) const;
  // In-use check over the block of pins at base (in 0..63: the kind's range checks ran first),
  // then release and claim with roles. On a conflict: Reject with BlockInUseMessage and the
  // focus on the field of pinText.
  bool ClaimBlock(int base, const QList<CPinRole>& pins, const QString* pinText, int step,
                  int highestBase);

  CMessageService& Messages() const { return m_pDoc->Messages(); }
  // The name field as a common field description ("Object Name:" unless the dialog says
  // otherwise; the key is always "name").
  CEditorField NameField();
  CEditorField NameField(const QString& label);
  // The read-only description box at the top of every dialog.
  CEditorField DescriptionField();

  // Names of the document's objects of one kind, in list order (the bus and QVGA lists).
  QStringList NamesOfKind(ObjectType kind) const;
  // The text of a list's selected entry; "" when nothing is selected.
  static QString SelectedItem(const QStringList& items, int index) {
    return index >= 0 && index < items.size() ? items[index] : QString();
  }
  // The document's P2 clock in Hz: underscores removed, then converted as a C library would.
  int ClockHz() const;

 private:
  bool CheckPinTexts();
  // Every text member kept in a numeric slot (NumericFields) must hold a number in its range.
  bool CheckNumberFields();
  void LoadFromRecord();

  ObjectType m_nKind;
};
