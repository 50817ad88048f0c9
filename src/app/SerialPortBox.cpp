#include "app/SerialPortBox.h"

#include <QSerialPortInfo>
#include <algorithm>

CSerialPortBox::CSerialPortBox(QWidget* parent) : QComboBox(parent) {
  setSizeAdjustPolicy(QComboBox::AdjustToContents);
  addItem(QStringLiteral("Automatic"), QString());
}

QString CSerialPortBox::ChosenPort() const { return currentData().toString(); }

void CSerialPortBox::SetChosenPort(const QString& port) {
  // Listing the machine's ports reads every tty device, which costs more than building the
  // whole window: "Automatic" needs no list until the box is opened, and a refresh that keeps
  // the shown choice keeps the list it has.
  if (port == ChosenPort()) return;
  if (port.isEmpty()) {
    clear();
    addItem(QStringLiteral("Automatic"), QString());
    return;
  }
  Refill(port);  // whether the chosen port is connected shows in the closed box
}

void CSerialPortBox::showPopup() {
  Refill(ChosenPort());
  QComboBox::showPopup();
}

void CSerialPortBox::focusInEvent(QFocusEvent* event) {
  // The arrow keys and the wheel step through the ports of a closed box too.
  Refill(ChosenPort());
  QComboBox::focusInEvent(event);
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
