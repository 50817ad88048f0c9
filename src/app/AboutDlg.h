#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

// The lines of the About box: the program and its version, the Qt it runs on, the licence and,
// when the build names one, the project's home.
QStringList AboutLines(const QString& version, const QString& qtVersion, const QString& home);

// The About box.
class CAboutDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};
