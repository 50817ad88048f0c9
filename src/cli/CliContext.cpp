#include "cli/CliContext.h"

void CStreamMessages::ShowMessage(MessageStyle style, const QString& caption, const QString& text) {
  if (style == MessageStyle::Warning)
    m_out << caption << QStringLiteral(": ") << text << Qt::endl;
  else
    m_out << text << Qt::endl;
}

CCliContext::CCliContext(QTextStream& out, QTextStream& err, CSettingsStore& settings)
    : m_out(out), m_err(err), m_messages(err) {
  m_platform.m_pMessages = &m_messages;
  m_platform.m_pSettings = &settings;
  m_platform.m_pSavePrompt = &m_savePrompt;
  m_platform.m_pClock = &m_systemClock;
}
