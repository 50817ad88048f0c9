#pragma once

#include <QDockWidget>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringDecoder>
#include <functional>
#include <optional>

#include "codegen/CompilerOutput.h"

class QLabel;
class QLineEdit;
class QTextBlock;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The "Build Output" pane: runs one script at a time in its folder and shows what it prints as
// it prints it. The window stays responsive; Stop ends the script. While it runs, a line typed
// into the input field goes to its standard input when Enter is pressed (loadp2 waits for Enter
// after it has failed, and its terminal reads keys), and is shown in the output.
//
// The compiler's messages ("FILE:LINE: error: TEXT", also warnings and notes) are links: a click,
// or Return on the line, hands the file (resolved against the folder the script ran in) and the
// line to the file opener. When the script has ended, the program size the compiler reported is
// shown against the hub RAM, and after a failure the first error is scrolled to and highlighted.
class CBuildOutputPane : public QDockWidget {
  Q_OBJECT

 public:
  // Opens file (an absolute path) at line (1-based).
  using FileOpener = std::function<void(const QString& file, int line)>;

  explicit CBuildOutputPane(QWidget* parent = nullptr);
  ~CBuildOutputPane() override;

  // Starts program with arguments in folder; false (and the reason) when a script is still
  // running or the program cannot be started.
  bool Run(const QString& program, const QStringList& arguments, const QString& folder,
           const QString& caption, QString* error);
  bool IsRunning() const;

  // Adds text as a line of its own to the output (a note of Kyv's about what the script said).
  void AppendNote(const QString& text);
  // Puts the focus into the input field of a running script.
  void FocusInput();

  // Empties the output and the status line (a running script goes on).
  void Clear();
  QString OutputText() const;
  QString StatusText() const;
  // The program size line of the last run; empty when the compiler reported no size.
  QString ProgramSizeText() const;
  // What the compiler reported as the program size in the last run.
  std::optional<qint64> ProgramSize() const { return m_programSize; }
  // The folder the last script ran in.
  const QString& Folder() const { return m_sFolder; }
  // The first error of the last run, its file resolved; nothing when there was none.
  std::optional<CCompilerMessage> FirstError() const;
  // The last run was ended by Stop.
  bool WasStopped() const { return m_bStopped; }

  // Replaces the file opener (by default the desktop's program for the file, without a line).
  void SetFileOpener(FileOpener opener);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  void Stop();

 signals:
  // The script ended; exitStatus is the script's exit code, or -1 when it crashed or was stopped.
  void finished(int exitCode);
  // The script printed a complete line (without its line break).
  void lineCompleted(const QString& line);

 private:
  void AppendText(const QString& text);
  void AppendOutput();
  void OnFinished(int exitCode, QProcess::ExitStatus status);
  void ShowRunningTime();
  void SendInput();
  // Marks the compiler messages among the last count complete lines and notes the program size.
  void ReadCompletedLines(int count);
  // The message whose link is at pos in the output's viewport (or on the cursor's line, with
  // pos empty), or nullptr.
  const CCompilerMessage* LinkAt(std::optional<QPoint> pos) const;
  void OpenLink(const CCompilerMessage& message);
  QTextBlock FirstErrorLine() const;  // invalid when there is none
  void HighlightFirstError();
  void ShowProgramSize();

  QPlainTextEdit* m_pOutput = nullptr;
  QLabel* m_pStatus = nullptr;
  QLabel* m_pSize = nullptr;  // "Program size is N bytes: ..." after a run that reported it
  QPushButton* m_pStop = nullptr;
  QLineEdit* m_pInput = nullptr;  // the running script's standard input
  QProcess* m_pProcess = nullptr;
  QTimer* m_pTick = nullptr;  // refreshes the running time in the status line
  QElapsedTimer m_running;
  QString m_sCaption;
  QString m_sFolder;  // where the script runs: compiler paths are relative to it
  QStringDecoder m_decoder{QStringDecoder::System};  // keeps characters split between reads
  FileOpener m_fileOpener;
  std::optional<qint64> m_programSize;
  bool m_bStopped = false;
  bool m_bAtLineStart = true;  // the output shown so far ends with a line break
};
