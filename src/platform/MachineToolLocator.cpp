#include "platform/MachineToolLocator.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

CMachineToolLocator::CMachineToolLocator(QStringList searchPath, QStringList installFolders)
    : m_searchPath(std::move(searchPath)), m_installFolders(std::move(installFolders)) {}

QStringList CMachineToolLocator::UsualFlexPropFolders() {
  return {QDir::home().filePath(QStringLiteral("flexprop/bin")),
          QStringLiteral("/opt/flexprop/bin"), QStringLiteral("/usr/local/flexprop/bin")};
}

QString CMachineToolLocator::ProgramFolder(const QString& program) const {
  // findExecutable searches PATH when given no folders.
  QString found = QStandardPaths::findExecutable(program, m_searchPath);
  if (found.isEmpty() && !m_installFolders.isEmpty())
    found = QStandardPaths::findExecutable(program, m_installFolders);
  return found.isEmpty() ? QString() : QDir::toNativeSeparators(QFileInfo(found).absolutePath());
}

const CToolLocator* MachineToolLocator() {
#if defined(Q_OS_WIN)
  return nullptr;
#else
  static const CMachineToolLocator locator;
  return &locator;
#endif
}
