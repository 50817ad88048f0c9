#pragma once

#include <QString>
#include <QStringList>

#include <functional>

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

  // Whether kyv-cli may set it: everything but display texts, buttons and notes.
  bool IsSettable() const;
  // Applies a value as a user typing or clicking would, then runs m_onChanged. Radio groups and
  // fixed lists take an index or an item's text; check boxes 0/1/true/false; sliders a position
  // within their range. Returns false with a message naming the key when the value does not fit.
  bool SetFromText(const QString& value, QString* error);
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
  static CEditorField Display(const QString& key, const QString& help, QString* member);
  static CEditorField NoteText(const QString& text);

  // "SCL Pin:" -> sclPin, "Speed (kHz):" -> speedKHz, "Set Time to PC's Time" -> setTimeToPCsTime:
  // apostrophes dropped, words split at every other non-alphanumeric character, the first word
  // in lower case, each later word with a capital first letter.
  static QString KeyFromLabel(const QString& label);
};
