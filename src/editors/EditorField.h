#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <variant>

#include "model/RecordSlot.h"

class CCodeObject;

// What kind of control a field is, and so how its member is bound.
enum class FieldKind {
  Text,        // line edit                          -> QString member
  ComboText,   // editable drop-down list            -> QString member, items are suggestions
  ComboIndex,  // fixed drop-down list               -> int member, index into items
  Radio,       // radio group (label = group caption) -> int member, index into items
  Check,       // check box                          -> bool member
  Slider,      // slider from min to max             -> int member, the position
  Display,     // read-only text the editor computes -> QString member
  Button,      // push button                        -> action only
  Note,        // static text                        -> label only
};

// One control of an editor dialog, bound to the editor member it shows. The Qt dialogs lay out
// and bind their controls from these; kyv-cli sets them by key. The editor owns the members, so
// a field is only valid while its editor lives.
struct CEditorField {
  FieldKind m_kind = FieldKind::Text;
  QString m_sKey;    // command-line key: the label in lowerCamelCase ("SCL Pin:" -> sclPin)
  QString m_sLabel;  // label, check-box or button text, group caption for radios
  QString m_sHelp;   // what the value means, for "kyv-cli add KIND --help"
  QString m_sHint;   // text shown after the control ("Must be a multiple of 4")
  QString m_sGroup;  // caption of the group box the control sits in; empty for none
  QStringList m_items;
  // Radio groups whose buttons stand apart in the dialog (each heading its own group box) are
  // listed once per button: the field shows only button m_items[m_nRadioButton] and binds the
  // group's index. -1: the field is the whole group. Only the field of button 0 is set by key.
  int m_nRadioButton = -1;
  QList<int> m_disabledItems;  // radios shown greyed out, never selectable
  int m_nMin = 0;
  int m_nMax = 0;

  QString* m_pText = nullptr;
  int* m_pIndex = nullptr;
  bool* m_pFlag = nullptr;

  // Runs after the user changed the control (slider moved, radio chosen, list item picked) or,
  // for a button, when it is pressed. The caller copies the controls into the members first and
  // shows the members again afterwards.
  std::function<void()> m_onChanged;

  bool m_bReadOnlyInEdit = false;  // the object name

  // The record slot the member is kept in, when it is kept. Text members keep their text (a
  // number slot holds the text's value); list and radio members keep the index, or the chosen
  // item's text in a text slot, or "the second item chosen" in a flag; sliders keep the
  // position; check boxes their state.
  std::variant<std::monostate, CTextSlot, CIntSlot, CFlagSlot> m_slot;
  bool IsStored() const { return !std::holds_alternative<std::monostate>(m_slot); }
  // Record -> member, as an editor opened on an existing object shows it. A slider's position
  // is kept within its range, whatever a damaged file says; a list item the list does not hold
  // selects nothing (-1).
  void LoadFrom(const CCodeObject& record) const;
  // Member -> record, as OK writes it.
  void StoreIn(CCodeObject& record) const;

  // Whether kyv-cli may set it: everything but display texts, buttons and notes.
  bool IsSettable() const;
  // Applies a value as a user typing or clicking would, then runs m_onChanged. Radio groups and
  // fixed lists take an item's text or an index, never a disabled item; a list with an item
  // that is a number (the filter lengths "2", "3", "5", "8") takes only item texts, since an
  // index would read as another item. Check boxes take 0/1/true/false, sliders a position
  // within their range. Returns false with a message naming the key when the value does not fit.
  bool SetFromText(const QString& value, QString* error);
  bool TakesItemTextOnly() const;
  // The member's current value as text (the index for radio groups and fixed lists).
  QString ValueText() const;

  // Field makers; the key is the label in lowerCamelCase (KeyFromLabel).
  static CEditorField Text(const QString& label, const QString& help, QString* member,
                           const QString& hint = {});
  static CEditorField Check(const QString& label, const QString& help, bool* member);
  static CEditorField Combo(const QString& label, const QString& help, const QStringList& items,
                            int* member);
  static CEditorField EditableCombo(const QString& label, const QString& help,
                                    const QStringList& items, QString* member);
  static CEditorField RadioGroup(const QString& label, const QString& help,
                                 const QStringList& items, int* member);
  static CEditorField Slider(const QString& label, const QString& help, int min, int max,
                             int* member);
  static CEditorField Display(const QString& key, const QString& help, QString* member);
  static CEditorField Button(const QString& label, std::function<void()> pressed);
  static CEditorField NoteText(const QString& text);
  // A note whose text the editor computes; the dialog shows the member after every operation.
  static CEditorField NoteText(const QString& key, QString* member);

  // Copies with one more property, for fields listed inline.
  CEditorField InGroup(const QString& group) const;
  CEditorField WhenChanged(std::function<void()> handler) const;
  template <typename Slot>
  CEditorField StoredIn(Slot slot) const {
    CEditorField copy = *this;
    copy.m_slot = slot;
    return copy;
  }

  // "SCL Pin:" -> sclPin, "Speed (kHz):" -> speedKHz, "Set Time to PC's Time" -> setTimeToPCsTime:
  // apostrophes dropped, words split at every other non-alphanumeric character, the first word
  // in lower case, each later word with a capital first letter.
  static QString KeyFromLabel(const QString& label);
};
