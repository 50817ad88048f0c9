#include "app/ObjectView.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "app/DocumentHistory.h"
#include "app/EditorDialog.h"
#include "app/ObjectListModel.h"
#include "app/ObjectPickerDialog.h"
#include "editors/EditorFactory.h"
#include "model/ObjectListText.h"
#include "model/PinRanges.h"

namespace {

QLabel* PlainLabel(const QString& text) {
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  return label;
}

QString DeleteQuestion(const CCodeObject& object, bool holdsPins) {
  QString question = QStringLiteral("Delete %1 (%2)?").arg(object.m_sName, object.GetKindName());
  if (holdsPins) question += QStringLiteral(" Its pins are freed.");
  return question;
}

}  // namespace

CObjectView::CObjectView(CKyvDoc& doc, CDocumentHistory& history, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_history(history) {
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);

  auto* column = new QVBoxLayout(this);
  column->addWidget(PlainLabel(QStringLiteral("Add, Edit, or Delete an Object from List")));
  auto* buttons = new QHBoxLayout;
  auto* add = new QPushButton(QStringLiteral("Add Object"));
  auto* edit = new QPushButton(QStringLiteral("Edit Object"));
  auto* remove = new QPushButton(QStringLiteral("Delete Object"));
  add->setObjectName(QStringLiteral("addObject"));
  edit->setObjectName(QStringLiteral("editObject"));
  remove->setObjectName(QStringLiteral("deleteObject"));
  for (QPushButton* button : {add, edit, remove}) {
    button->setMinimumWidth(120);
    buttons->addWidget(button);
  }
  buttons->addStretch();
  column->addLayout(buttons);
  column->addSpacing(6);
  column->addWidget(
      PlainLabel(QStringLiteral("Object List:  Click to select, double-click to edit.")));
  m_pModel = new CObjectListModel(doc, this);
  m_pObjects = new QTreeView;
  m_pObjects->setModel(m_pModel);
  m_pObjects->setObjectName(QStringLiteral("objectList"));
  m_pObjects->setRootIsDecorated(false);
  m_pObjects->setUniformRowHeights(true);
  m_pObjects->setItemsExpandable(false);
  m_pObjects->setAllColumnsShowFocus(true);
  m_pObjects->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_pObjects->setSelectionMode(QAbstractItemView::SingleSelection);
  // The icons are as tall as the text, so the rows stay as close together as plain text.
  const int lineHeight = m_pObjects->fontMetrics().height();
  m_pObjects->setIconSize(QSize(lineHeight, lineHeight));
  QHeaderView* header = m_pObjects->header();
  header->setStretchLastSection(false);
  header->setSectionResizeMode(QHeaderView::ResizeToContents);
  header->setSectionResizeMode(CObjectListModel::kPinsColumn, QHeaderView::Stretch);
  // The Delete key on the list deletes the selected object, as the button does.
  auto* deleteKey = new QAction(m_pObjects);
  deleteKey->setShortcut(QKeySequence::Delete);
  deleteKey->setShortcutContext(Qt::WidgetShortcut);
  m_pObjects->addAction(deleteKey);
  connect(deleteKey, &QAction::triggered, this, &CObjectView::OnDeleteObject);
  column->addWidget(m_pObjects, 3);
  m_pWarningsTitle = PlainLabel(QStringLiteral("Warnings:"));
  column->addWidget(m_pWarningsTitle);
  m_pWarnings = new QListWidget;
  m_pWarnings->setObjectName(QStringLiteral("warningList"));
  m_pWarnings->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  column->addWidget(m_pWarnings, 1);

  connect(add, &QPushButton::clicked, this, &CObjectView::OnAddObject);
  connect(edit, &QPushButton::clicked, this, &CObjectView::OnEditObject);
  connect(remove, &QPushButton::clicked, this, &CObjectView::OnDeleteObject);
  connect(m_pObjects, &QTreeView::doubleClicked, this, &CObjectView::OnEditObject);

  m_doc.AddView(this);
}

CObjectView::~CObjectView() { m_doc.RemoveView(this); }

void CObjectView::OnUpdate() {
  m_pModel->Refresh();
  m_pWarnings->clear();
  const QStringList warnings = WarningLines(m_doc);
  m_pWarnings->addItems(warnings);
  // An empty box would only take room from the list.
  m_pWarningsTitle->setVisible(!warnings.isEmpty());
  m_pWarnings->setVisible(!warnings.isEmpty());
}

void CObjectView::RefreshFindings() { m_pModel->RefreshFindings(); }

CCodeObject* CObjectView::SelectedObject() const {
  const QModelIndexList selected = m_pObjects->selectionModel()->selectedRows();
  return selected.isEmpty() ? nullptr : m_pModel->ObjectAt(selected.constFirst());
}

void CObjectView::SelectIndex(const QModelIndex& index) {
  m_pObjects->setCurrentIndex(index);
  m_pObjects->scrollTo(index);
}

bool CObjectView::SelectObjectNamed(const QString& name) {
  m_pObjects->clearSelection();
  for (int row = 0; row < m_pModel->rowCount(); ++row) {
    const QModelIndex index = m_pModel->index(row, CObjectListModel::kNameColumn);
    const CCodeObject* object = m_pModel->ObjectAt(index);
    if (!object || object->m_sName != name) continue;
    SelectIndex(index);
    return true;
  }
  return false;
}

void CObjectView::OnAddObject() {
  // The record belongs to this view until the document accepts it.
  auto object = std::make_unique<CCodeObject>();
  CCodeObject* added = nullptr;
  if (CObjectPickerDialog::Run(*object, m_doc, this)) {
    added = m_doc.AddObject(std::move(object));
    m_history.Record(QStringLiteral("Add %1").arg(added->m_sName));
  } else {
    // A cancelled add normally leaves the project as it was; anything it did change stays undoable.
    m_history.Record(QStringLiteral("Add Object"));
  }
  m_doc.UpdateAllViews();
  if (!added) return;
  SelectIndex(m_pModel->IndexOf(added));
  emit modified();
}

void CObjectView::OnEditObject() {
  CCodeObject* object = SelectedObject();
  if (!object) return;
  if (std::unique_ptr<CObjectEditor> editor = CreateEditor(object->m_nType)) {
    // The editor keeps the name under which the object holds its pins.
    const QString name = object->m_sName;
    const bool wasModified = m_doc.IsModified();
    CEditorDialog::Run(*editor, *object, m_doc, CObjectEditor::kEditMode, this);
    m_history.Record(QStringLiteral("Edit %1").arg(name));
    if (m_doc.IsModified() != wasModified) emit modified();
  }
  m_doc.UpdateAllViews();
}

void CObjectView::OnDeleteObject() {
  CCodeObject* object = SelectedObject();
  if (!object) return;
  const QString name = object->m_sName;
  const bool holdsPins = !PinsHeldBy(m_doc, object->m_sName).isEmpty();
  if (!m_doc.Messages().AskYesNo(QStringLiteral("Delete Object"),
                                 DeleteQuestion(*object, holdsPins)))
    return;
  m_doc.DeleteObject(object);
  m_history.Record(QStringLiteral("Delete %1").arg(name));
  m_doc.UpdateAllViews();
  emit modified();
}
