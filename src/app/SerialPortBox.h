#pragma once

#include <QComboBox>

// The "Serial port" choice: "Automatic" (no port: the loader finds the P2) and the machine's
// serial ports, listed again each time the list opens or the box takes the focus, since USB
// adapters come and go. A chosen port that is not connected now stays in the list, marked so.
class CSerialPortBox : public QComboBox {
  Q_OBJECT

 public:
  explicit CSerialPortBox(QWidget* parent = nullptr);

  // The port as the loader takes it ("/dev/ttyUSB0", "COM3"), "" for Automatic.
  QString ChosenPort() const;
  void SetChosenPort(const QString& port);

  void showPopup() override;

 protected:
  void focusInEvent(QFocusEvent* event) override;

 private:
  void Refill(const QString& chosen);
};
