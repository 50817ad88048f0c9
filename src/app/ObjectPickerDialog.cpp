#include "app/ObjectPickerDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QPushButton>

#include "app/AccessKeys.h"
#include "app/EditorDialog.h"
#include "app/KindIcons.h"
#include "app/ScreenFit.h"

namespace {
constexpr int kButtonIconSize = 32;
constexpr int kButtonWidth = 200;
}  // namespace

CObjectPickerDialog::CObjectPickerDialog(CObjectPicker& picker, QWidget* parent)
    : QDialog(parent), m_picker(picker) {
  setWindowTitle(CObjectPicker::Title());
  auto* grid = new QGridLayout;

  CAccessKeys keys;
  // Buttons() lists them row by row, so this is top to bottom, left to right.
  QList<QWidget*> tabOrder;
  for (const CPickerButton& entry : CObjectPicker::Buttons()) {
    auto* button = new QPushButton(KindIcon(entry.m_nKind), keys.Mark(entry.m_sText));
    button->setObjectName(QStringLiteral("pick%1").arg(entry.m_nKind));
    button->setToolTip(entry.m_sTooltip);
    button->setIconSize(QSize(kButtonIconSize, kButtonIconSize));
    button->setMinimumWidth(kButtonWidth);
    button->setAutoDefault(false);  // Enter presses only the button that has the focus
    const int kind = entry.m_nKind;
    connect(button, &QPushButton::clicked, this, [this, kind] { Press(kind); });
    grid->addWidget(button, entry.m_nRow, entry.m_nColumn);
    tabOrder.append(button);
  }

  auto* buttons = new QDialogButtonBox;
  QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("cancel"));
  cancel->setAutoDefault(false);
  connect(buttons, &QDialogButtonBox::rejected, this, &CObjectPickerDialog::reject);
  // On a small or scaled screen the buttons scroll; Cancel always stays in sight.
  SetScrollingBody(*this, grid, buttons);
  tabOrder.append(cancel);
  // Only once every button is inside the dialog.
  for (qsizetype i = 1; i < tabOrder.size(); ++i)
    QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

bool CObjectPickerDialog::Run(CCodeObject& object, CKyvDoc& doc, QWidget* parent) {
  CObjectPicker picker(&object, &doc);
  CObjectPickerDialog dialog(picker, parent);
  dialog.exec();
  return picker.GetResult() == CObjectPicker::Result::OK;
}

void CObjectPickerDialog::Press(int kind) {
  std::unique_ptr<CObjectEditor> editor = m_picker.Press(kind);
  if (!editor) return;  // the picker has said why; the user may pick another kind
  CEditorDialog dialog(*editor, this);
  const bool accepted = dialog.exec() == QDialog::Accepted;
  m_picker.EditorClosed(accepted);
  done(accepted ? QDialog::Accepted : QDialog::Rejected);
}

void CObjectPickerDialog::reject() {
  m_picker.OnCancel();
  QDialog::reject();
}
