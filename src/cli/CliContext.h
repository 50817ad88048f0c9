#pragma once

#include <QStringList>
#include <QTextStream>
#include <memory>

#include "platform/Platform.h"
#include "platform/QtSettingsStore.h"
#include "platform/SystemClock.h"

// Messages of the core become lines on stderr: the text itself, a warning with its caption.
class CStreamMessages : public CMessageService {
 public:
  explicit CStreamMessages(QTextStream& out) : m_out(out) {}
  void ShowMessage(MessageStyle style, const QString& caption, const QString& text) override;

 private:
  QTextStream& m_out;
};

// A command-line session has no Save As dialog: a project without a file stays without one.
class CNoSavePrompt : public CSavePrompt {
 public:
  bool SaveDocument(CKyvDoc&) override { return false; }
};

// What every command works with: the output streams and the platform services.
class CCliContext {
 public:
  CCliContext(QTextStream& out, QTextStream& err, CSettingsStore& settings);

  QTextStream& m_out;
  QTextStream& m_err;
  CStreamMessages m_messages;
  CNoSavePrompt m_savePrompt;
  CSystemClock m_systemClock;
  std::unique_ptr<CClock> m_pFixedClock;  // set by --time
  CPlatform m_platform;
};

// Exit codes of kyv-cli.
// kExitConflicts: generated, but the main file holds conflict blocks to resolve.
enum CliExit { kExitOk = 0, kExitUserError = 1, kExitUsage = 2, kExitConflicts = 3 };

// Runs kyv-cli with its arguments (without the program name).
int RunCli(const QStringList& args, CCliContext& context);
