#pragma once

#include <QList>
#include <QTransform>
#include <QWidget>

#include "model/KyvDoc.h"
#include "model/PinReport.h"

// The "Pin Map" tab: the 64 P2 pins as the chip's eight 8-pin groups, each pin a cell coloured
// by its state (free, used by an object in its kind's colour, serial port, boot/flash pins) and
// labelled with its number and role. The map scales to the page and takes its colours from the
// look's palette. Resting the pointer on a pin shows its holder, role and note.
class CPinMapView : public QWidget, public CDocumentView {
  Q_OBJECT

 public:
  explicit CPinMapView(CKyvDoc& doc, QWidget* parent = nullptr);
  ~CPinMapView() override;

  void OnUpdate() override;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  // The pin under a point of the widget, or -1.
  int PinAt(const QPoint& position) const;
  // The middle of a pin's cell in widget coordinates.
  QPoint PinCentre(int pin) const;
  // The tooltip text at a point of the widget; "" off the pins.
  QString ToolTipAt(const QPoint& position) const;

 signals:
  // A pin was clicked or double-clicked; holder is its holder text ("" for a free pin).
  void pinClicked(int pin, const QString& holder);
  void pinDoubleClicked(int pin, const QString& holder);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // From map units to the widget: the map scaled to fit and centred.
  QTransform MapTransform() const;
  QColor CellColour(const CPinReportRow& row) const;
  void PaintCell(QPainter& painter, const CPinReportRow& row) const;
  void PaintLegend(QPainter& painter) const;

  CKyvDoc& m_doc;
  QList<CPinReportRow> m_rows;
};
