#include "app/SerialPortBox.h"

#include <QSerialPortInfo>
#include <algorithm>

CSerialPortBox::CSerialPortBox(QWidget* parent) : QComboBox(parent) {
  setSizeAdjustPolicy(QComboBox::AdjustToContents);
  Refill(QString());
}

QString CSerialPortBox::ChosenPort() const { return currentData().toString(); }

void CSerialPortBox::SetChosenPort(const QString& port) { Refill(port); }

void CSerialPortBox::showPopup() {
  Refill(ChosenPort());
  QComboBox::showPopup();
}

void CSerialPortBox::Refill(const QString& chosen) {
  clear();
  addItem(QStringLiteral("Automatic"), QString());
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#if defined(Q_OS_WIN)
    const QString port = info.portName();
#else
    const QString port = info.systemLocation();
#endif
    const QString description = info.description();
    addItem(description.isEmpty() ? port : QStringLiteral("%1 (%2)").arg(port, description), port);
  }
  if (!chosen.isEmpty() && findData(chosen) < 0)
    addItem(QStringLiteral("%1 (not connected)").arg(chosen), chosen);
  setCurrentIndex(std::max(0, findData(chosen)));
}
