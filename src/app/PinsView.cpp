#include "app/PinsView.h"

#include <QEvent>
#include <QHeaderView>
#include <QVBoxLayout>

#include "app/PinGrid.h"

namespace {

const QColor kUsedColour(250, 150, 150);
const QColor kFreeColour(150, 250, 150);
constexpr int kBold = 800;

}  // namespace

CPinsView::CPinsView(CKyvDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_doc.AddView(this);
}

CPinsView::~CPinsView() { m_doc.RemoveView(this); }

void CPinsView::OnInitialUpdate() {
  if (m_pGrid) return;
  m_pGrid = new CPinGrid(this);
  m_pGrid->setObjectName(QStringLiteral("pinGrid"));
  layout()->addWidget(m_pGrid);
  m_pGrid->SetGridSize(kRows, kColumns);

  const QStringList headers = {QStringLiteral("I/O Pin #"), QStringLiteral("Free?"),
                               QStringLiteral("Used By"), QStringLiteral("Used For"),
                               QStringLiteral("Notes")};
  for (int column = 0; column < kColumns; ++column) {
    m_pGrid->SetCellText(0, column, headers[column]);
    m_pGrid->SetCellFontWeight(0, column, kBold);
  }
  for (int row = 1; row < kRows; ++row) {
    m_pGrid->SetCellText(row, 0, QString::number(row - 1));
    m_pGrid->SetCellFontWeight(row, 0, kBold);
    m_pGrid->item(row - 1, 0)->setTextAlignment(Qt::AlignCenter);
    m_pGrid->item(row - 1, 1)->setTextAlignment(Qt::AlignCenter);
  }
  ShadePinNumbers();
  m_pGrid->setColumnWidth(0, 40);
  m_pGrid->setColumnWidth(kNotesColumn, 500);
  // The pin number column is narrow: its header wraps instead of being cut off.
  QHeaderView* header = m_pGrid->horizontalHeader();
  header->setDefaultAlignment(Qt::Alignment::fromInt(Qt::AlignCenter | Qt::TextWordWrap));
  header->setTextElideMode(Qt::ElideNone);
  header->setFixedHeight(2 * header->fontMetrics().height() + 10);
  m_pGrid->verticalHeader()->setDefaultSectionSize(m_pGrid->fontMetrics().height() + 8);
  m_pGrid->SetColumnEditable(kNotesColumn, true);
  connect(m_pGrid, &CPinGrid::cellEdited, this, &CPinsView::OnCellEdited);

  OnUpdate();
}

void CPinsView::ShadePinNumbers() {
  const QColor headerColour = palette().color(QPalette::Button);
  const QColor headerText = palette().color(QPalette::ButtonText);
  for (int row = 1; row < kRows; ++row) {
    m_pGrid->SetCellBackground(row, 0, headerColour);
    m_pGrid->item(row - 1, 0)->setForeground(headerText);
  }
}

void CPinsView::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::PaletteChange && m_pGrid) ShadePinNumbers();
}

void CPinsView::OnUpdate() {
  if (!m_pGrid) return;
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin) {
    const int row = pin + 1;
    const bool used = m_doc.m_bPinUsed[pin];
    m_pGrid->SetCellText(row, 1, used ? QStringLiteral("No") : QStringLiteral("Yes"));
    m_pGrid->SetCellBackground(row, 1, used ? kUsedColour : kFreeColour);
    m_pGrid->SetCellText(row, kUsedByColumn, m_doc.m_sPinUsedBy[pin]);
    m_pGrid->SetCellText(row, kUsedForColumn, m_doc.m_sPinUsedFor[pin]);
    m_pGrid->SetCellText(row, kNotesColumn, m_doc.m_sPinNotes[pin]);
  }
  // Holders and roles are read whole ("Analog To Digital Smart Pin"); the notes take the rest.
  for (int column : {kUsedByColumn, kUsedForColumn}) m_pGrid->resizeColumnToContents(column);
}

void CPinsView::OnCellEdited(int row, int column, const QString& text) {
  const int pin = row - 1;
  if (column != kNotesColumn || pin < 0 || pin >= CKyvDoc::kPinCount) return;
  if (m_doc.m_sPinNotes[pin] == text) return;
  m_doc.m_sPinNotes[pin] = text;
  m_doc.SetModifiedFlag(true);
  emit modified();
}
