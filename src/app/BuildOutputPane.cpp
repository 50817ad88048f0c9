#include "app/BuildOutputPane.h"

#include <QDir>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

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
  row->addWidget(m_pStatus, 1);
  row->addWidget(m_pStop);
  column->addLayout(row);
  m_pOutput = new QPlainTextEdit;
  m_pOutput->setReadOnly(true);
  m_pOutput->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  m_pOutput->setMaximumBlockCount(20000);
  column->addWidget(m_pOutput);
  setWidget(body);

  m_pProcess = new QProcess(this);
  m_pProcess->setProcessChannelMode(QProcess::MergedChannels);
  connect(m_pProcess, &QProcess::readyReadStandardOutput, this, &CBuildOutputPane::AppendOutput);
  connect(m_pProcess, &QProcess::finished, this, &CBuildOutputPane::OnFinished);
  connect(m_pStop, &QPushButton::clicked, this, &CBuildOutputPane::Stop);
  m_pTick = new QTimer(this);
  m_pTick->setInterval(1000);
  connect(m_pTick, &QTimer::timeout, this, &CBuildOutputPane::ShowRunningTime);
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
  m_bStopped = false;
  m_pOutput->clear();
  m_bAtLineStart = true;
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

void CBuildOutputPane::Clear() {
  m_pOutput->clear();
  m_pStatus->clear();
  m_bAtLineStart = true;
}

void CBuildOutputPane::Stop() {
  if (!IsRunning()) return;
  m_bStopped = true;
  m_pProcess->kill();
}

void CBuildOutputPane::AppendText(const QString& text) {
  if (text.isEmpty()) return;
  m_pOutput->moveCursor(QTextCursor::End);
  m_pOutput->insertPlainText(text);
  m_bAtLineStart = text.endsWith(u'\n');
  m_pOutput->verticalScrollBar()->setValue(m_pOutput->verticalScrollBar()->maximum());
}

void CBuildOutputPane::AppendOutput() {
  AppendText(QString::fromLocal8Bit(m_pProcess->readAllStandardOutput()));
}

void CBuildOutputPane::OnFinished(int exitCode, QProcess::ExitStatus status) {
  AppendOutput();
  m_pTick->stop();
  m_pStop->setEnabled(false);
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
  AppendText((m_bAtLineStart ? QString() : QStringLiteral("\n")) + line + u'\n');
  m_pStatus->setText(line);
  emit finished(reported);
}

QString CBuildOutputPane::OutputText() const { return m_pOutput->toPlainText(); }
QString CBuildOutputPane::StatusText() const { return m_pStatus->text(); }
