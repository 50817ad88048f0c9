#include "app/PinMapView.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "model/ObjectType.h"
#include "model/PinMapLayout.h"

namespace {

// Boot/flash pins: a light amber with amber hatching, which no kind colour has.
const QColor kBootColour(240, 160, 0);

constexpr PinState kLegendStates[] = {PinState::Free, PinState::Used, PinState::Serial,
                                      PinState::Boot};

// A tint of the look's base colour towards a signal colour, so that the cells stay readable with
// the look's text colour.
QColor Tint(const QColor& base, const QColor& towards, qreal amount) {
  return QColor::fromRgbF(base.redF() + (towards.redF() - base.redF()) * amount,
                          base.greenF() + (towards.greenF() - base.greenF()) * amount,
                          base.blueF() + (towards.blueF() - base.blueF()) * amount);
}

// Hues for the sixteen kinds, neighbouring codes far apart on the colour wheel.
QColor KindHue(int32_t kind) {
  const int step = static_cast<int>((kind * 7) % kObjectKindCount);
  return QColor::fromHsv(step * 360 / kObjectKindCount, 255, 235);
}

void FillHatched(QPainter& painter, const QRectF& area) {
  painter.save();
  painter.setPen(Qt::NoPen);
  QBrush hatch(kBootColour.darker(110), Qt::BDiagPattern);
  painter.setBrush(hatch);
  painter.drawRoundedRect(area.adjusted(1, 1, -1, -1), 2, 2);
  painter.restore();
}

}  // namespace

CPinMapView::CPinMapView(CKyvDoc& doc, QWidget* parent) : QWidget(parent), m_doc(doc) {
  setObjectName(QStringLiteral("pinMap"));
  setMouseTracking(true);
  setAutoFillBackground(false);
  m_rows = PinReportRows(m_doc);
  m_doc.AddView(this);
}

CPinMapView::~CPinMapView() { m_doc.RemoveView(this); }

void CPinMapView::OnUpdate() {
  m_rows = PinReportRows(m_doc);
  update();
}

QSize CPinMapView::sizeHint() const { return PinMapLayout::Size().toSize(); }

QSize CPinMapView::minimumSizeHint() const { return (PinMapLayout::Size() / 2).toSize(); }

QTransform CPinMapView::MapTransform() const {
  const QSizeF map = PinMapLayout::Size();
  const qreal scale = qMin(width() / map.width(), height() / map.height());
  QTransform transform;
  transform.translate((width() - map.width() * scale) / 2, (height() - map.height() * scale) / 2);
  transform.scale(scale, scale);
  return transform;
}

int CPinMapView::PinAt(const QPoint& position) const {
  return PinMapLayout::PinAt(MapTransform().inverted().map(QPointF(position)));
}

QPoint CPinMapView::PinCentre(int pin) const {
  return MapTransform().map(PinMapLayout::CellRect(pin).center()).toPoint();
}

QString CPinMapView::ToolTipAt(const QPoint& position) const {
  const int pin = PinAt(position);
  return pin < 0 ? QString() : PinDescription(m_rows[pin]);
}

bool CPinMapView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int pin = PinAt(help->pos());
    if (pin < 0) {
      QToolTip::hideText();
      event->ignore();
    } else {
      const QRect cell = MapTransform().mapRect(PinMapLayout::CellRect(pin)).toAlignedRect();
      QToolTip::showText(help->globalPos(), PinDescription(m_rows[pin]), this, cell);
    }
    return true;
  }
  return QWidget::event(event);
}

void CPinMapView::mousePressEvent(QMouseEvent* event) {
  const int pin = PinAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && pin >= 0)
    emit pinClicked(pin, m_rows[pin].m_bUsed ? m_rows[pin].m_sHolder : QString());
  QWidget::mousePressEvent(event);
}

void CPinMapView::mouseDoubleClickEvent(QMouseEvent* event) {
  const int pin = PinAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && pin >= 0)
    emit pinDoubleClicked(pin, m_rows[pin].m_bUsed ? m_rows[pin].m_sHolder : QString());
  QWidget::mouseDoubleClickEvent(event);
}

QColor CPinMapView::CellColour(const CPinReportRow& row) const {
  // Free pins stay plain, so that every tint means a holder; the serial port is grey, unlike the
  // saturated kind colours.
  const QColor base = palette().color(QPalette::Base);
  switch (row.m_state) {
    case PinState::Free:
      return base;
    case PinState::Used:
      // A holder that is no object of the project shows as plainly used.
      return row.m_nKind >= 0 ? Tint(base, KindHue(row.m_nKind), 0.45)
                              : Tint(base, QColor(220, 40, 40), 0.45);
    case PinState::Serial:
      return Tint(base, palette().color(QPalette::Mid).darker(150), 0.5);
    case PinState::Boot:
      return Tint(base, kBootColour, 0.25);
  }
  return base;
}

void CPinMapView::PaintCell(QPainter& painter, const CPinReportRow& row) const {
  const QRectF cell = PinMapLayout::CellRect(row.m_nPin);
  QPen frame(palette().color(QPalette::Mid).darker(130), 1);
  // Boot/flash pins keep a dashed frame when an object uses them.
  if (IsBootPin(row.m_nPin)) frame.setStyle(Qt::DashLine);
  frame.setCosmetic(true);
  painter.setPen(frame);
  painter.setBrush(CellColour(row));
  painter.drawRoundedRect(cell, 3, 3);
  if (row.m_state == PinState::Boot) FillHatched(painter, cell);

  painter.setPen(palette().color(QPalette::Text));
  QFont font = painter.font();
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(cell.adjusted(4, 2, -4, -2), Qt::AlignLeft | Qt::AlignTop,
                   QString::number(row.m_nPin));
  font.setBold(false);
  painter.setFont(font);
  const QRectF roleArea = cell.adjusted(3, cell.height() / 2, -3, -2);
  painter.drawText(
      roleArea, Qt::AlignHCenter | Qt::AlignVCenter,
      painter.fontMetrics().elidedText(row.m_sRole, Qt::ElideRight, qFloor(roleArea.width())));
}

void CPinMapView::PaintLegend(QPainter& painter) const {
  for (int entry = 0; entry < PinMapLayout::kLegendEntries; ++entry) {
    CPinReportRow sample;
    sample.m_state = kLegendStates[entry];
    painter.setPen(palette().color(QPalette::Mid).darker(130));
    painter.setBrush(CellColour(sample));
    painter.drawRect(PinMapLayout::LegendSwatchRect(entry));
    if (sample.m_state == PinState::Boot)
      FillHatched(painter, PinMapLayout::LegendSwatchRect(entry));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(PinMapLayout::LegendTextRect(entry), Qt::AlignLeft | Qt::AlignVCenter,
                     PinStateName(kLegendStates[entry]));
  }
}

void CPinMapView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setTransform(MapTransform());
  QFont font = this->font();
  font.setPixelSize(11);
  painter.setFont(font);

  for (int group = 0; group < PinMapLayout::kGroupCount; ++group) {
    const int first = group * PinMapLayout::kPinsPerGroup;
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(PinMapLayout::GroupLabelRect(group), Qt::AlignLeft | Qt::AlignVCenter,
                     PinMapLayout::GroupName(group));
    painter.setFont(font);
    for (int pin = first; pin < first + PinMapLayout::kPinsPerGroup; ++pin)
      PaintCell(painter, m_rows[pin]);
  }
  PaintLegend(painter);
}
