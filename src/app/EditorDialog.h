#pragma once

#include <QDialog>
#include <QHash>
#include <QList>

#include "app/AccessKeys.h"
#include "editors/ObjectEditor.h"

class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QRadioButton;
class QTextEdit;
class QVBoxLayout;

// The modal dialog of every object editor, built from the editor's Fields(): the kind's icon and
// the description at the top, then the controls in tab order, then OK and Cancel. The dialog
// holds no values of its own: it copies its controls into the editor's members before each
// operation (OK, a handler) and shows the members again after it.
//
// Every control is named after its field's key (a radio button after the key and its index,
// "filter_1"), so that tests can find it.
class CEditorDialog : public QDialog {
  Q_OBJECT

 public:
  // The editor must already be open (CObjectEditor::Open) and must outlive the dialog.
  explicit CEditorDialog(CObjectEditor& editor, QWidget* parent = nullptr);

  // Opens the editor on the record in the given mode and runs its dialog modally. True when the
  // editor accepted an OK.
  static bool Run(CObjectEditor& editor, CCodeObject& object, CKyvDoc& doc, int mode,
                  QWidget* parent);

  // OK: the editor's OK on the current controls; the dialog stays open when the editor refuses.
  void accept() override;
  // Cancel or Escape: closes without touching the record.
  void reject() override;

 private:
  // The widgets that show one field.
  struct CControl {
    QWidget* m_pWidget = nullptr;       // line edit, combo box, check box, slider, button, note
    QButtonGroup* m_pRadios = nullptr;  // radio groups
    bool m_bOwnsRadios = true;          // false for the later buttons of a split group
  };

  void BuildLayout();
  // A radio group that is a group box of its own (not split, not inside another box).
  bool IsRadioGroupBox(int index) const;
  bool IsBox(int index) const;
  QWidget* BuildRadioGroup(int index, bool preferLine);
  QWidget* BuildGroupBox(int first, int last);
  // Adds field `index` as a row (label, control, hint) of a grid. A display without a label
  // joins the control of the row above it (the value shown beside a slider or check box).
  void AddRow(QGridLayout* grid, int index);
  QWidget* CreateControl(int index);
  QRadioButton* AddRadio(int index, int item, const QString& text);
  void FitDescription(QTextEdit* description, int width);
  void ConnectHandler(int index);
  void SetTabOrder();
  // After a refused OK: the control the editor names, with its text selected for retyping.
  void FocusField(const QString& key);

  // The editor's fields less its description, which the box at the top shows.
  QList<CEditorField> DialogFields() const;
  void RefreshFields();
  void ControlsToMembers();
  void MembersToControls();
  // A control the user changed: controls -> members, the field's handler, members -> controls.
  void RunHandler(int index);

  CObjectEditor& m_editor;
  QList<CEditorField> m_fields;
  QList<CControl> m_controls;  // parallel to m_fields
  QList<QWidget*> m_tabOrder;
  QHash<int*, QButtonGroup*> m_splitRadios;  // radio groups whose buttons stand apart, by member
  CAccessKeys m_keys;
  QHBoxLayout* m_pLastRowControls = nullptr;  // where a following unlabelled display goes
  bool m_bUpdating = false;                   // members are being shown: no handlers
};
