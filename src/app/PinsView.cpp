#include "app/PinsView.h"

#include <QEvent>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/DocumentHistory.h"
#include "app/PinGrid.h"
#include "app/PinTableModel.h"

CPinsView::CPinsView(CKyvDoc& doc, CDocumentHistory& history, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_history(history) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_doc.AddView(this);
}

CPinsView::~CPinsView() { m_doc.RemoveView(this); }

void CPinsView::OnInitialUpdate() {
  if (m_pGrid) return;
  m_pModel = new CPinTableModel(m_doc, this);
  m_pGrid = new CPinGrid(this);
  m_pGrid->setObjectName(QStringLiteral("pinGrid"));
  m_pGrid->setModel(m_pModel);
  layout()->addWidget(m_pGrid);
  ShadePinNumbers();
  m_pGrid->setColumnWidth(CPinTableModel::kPinColumn, 40);
  m_pGrid->setColumnWidth(CPinTableModel::kNotesColumn, 500);
  // The pin number column is narrow: its header wraps instead of being cut off.
  QHeaderView* header = m_pGrid->horizontalHeader();
  header->setDefaultAlignment(Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
  header->setTextElideMode(Qt::ElideNone);
  header->setFixedHeight(2 * header->fontMetrics().height() + 10);
  m_pGrid->verticalHeader()->setDefaultSectionSize(m_pGrid->fontMetrics().height() + 8);
  connect(m_pModel, &CPinTableModel::noteEdited, this, [this](int pin) {
    m_history.Record(QStringLiteral("Edit Note on P%1").arg(pin));
    emit modified();
  });
  connect(m_pGrid, &CPinGrid::cellEditsStarted, this, [this](const QString& command) {
    m_history.BeginGroup(command + QStringLiteral(" Notes"));
  });
  connect(m_pGrid, &CPinGrid::cellEditsFinished, &m_history, &CDocumentHistory::EndGroup);

  OnUpdate();
}

void CPinsView::ShadePinNumbers() {
  m_pModel->SetPinNumberColours(palette().color(QPalette::Button),
                                palette().color(QPalette::ButtonText));
}

void CPinsView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && m_pModel) ShadePinNumbers();
}

void CPinsView::OnUpdate() {
  if (!m_pModel) return;
  m_pModel->Refresh();
  // Holders and roles are read whole ("Analog To Digital Smart Pin"); the notes take the rest.
  for (int column : {CPinTableModel::kUsedByColumn, CPinTableModel::kUsedForColumn})
    m_pGrid->resizeColumnToContents(column);
}

void CPinsView::SelectPin(int pin) {
  const QModelIndex index = m_pModel->index(pin, 0);
  if (!index.isValid()) return;
  m_pGrid->setCurrentIndex(index);
  m_pGrid->selectRow(pin);
  m_pGrid->scrollTo(index);
}
