#include "app/BuildOutputPane.h"

#include <QDesktopServices>
#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTextBlock>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// A compiler message found on a line of the output, its file resolved.
class CMessageLine : public QTextBlockUserData {
 public:
  explicit CMessageLine(CCompilerMessage message) : m_message(std::move(message)) {}
  CCompilerMessage m_message;
};

const CCompilerMessage* MessageOn(const QTextBlock& block) {
  if (!block.isValid()) return nullptr;
  const auto* line = static_cast<const CMessageLine*>(block.userData());
  return line ? &line->m_message : nullptr;
}

bool IsLink(const CCompilerMessage* message) { return message && !message->m_sFile.isEmpty(); }

}  // namespace

CBuildOutputPane::CBuildOutputPane(QWidget* parent)
    : QDockWidget(QStringLiteral("Build Output"), parent) {
  setObjectName(QStringLiteral("buildOutputPane"));
  setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
  auto* body = new QWidget;
  auto* column = new QVBoxLayout(body);
  column->setContentsMargins(4, 4, 4, 4);
  auto* row = new QHBoxLayout;
  m_pStatus = new QLabel;
  m_pStatus->setTextFormat(Qt::PlainText);
  m_pStop = new QPushButton(QStringLiteral("Stop"));
  m_pStop->setObjectName(QStringLiteral("stopScript"));
  m_pStop->setEnabled(false);
  m_pSize = new QLabel;
  m_pSize->setObjectName(QStringLiteral("programSize"));
  m_pSize->setTextFormat(Qt::PlainText);
  m_pSize->hide();
  row->addWidget(m_pStatus, 1);
  row->addWidget(m_pSize);
  row->addWidget(m_pStop);
  column->addLayout(row);
  m_pOutput = new QPlainTextEdit;
  m_pOutput->setObjectName(QStringLiteral("buildOutputText"));
  m_pOutput->setReadOnly(true);
  m_pOutput->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  m_pOutput->installEventFilter(this);
  m_pOutput->viewport()->installEventFilter(this);
  m_pOutput->viewport()->setMouseTracking(true);
  m_pOutput->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_pOutput->setMaximumBlockCount(20000);
  column->addWidget(m_pOutput);
  m_pInput = new QLineEdit;
  m_pInput->setObjectName(QStringLiteral("scriptInput"));
  m_pInput->setPlaceholderText(
      QStringLiteral("Input for the running script: type a line and press Enter"));
  m_pInput->setEnabled(false);
  column->addWidget(m_pInput);
  setWidget(body);

  m_pProcess = new QProcess(this);
  m_pProcess->setProcessChannelMode(QProcess::MergedChannels);
  connect(m_pProcess, &QProcess::readyReadStandardOutput, this, &CBuildOutputPane::AppendOutput);
  connect(m_pProcess, &QProcess::finished, this, &CBuildOutputPane::OnFinished);
  connect(m_pStop, &QPushButton::clicked, this, &CBuildOutputPane::Stop);
  connect(m_pInput, &QLineEdit::returnPressed, this, &CBuildOutputPane::SendInput);
  m_pTick = new QTimer(this);
  m_pTick->setInterval(1000);
  connect(m_pTick, &QTimer::timeout, this, &CBuildOutputPane::ShowRunningTime);
  m_fileOpener = [](const QString& file, int) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(file));
  };
}

CBuildOutputPane::~CBuildOutputPane() {
  // A script still running when the window closes is ended with it.
  if (IsRunning()) {
    m_pProcess->disconnect(this);
    m_pProcess->kill();
    m_pProcess->waitForFinished(3000);
  }
}

bool CBuildOutputPane::IsRunning() const { return m_pProcess->state() != QProcess::NotRunning; }

bool CBuildOutputPane::Run(const QString& program, const QStringList& arguments,
                           const QString& folder, const QString& caption, QString* error) {
  if (IsRunning()) {
    if (error) *error = QStringLiteral("%1 is still running.").arg(m_sCaption);
    return false;
  }
  m_sCaption = caption;
  m_sFolder = folder;
  m_bStopped = false;
  Clear();
  AppendText(QStringLiteral("> %1 (in %2)\n").arg(caption, QDir::toNativeSeparators(folder)));
  m_pProcess->setWorkingDirectory(folder);
  m_pProcess->start(program, arguments);
  if (!m_pProcess->waitForStarted()) {
    if (error) *error = m_pProcess->errorString();
    m_pStatus->setText(QStringLiteral("%1 could not be started.").arg(caption));
    return false;
  }
  m_running.start();
  ShowRunningTime();
  m_pTick->start();
  m_pStop->setEnabled(true);
  m_pInput->setEnabled(true);
  if (isHidden()) {
    show();
    if (auto* window = qobject_cast<QMainWindow*>(parentWidget()))
      window->resizeDocks({this}, {180}, Qt::Vertical);
  }
  raise();
  return true;
}

void CBuildOutputPane::ShowRunningTime() {
  const qint64 seconds = m_running.elapsed() / 1000;
  m_pStatus->setText(QStringLiteral("%1 is running... %2:%3")
                         .arg(m_sCaption)
                         .arg(seconds / 60)
                         .arg(seconds % 60, 2, 10, QLatin1Char('0')));
}

void CBuildOutputPane::SendInput() {
  if (!IsRunning()) return;
  const QString line = m_pInput->text();
  m_pInput->clear();
  // A line typed after a prompt goes on the prompt's line, as in a terminal.
  AppendText(line + u'\n');
  m_pProcess->write(line.toLocal8Bit() + '\n');
}

void CBuildOutputPane::FocusInput() {
  if (m_pInput->isEnabled()) m_pInput->setFocus(Qt::OtherFocusReason);
}

void CBuildOutputPane::AppendNote(const QString& text) {
  AppendText((m_bAtLineStart ? QString() : QStringLiteral("\n")) + text + u'\n');
}

void CBuildOutputPane::Clear() {
  m_pOutput->clear();
  m_pOutput->setExtraSelections({});
  m_pStatus->clear();
  m_bAtLineStart = true;
  m_decoder.resetState();
  m_programSize.reset();
  m_pSize->hide();
}

void CBuildOutputPane::Stop() {
  if (!IsRunning()) return;
  m_bStopped = true;
  m_pProcess->kill();
}

void CBuildOutputPane::AppendText(const QString& text) {
  if (text.isEmpty()) return;
  QTextCursor end(m_pOutput->document());
  end.movePosition(QTextCursor::End);
  // Plain characters, whatever format the line before has.
  end.insertText(text, QTextCharFormat());
  m_bAtLineStart = text.endsWith(u'\n');
  ReadCompletedLines(static_cast<int>(text.count(u'\n')));
  m_pOutput->verticalScrollBar()->setValue(m_pOutput->verticalScrollBar()->maximum());
}

void CBuildOutputPane::ReadCompletedLines(int count) {
  // Counted from the end: lines dropped at the top beyond the block limit do not matter.
  QTextDocument* document = m_pOutput->document();
  const int last = document->blockCount() - 2;  // the last block is the line still open
  QStringList completed;
  for (int number = std::max(0, last - count + 1); number <= last; ++number) {
    QTextBlock block = document->findBlockByNumber(number);
    const QString line = block.text();
    completed.append(line);
    if (const std::optional<qint64> size = ParseProgramSize(line)) m_programSize = size;
    std::optional<CCompilerMessage> message = ParseCompilerMessage(line);
    if (!message) continue;
    if (!message->m_sFile.isEmpty())
      message->m_sFile = QDir::cleanPath(QDir(m_sFolder).absoluteFilePath(message->m_sFile));
    const bool link = IsLink(&*message);
    block.setUserData(new CMessageLine(std::move(*message)));
    if (!link) continue;
    QTextCharFormat format;
    format.setAnchor(true);
    format.setFontUnderline(true);
    format.setForeground(m_pOutput->palette().link());
    QTextCursor range(block);
    range.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    range.mergeCharFormat(format);
  }
  // Told once the lines are read: a listener may add to the output.
  for (const QString& line : completed) emit lineCompleted(line);
}

void CBuildOutputPane::AppendOutput() {
  AppendText(m_decoder.decode(m_pProcess->readAllStandardOutput()));
}

const CCompilerMessage* CBuildOutputPane::LinkAt(std::optional<QPoint> pos) const {
  const QTextCursor cursor = pos ? m_pOutput->cursorForPosition(*pos) : m_pOutput->textCursor();
  const CCompilerMessage* message = MessageOn(cursor.block());
  if (!IsLink(message)) return nullptr;
  // Past the end of the line's text is not on the link.
  if (pos && m_pOutput->cursorRect(cursor).right() <
                 pos->x() - m_pOutput->fontMetrics().averageCharWidth())
    return nullptr;
  return message;
}

void CBuildOutputPane::OpenLink(const CCompilerMessage& message) {
  if (m_fileOpener) m_fileOpener(message.m_sFile, message.m_nLine);
}

void CBuildOutputPane::SetFileOpener(FileOpener opener) { m_fileOpener = std::move(opener); }

bool CBuildOutputPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_pOutput->viewport()) {
    if (event->type() == QEvent::MouseMove) {
      const auto* move = static_cast<QMouseEvent*>(event);
      m_pOutput->viewport()->setCursor(LinkAt(move->position().toPoint()) ? Qt::PointingHandCursor
                                                                          : Qt::IBeamCursor);
    } else if (event->type() == QEvent::MouseButtonRelease) {
      const auto* release = static_cast<QMouseEvent*>(event);
      // A drag that selected text is not a click on the link.
      if (release->button() == Qt::LeftButton && !m_pOutput->textCursor().hasSelection())
        if (const CCompilerMessage* message = LinkAt(release->position().toPoint()))
          OpenLink(*message);
    }
  } else if (watched == m_pOutput && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      if (const CCompilerMessage* message = LinkAt(std::nullopt)) {
        OpenLink(*message);
        return true;
      }
    }
  }
  return QDockWidget::eventFilter(watched, event);
}

QTextBlock CBuildOutputPane::FirstErrorLine() const {
  for (QTextBlock block = m_pOutput->document()->begin(); block.isValid(); block = block.next())
    if (const CCompilerMessage* message = MessageOn(block);
        message && message->m_severity == CompilerSeverity::Error)
      return block;
  return {};
}

std::optional<CCompilerMessage> CBuildOutputPane::FirstError() const {
  if (const CCompilerMessage* message = MessageOn(FirstErrorLine())) return *message;
  return std::nullopt;
}

void CBuildOutputPane::HighlightFirstError() {
  const QTextBlock block = FirstErrorLine();
  if (!block.isValid()) return;
  QTextEdit::ExtraSelection highlight;
  highlight.cursor = QTextCursor(block);
  highlight.format.setBackground(m_pOutput->palette().highlight());
  highlight.format.setForeground(m_pOutput->palette().highlightedText());
  highlight.format.setProperty(QTextFormat::FullWidthSelection, true);
  m_pOutput->setExtraSelections({highlight});
  m_pOutput->setTextCursor(QTextCursor(block));
  m_pOutput->centerCursor();
}

void CBuildOutputPane::ShowProgramSize() {
  if (!m_programSize) return;
  m_pSize->setText(::ProgramSizeText(*m_programSize));
  // Red when it does not fit; otherwise the colours of the look in use.
  QPalette palette;
  if (*m_programSize > kHubRamBytes) palette.setColor(QPalette::WindowText, Qt::red);
  m_pSize->setPalette(palette);
  m_pSize->show();
}

void CBuildOutputPane::OnFinished(int exitCode, QProcess::ExitStatus status) {
  AppendOutput();
  m_pTick->stop();
  m_pStop->setEnabled(false);
  m_pInput->setEnabled(false);
  m_pInput->clear();
  QString line;
  int reported = exitCode;
  if (m_bStopped) {
    line = QStringLiteral("%1 was stopped.").arg(m_sCaption);
    reported = -1;
  } else if (status == QProcess::CrashExit) {
    line = QStringLiteral("%1 ended abnormally.").arg(m_sCaption);
    reported = -1;
  } else {
    line = QStringLiteral("%1 finished with exit status %2.").arg(m_sCaption).arg(exitCode);
  }
  AppendNote(line);
  m_pStatus->setText(line);
  ShowProgramSize();
  if (reported != 0 && !m_bStopped) HighlightFirstError();
  emit finished(reported);
}

QString CBuildOutputPane::OutputText() const { return m_pOutput->toPlainText(); }
QString CBuildOutputPane::StatusText() const { return m_pStatus->text(); }
QString CBuildOutputPane::ProgramSizeText() const {
  return m_pSize->isHidden() ? QString() : m_pSize->text();
}
