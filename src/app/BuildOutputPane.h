#pragma once

#include <QDockWidget>
#include <QElapsedTimer>
#include <QProcess>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The "Build Output" pane: runs one script at a time in its folder and shows what it prints as
// it prints it. The window stays responsive; Stop ends the script.
class CBuildOutputPane : public QDockWidget {
  Q_OBJECT

 public:
  explicit CBuildOutputPane(QWidget* parent = nullptr);
  ~CBuildOutputPane() override;

  // Starts program with arguments in folder; false (and the reason) when a script is still
  // running or the program cannot be started.
  bool Run(const QString& program, const QStringList& arguments, const QString& folder,
           const QString& caption, QString* error);
  bool IsRunning() const;

  // Empties the output and the status line (a running script goes on).
  void Clear();
  QString OutputText() const;
  QString StatusText() const;

 public slots:
  void Stop();

 signals:
  // The script ended; exitStatus is the script's exit code, or -1 when it crashed or was stopped.
  void finished(int exitCode);

 private:
  void AppendText(const QString& text);
  void AppendOutput();
  void OnFinished(int exitCode, QProcess::ExitStatus status);
  void ShowRunningTime();

  QPlainTextEdit* m_pOutput = nullptr;
  QLabel* m_pStatus = nullptr;
  QPushButton* m_pStop = nullptr;
  QProcess* m_pProcess = nullptr;
  QTimer* m_pTick = nullptr;  // refreshes the running time in the status line
  QElapsedTimer m_running;
  QString m_sCaption;
  bool m_bStopped = false;
  bool m_bAtLineStart = true;  // the output shown so far ends with a line break
};
