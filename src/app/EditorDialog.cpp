#include "app/EditorDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QTextEdit>
#include <QVBoxLayout>
#include <cmath>

#include "app/KindIcons.h"
#include "app/ScreenFit.h"

namespace {

constexpr int kIconSize = 48;
constexpr int kMinDialogWidth = 560;
constexpr int kMaxRowWidth = 720;  // group boxes side by side wrap beyond this
constexpr int kEditWidth = 160;
constexpr int kSliderWidth = 200;
constexpr int kBareSliderWidth = 120;
constexpr int kValueWidth = 90;  // the value shown beside a slider or check box

QGridLayout* NewGrid() {
  auto* grid = new QGridLayout;
  grid->setColumnStretch(2, 1);  // hints take the spare room, controls keep their width
  return grid;
}

// QGridLayout::rowCount() is never below 1; this is the next free row.
int NextRow(const QGridLayout* grid) { return grid->count() == 0 ? 0 : grid->rowCount(); }

void SetItems(QComboBox* combo, const QStringList& items) {
  QStringList current;
  for (int i = 0; i < combo->count(); ++i) current.append(combo->itemText(i));
  if (current == items) return;
  const QString text = combo->currentText();
  combo->clear();
  combo->addItems(items);
  if (combo->isEditable()) combo->setEditText(text);
}

}  // namespace

CEditorDialog::CEditorDialog(CObjectEditor& editor, QWidget* parent)
    : QDialog(parent), m_editor(editor), m_fields(DialogFields()) {
  setWindowTitle(m_editor.Title());
  setWindowIcon(KindIcon(m_editor.Kind()));
  BuildLayout();
  MembersToControls();
}

bool CEditorDialog::Run(CObjectEditor& editor, CCodeObject& object, CKyvDoc& doc, int mode,
                        QWidget* parent) {
  editor.Open(&object, &doc, mode);
  CEditorDialog dialog(editor, parent);
  return dialog.exec() == QDialog::Accepted;
}

void CEditorDialog::BuildLayout() {
  // The body (description and controls) scrolls above the buttons when the screen is too small
  // for the whole dialog; its margins are the dialog's own.
  auto* top = new QVBoxLayout;
  top->setContentsMargins(style()->pixelMetric(QStyle::PM_LayoutLeftMargin),
                          style()->pixelMetric(QStyle::PM_LayoutTopMargin),
                          style()->pixelMetric(QStyle::PM_LayoutRightMargin),
                          style()->pixelMetric(QStyle::PM_LayoutBottomMargin));

  auto* header = new QHBoxLayout;
  auto* icon = new QLabel;
  icon->setObjectName(QStringLiteral("kindIcon"));
  icon->setPixmap(KindIcon(m_editor.Kind()).pixmap(kIconSize, kIconSize));
  icon->setFixedSize(kIconSize, kIconSize);
  header->addWidget(icon, 0, Qt::AlignTop);
  auto* description = new QTextEdit;
  description->setObjectName(QStringLiteral("description"));
  description->setReadOnly(true);
  description->setFocusPolicy(Qt::ClickFocus);  // Tab goes straight to the controls
  description->setPlainText(
      QString(m_editor.m_sDescription).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  description->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  header->addWidget(description, 1);
  top->addLayout(header);

  m_controls.resize(m_fields.size());

  // One grid holds every row, so that labels and controls line up from top to bottom.
  // Consecutive group boxes of one sort (radio groups, or fields sharing a group caption)
  // stand side by side in a row of the grid as far as the row width allows.
  auto* grid = NewGrid();
  top->addLayout(grid);
  QList<QWidget*> boxes;
  bool boxesAreRadioGroups = false;
  auto placeBoxes = [&] {
    if (boxes.isEmpty()) return;
    QHBoxLayout* row = nullptr;
    int rowWidth = 0;
    for (QWidget* box : boxes) {
      const int width = box->sizeHint().width();
      if (!row || rowWidth + width > kMaxRowWidth) {
        row = new QHBoxLayout;
        grid->addLayout(row, NextRow(grid), 0, 1, 3);
        rowWidth = 0;
      }
      row->addWidget(box);
      rowWidth += width + row->spacing();
    }
    boxes.clear();
    m_pLastRowControls = nullptr;
  };
  auto addBox = [&](QWidget* box, bool radioGroup) {
    if (!boxes.isEmpty() && radioGroup != boxesAreRadioGroups) placeBoxes();
    boxesAreRadioGroups = radioGroup;
    boxes.append(box);
  };
  for (int i = 0; i < m_fields.size(); ++i) {
    const CEditorField& field = m_fields[i];
    if (!field.m_sGroup.isEmpty()) {
      int last = i;
      while (last + 1 < m_fields.size() && m_fields[last + 1].m_sGroup == field.m_sGroup) ++last;
      addBox(BuildGroupBox(i, last), false);
      i = last;
    } else if (IsRadioGroupBox(i)) {
      // A radio group standing alone lays its radios out in a line when they fit.
      const bool alone = !(i > 0 && IsBox(i - 1)) && !(i + 1 < m_fields.size() && IsBox(i + 1));
      addBox(BuildRadioGroup(i, alone), true);
    } else {
      placeBoxes();
      AddRow(grid, i);
    }
  }
  placeBoxes();

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("ok"));
  QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &CEditorDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CEditorDialog::reject);
  m_tabOrder.append(ok);
  m_tabOrder.append(cancel);

  // The controls decide the width; the description wraps to it.
  const QMargins margins = top->contentsMargins();
  const int width = std::max(kMinDialogWidth, top->sizeHint().width());
  FitDescription(description,
                 width - margins.left() - margins.right() - kIconSize - header->spacing());
  SetScrollingBody(*this, top, buttons);
  ok->setDefault(true);  // Enter; only once the button is inside the dialog

  for (int i = 0; i < m_fields.size(); ++i) ConnectHandler(i);
  SetTabOrder();
}

void CEditorDialog::FitDescription(QTextEdit* description, int width) {
  description->setFixedWidth(width);
  const int frame = 2 * description->frameWidth();
  QTextDocument* document = description->document();
  document->setTextWidth(width - frame);
  // Shown whole: on a screen too small for it the dialog's body scrolls, description and all.
  description->setFixedHeight(static_cast<int>(std::ceil(document->size().height())) + frame);
  description->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

bool CEditorDialog::IsRadioGroupBox(int index) const {
  const CEditorField& field = m_fields[index];
  return field.m_kind == FieldKind::Radio && field.m_nRadioButton < 0 && field.m_sGroup.isEmpty();
}

bool CEditorDialog::IsBox(int index) const {
  return IsRadioGroupBox(index) || !m_fields[index].m_sGroup.isEmpty();
}

QWidget* CEditorDialog::BuildRadioGroup(int index, bool preferLine) {
  const CEditorField& field = m_fields[index];
  auto* box = new QGroupBox(m_keys.Mark(field.m_sLabel));
  box->setObjectName(field.m_sKey);
  m_controls[index].m_pWidget = box;
  m_controls[index].m_pRadios = new QButtonGroup(box);
  QList<QRadioButton*> radios;
  int lineWidth = 0;
  for (int item = 0; item < field.m_items.size(); ++item) {
    radios.append(AddRadio(index, item, CAccessKeys::Literal(field.m_items[item])));
    lineWidth += radios.back()->sizeHint().width() +
                 style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing);
  }
  QBoxLayout* layout = nullptr;
  if (preferLine && lineWidth <= kMaxRowWidth)
    layout = new QHBoxLayout(box);
  else
    layout = new QVBoxLayout(box);
  for (QRadioButton* radio : radios) layout->addWidget(radio);
  layout->addStretch();
  return box;
}

QRadioButton* CEditorDialog::AddRadio(int index, int item, const QString& text) {
  const CEditorField& field = m_fields[index];
  auto* radio = new QRadioButton(text);
  radio->setObjectName(QStringLiteral("%1_%2").arg(field.m_sKey).arg(item));
  radio->setEnabled(!field.m_disabledItems.contains(item));
  m_controls[index].m_pRadios->addButton(radio, item);
  m_tabOrder.append(radio);
  return radio;
}

QWidget* CEditorDialog::BuildGroupBox(int first, int last) {
  auto* box = new QGroupBox(CAccessKeys::Literal(m_fields[first].m_sGroup));
  auto* grid = NewGrid();
  box->setLayout(grid);
  m_pLastRowControls = nullptr;
  for (int i = first; i <= last; ++i) AddRow(grid, i);
  m_pLastRowControls = nullptr;
  return box;
}

void CEditorDialog::AddRow(QGridLayout* grid, int index) {
  const CEditorField& field = m_fields[index];
  QWidget* control = CreateControl(index);
  auto hintLabel = [&field] {
    auto* hint = new QLabel(field.m_sHint);
    hint->setTextFormat(Qt::PlainText);
    return hint;
  };
  const bool unlabelled = field.m_sLabel.isEmpty();
  if (field.m_kind == FieldKind::Display && unlabelled && m_pLastRowControls) {
    control->setFixedWidth(kValueWidth);
    m_pLastRowControls->addWidget(control);
    if (!field.m_sHint.isEmpty()) m_pLastRowControls->addWidget(hintLabel());
    return;
  }

  const int row = NextRow(grid);
  auto* controls = new QHBoxLayout;
  controls->addWidget(control);
  m_pLastRowControls = controls;
  // A radio row inside a group box repeats the box's caption as its label only when it differs.
  const bool labelled = !unlabelled && field.m_sLabel != field.m_sGroup;
  switch (field.m_kind) {
    case FieldKind::Note:
      grid->addWidget(control, row, 0, 1, 3);
      m_pLastRowControls = nullptr;
      return;
    case FieldKind::Check:
      grid->addLayout(controls, row, 0, 1, 2);
      break;
    case FieldKind::Button:
      controls->addStretch();
      grid->addLayout(controls, row, 1);
      break;
    case FieldKind::Display:
      if (labelled) {
        grid->addWidget(new QLabel(CAccessKeys::Literal(field.m_sLabel)), row, 0);
        grid->addLayout(controls, row, 1);
      } else {
        control->setFixedWidth(kValueWidth);
        controls->addStretch();
        grid->addLayout(controls, row, 0, 1, 2);
      }
      break;
    case FieldKind::Slider:
      // The slider takes the hint column too, so that the values beside it do not widen the
      // column of the edits.
      if (labelled) {
        auto* label = new QLabel(m_keys.Mark(field.m_sLabel));
        label->setBuddy(control);
        grid->addWidget(label, row, 0);
        grid->addLayout(controls, row, 1, 1, 2);
      } else {
        grid->addLayout(controls, row, 0, 1, 3);
        // The value of a bare slider (a group box's only control) goes below it, not beside.
        m_pLastRowControls = nullptr;
      }
      if (!field.m_sHint.isEmpty()) controls->addWidget(hintLabel());
      return;
    default:
      if (labelled) {
        auto* label = new QLabel(m_keys.Mark(field.m_sLabel));
        label->setBuddy(field.m_kind == FieldKind::Radio
                            ? m_controls[index].m_pRadios->buttons().value(0)
                            : control);
        grid->addWidget(label, row, 0);
        grid->addLayout(controls, row, 1);
      } else {
        grid->addLayout(controls, row, 0, 1, 2);
      }
  }
  if (!field.m_sHint.isEmpty()) grid->addWidget(hintLabel(), row, 2);
}

QWidget* CEditorDialog::CreateControl(int index) {
  const CEditorField& field = m_fields[index];
  QWidget* widget = nullptr;
  switch (field.m_kind) {
    case FieldKind::Text:
    case FieldKind::Display: {
      auto* edit = new QLineEdit;
      edit->setMinimumWidth(kEditWidth);
      const bool fixedName = field.m_bReadOnlyInEdit && m_editor.IsNameReadOnly();
      edit->setReadOnly(field.m_kind == FieldKind::Display || fixedName);
      if (edit->isReadOnly()) {
        // A read-only box takes the dialog's own colour, so it does not look editable.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Base, palette.color(QPalette::Window));
        edit->setPalette(palette);
      }
      widget = edit;
      break;
    }
    case FieldKind::ComboText:
    case FieldKind::ComboIndex: {
      auto* combo = new QComboBox;
      combo->setMinimumWidth(kEditWidth);
      combo->setEditable(field.m_kind == FieldKind::ComboText);
      combo->setInsertPolicy(QComboBox::NoInsert);
      combo->addItems(field.m_items);
      widget = combo;
      break;
    }
    case FieldKind::Radio:
      if (field.m_nRadioButton >= 0) {
        // One button of a group whose buttons stand apart; they share one button group.
        QButtonGroup*& radios = m_splitRadios[field.m_pIndex];
        m_controls[index].m_bOwnsRadios = !radios;
        if (!radios) radios = new QButtonGroup(this);
        m_controls[index].m_pRadios = radios;
        widget = AddRadio(index, field.m_nRadioButton,
                          m_keys.Mark(field.m_items.value(field.m_nRadioButton)));
        m_controls[index].m_pWidget = widget;
        return widget;  // named after its key and button by AddRadio
      } else {
        // A radio row inside a group box: its radios side by side.
        widget = new QWidget;
        auto* line = new QHBoxLayout(widget);
        line->setContentsMargins(0, 0, 0, 0);
        m_controls[index].m_pRadios = new QButtonGroup(widget);
        for (int item = 0; item < field.m_items.size(); ++item)
          line->addWidget(AddRadio(index, item, CAccessKeys::Literal(field.m_items[item])));
        line->addStretch();
      }
      break;
    case FieldKind::Check:
      widget = new QCheckBox(m_keys.Mark(field.m_sLabel));
      break;
    case FieldKind::Slider: {
      auto* slider = new QSlider(Qt::Horizontal);
      // A bare slider is the only control of a small group box that stands beside others.
      slider->setMinimumWidth(field.m_sLabel.isEmpty() ? kBareSliderWidth : kSliderWidth);
      slider->setRange(field.m_nMin, field.m_nMax);
      widget = slider;
      break;
    }
    case FieldKind::Button:
      widget = new QPushButton(m_keys.Mark(field.m_sLabel));
      break;
    case FieldKind::Note: {
      auto* note = new QLabel(field.m_pText ? *field.m_pText : field.m_sLabel);
      note->setTextFormat(Qt::PlainText);
      note->setWordWrap(true);
      widget = note;
      break;
    }
  }
  widget->setObjectName(field.m_sKey);
  m_controls[index].m_pWidget = widget;
  if (field.m_kind != FieldKind::Radio && field.m_kind != FieldKind::Note)
    m_tabOrder.append(widget);
  return widget;
}

void CEditorDialog::ConnectHandler(int index) {
  if (!m_fields[index].m_onChanged) return;
  const CControl& control = m_controls[index];
  auto run = [this, index] { RunHandler(index); };
  switch (m_fields[index].m_kind) {
    case FieldKind::Text:
      connect(static_cast<QLineEdit*>(control.m_pWidget), &QLineEdit::editingFinished, this, run);
      break;
    case FieldKind::ComboText:
    case FieldKind::ComboIndex:
      connect(static_cast<QComboBox*>(control.m_pWidget), &QComboBox::activated, this, run);
      break;
    case FieldKind::Radio:
      if (!control.m_bOwnsRadios) break;  // the group's first button carries the handler
      connect(control.m_pRadios, &QButtonGroup::idToggled, this, [this, index](int, bool checked) {
        if (checked) RunHandler(index);
      });
      break;
    case FieldKind::Check:
      connect(static_cast<QCheckBox*>(control.m_pWidget), &QCheckBox::toggled, this, run);
      break;
    case FieldKind::Slider:
      connect(static_cast<QSlider*>(control.m_pWidget), &QSlider::valueChanged, this, run);
      break;
    case FieldKind::Button:
      connect(static_cast<QPushButton*>(control.m_pWidget), &QPushButton::clicked, this, run);
      break;
    case FieldKind::Display:
    case FieldKind::Note:
      break;
  }
}

void CEditorDialog::SetTabOrder() {
  for (int i = 1; i < m_tabOrder.size(); ++i)
    QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
  // Start on the first control the user can change (in edit mode the name is fixed).
  for (QWidget* widget : m_tabOrder) {
    auto* edit = qobject_cast<QLineEdit*>(widget);
    if (edit && edit->isReadOnly()) continue;
    widget->setFocus(Qt::OtherFocusReason);
    break;
  }
}

void CEditorDialog::ControlsToMembers() {
  for (int i = 0; i < m_fields.size(); ++i) {
    const CEditorField& field = m_fields[i];
    QWidget* widget = m_controls[i].m_pWidget;
    switch (field.m_kind) {
      case FieldKind::Text:
      case FieldKind::Display:
        if (field.m_pText) *field.m_pText = static_cast<QLineEdit*>(widget)->text();
        break;
      case FieldKind::ComboText:
        if (field.m_pText) *field.m_pText = static_cast<QComboBox*>(widget)->currentText();
        break;
      case FieldKind::ComboIndex:
        if (field.m_pIndex) *field.m_pIndex = static_cast<QComboBox*>(widget)->currentIndex();
        break;
      case FieldKind::Radio: {
        // With no radio checked (a stored index outside the list) the member keeps its value.
        const int checked = m_controls[i].m_pRadios->checkedId();
        if (field.m_pIndex && checked >= 0) *field.m_pIndex = checked;
        break;
      }
      case FieldKind::Check:
        if (field.m_pFlag) *field.m_pFlag = static_cast<QCheckBox*>(widget)->isChecked();
        break;
      case FieldKind::Slider:
        if (field.m_pIndex) *field.m_pIndex = static_cast<QSlider*>(widget)->value();
        break;
      case FieldKind::Button:
      case FieldKind::Note:
        break;
    }
  }
}

void CEditorDialog::MembersToControls() {
  m_bUpdating = true;
  for (int i = 0; i < m_fields.size(); ++i) {
    const CEditorField& field = m_fields[i];
    QWidget* widget = m_controls[i].m_pWidget;
    switch (field.m_kind) {
      case FieldKind::Text:
      case FieldKind::Display: {
        auto* edit = static_cast<QLineEdit*>(widget);
        if (field.m_pText && edit->text() != *field.m_pText) edit->setText(*field.m_pText);
        break;
      }
      case FieldKind::ComboText: {
        auto* combo = static_cast<QComboBox*>(widget);
        SetItems(combo, field.m_items);
        if (field.m_pText) combo->setEditText(*field.m_pText);
        break;
      }
      case FieldKind::ComboIndex: {
        auto* combo = static_cast<QComboBox*>(widget);
        SetItems(combo, field.m_items);
        if (field.m_pIndex)
          combo->setCurrentIndex(*field.m_pIndex < combo->count() ? *field.m_pIndex : -1);
        break;
      }
      case FieldKind::Radio: {
        QButtonGroup* radios = m_controls[i].m_pRadios;
        QAbstractButton* chosen = field.m_pIndex ? radios->button(*field.m_pIndex) : nullptr;
        if (chosen) {
          chosen->setChecked(true);
        } else {
          radios->setExclusive(false);
          for (QAbstractButton* radio : radios->buttons()) radio->setChecked(false);
          radios->setExclusive(true);
        }
        break;
      }
      case FieldKind::Check:
        if (field.m_pFlag) static_cast<QCheckBox*>(widget)->setChecked(*field.m_pFlag);
        break;
      case FieldKind::Slider: {
        auto* slider = static_cast<QSlider*>(widget);
        slider->setRange(field.m_nMin, field.m_nMax);
        if (field.m_pIndex) slider->setValue(*field.m_pIndex);
        break;
      }
      case FieldKind::Note:
        if (field.m_pText) static_cast<QLabel*>(widget)->setText(*field.m_pText);
        break;
      case FieldKind::Button:
        break;
    }
  }
  m_bUpdating = false;
}

QList<CEditorField> CEditorDialog::DialogFields() const {
  QList<CEditorField> fields = m_editor.Fields();
  // The description has its own box beside the icon.
  fields.removeIf(
      [this](const CEditorField& field) { return field.m_pText == &m_editor.m_sDescription; });
  return fields;
}

void CEditorDialog::RefreshFields() {
  // An operation may change what the controls offer (a slider's range, a list), never which
  // controls there are.
  QList<CEditorField> fields = DialogFields();
  Q_ASSERT(fields.size() == m_fields.size());
  if (fields.size() == m_fields.size()) m_fields = std::move(fields);
}

void CEditorDialog::RunHandler(int index) {
  if (m_bUpdating) return;
  ControlsToMembers();
  m_fields[index].m_onChanged();
  RefreshFields();
  MembersToControls();
}

void CEditorDialog::accept() {
  ControlsToMembers();
  const bool accepted = m_editor.OnOK();
  RefreshFields();
  MembersToControls();
  if (accepted)
    QDialog::accept();
  else
    FocusField(m_editor.m_sFocusKey);
}

void CEditorDialog::FocusField(const QString& key) {
  for (int i = 0; i < m_fields.size(); ++i) {
    if (key.isEmpty() || m_fields[i].m_sKey != key) continue;
    QWidget* widget = m_controls[i].m_pWidget;
    if (QButtonGroup* radios = m_controls[i].m_pRadios)
      widget = radios->checkedButton() ? radios->checkedButton() : radios->buttons().value(0);
    if (!widget) return;
    widget->setFocus(Qt::OtherFocusReason);
    if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->isEditable())
      combo->lineEdit()->selectAll();
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) edit->selectAll();
    return;
  }
}

void CEditorDialog::reject() {
  m_editor.OnCancel();
  QDialog::reject();
}
