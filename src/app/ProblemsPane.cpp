#include "app/ProblemsPane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <optional>

#include "app/FlexSpinView.h"
#include "app/KyvView.h"
#include "app/ObjectView.h"
#include "app/PinGrid.h"
#include "app/PinsView.h"
#include "app/ProblemsModel.h"
#include "model/TextConversion.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// "1 error", "2 warnings"; nothing for none.
QString CountText(int count, const QString& singular) {
  if (count == 0) return {};
  return u"%1 %2%3"_s.arg(count).arg(singular, count == 1 ? QString() : u"s"_s);
}

std::optional<int> PinNumber(const QString& text) {
  bool isNumber = false;
  const int pin = RemoveUnderscores(text.trimmed()).toInt(&isNumber);
  if (!isNumber || pin < 0 || pin >= CKyvDoc::kPinCount) return std::nullopt;
  return pin;
}

// The key of the settings field a clock or SD card finding is about: the clock, or the card's
// pin field that holds one of the finding's pins, or (for a finding without pins) the first one
// that is no pin number.
QString SettingKeyOf(const CFinding& finding, const CKyvDoc& doc) {
  if (finding.m_sCode.startsWith(u"clock-"_s)) return u"clockFreq"_s;
  const QList<std::pair<QString, QString CKyvDoc::*>> cardPins = {
      {u"sdClk"_s, &CKyvDoc::m_sSdClk},
      {u"sdCs"_s, &CKyvDoc::m_sSdCs},
      {u"sdMosi"_s, &CKyvDoc::m_sSdMosi},
      {u"sdMiso"_s, &CKyvDoc::m_sSdMiso}};
  for (const auto& [key, member] : cardPins) {
    const std::optional<int> pin = PinNumber(doc.*member);
    if (finding.m_pins.isEmpty() ? !pin : pin && finding.m_pins.contains(*pin)) return key;
  }
  return cardPins.constFirst().first;
}

}  // namespace

CProblemsPane::CProblemsPane(CKyvView& view, QWidget* parent)
    : QWidget(parent), m_view(view), m_doc(view.Document()) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 0);
  column->setSpacing(2);
  auto* titleRow = new QHBoxLayout;
  auto* title = m_pTitle = new QLabel(u"Problems"_s);
  title->setObjectName(u"problemsTitle"_s);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  m_pSummary = new QLabel;
  m_pSummary->setObjectName(u"problemsSummary"_s);
  m_pSummary->setTextFormat(Qt::PlainText);
  titleRow->addWidget(title);
  titleRow->addSpacing(12);
  titleRow->addWidget(m_pSummary);
  titleRow->addStretch();
  column->addLayout(titleRow);

  m_pModel = new CProblemsModel(m_doc, this);
  m_pList = new QTableView;
  m_pList->setObjectName(u"problemsList"_s);
  m_pList->setAccessibleName(u"Problems"_s);
  m_pList->setModel(m_pModel);
  m_pList->setShowGrid(false);
  m_pList->setWordWrap(true);  // the sentence ends with what to do: show it whole
  m_pList->setAlternatingRowColors(true);
  m_pList->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_pList->setSelectionMode(QAbstractItemView::SingleSelection);
  m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_pList->verticalHeader()->hide();
  // Each row as high as its wrapped sentence at the present column widths.
  m_pList->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  QHeaderView* header = m_pList->horizontalHeader();
  header->setHighlightSections(false);
  header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header->setSectionResizeMode(CProblemsModel::kSeverityColumn, QHeaderView::ResizeToContents);
  header->setSectionResizeMode(CProblemsModel::kTextColumn, QHeaderView::Stretch);
  header->setSectionResizeMode(CProblemsModel::kObjectColumn, QHeaderView::Interactive);
  header->resizeSection(CProblemsModel::kObjectColumn, 14 * fontMetrics().averageCharWidth());
  column->addWidget(m_pList, 1);

  connect(m_pList, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { OpenFinding(index.row()); });
  m_pList->installEventFilter(this);
  m_doc.AddView(this);
  ShowSummary();
}

CProblemsPane::~CProblemsPane() { m_doc.RemoveView(this); }

void CProblemsPane::Refresh() {
  m_pModel->Refresh();
  ShowSummary();
}

void CProblemsPane::ShowSummary() {
  QStringList counts;
  const QList<std::pair<FindingSeverity, QString>> severities = {
      {FindingSeverity::Error, u"error"_s},
      {FindingSeverity::Warning, u"warning"_s},
      {FindingSeverity::Note, u"note"_s}};
  for (const auto& [severity, word] : severities) {
    const QString count = CountText(m_pModel->Count(severity), word);
    if (!count.isEmpty()) counts.append(count);
  }
  m_pSummary->setText(counts.isEmpty() ? u"No problems found."_s : counts.join(u", "_s));
}

void CProblemsPane::OpenFinding(int row) {
  if (row < 0 || row >= m_pModel->rowCount()) return;
  // A copy: the editor's changes refresh the model under it.
  const CFinding finding = m_pModel->Findings().at(row);
  if (IsAboutSettings(finding)) {
    m_view.setCurrentIndex(CKyvView::kSettingsPage);
    m_view.SettingsView()->FocusSetting(SettingKeyOf(finding, m_doc));
    return;
  }
  if (!finding.m_objects.isEmpty()) {
    // The object list's own Edit, so that its modified mark and refreshes stay as they are. A
    // finding about the whole project opens no editor: the list shows what adds up to it.
    m_view.setCurrentIndex(CKyvView::kObjectPage);
    CObjectView* objects = m_view.ObjectView();
    if (objects->SelectObjectNamed(finding.m_objects.constFirst()) && !finding.m_bAboutProject)
      objects->OnEditObject();
    return;
  }
  if (!finding.m_pins.isEmpty()) {
    m_view.setCurrentIndex(CKyvView::kPinsPage);
    m_view.PinsView()->SelectPin(finding.m_pins.constFirst());
    m_view.PinsView()->Grid()->setFocus(Qt::OtherFocusReason);
  }
}

QSize CProblemsPane::sizeHint() const {
  // Starts small under the pages, so the settings page keeps its height: the title, the header
  // and about three findings; the splitter drags it taller.
  return {QWidget::sizeHint().width(), 8 * fontMetrics().height()};
}

int CProblemsPane::HeightForFindings() const {
  const QMargins margins = layout()->contentsMargins();
  int height = margins.top() + margins.bottom() + layout()->spacing() +
               std::max(m_pTitle->sizeHint().height(), m_pSummary->sizeHint().height()) +
               2 * m_pList->frameWidth() + m_pList->horizontalHeader()->sizeHint().height();
  // Each row as tall as its wrapped sentence (through the view's public interface).
  const QAbstractItemView* rows = m_pList;
  for (int row = 0; row < m_pModel->rowCount(); ++row) height += rows->sizeHintForRow(row);
  return height;
}

bool CProblemsPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pList && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_pList->currentIndex().isValid()) {
      OpenFinding(m_pList->currentIndex().row());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}
