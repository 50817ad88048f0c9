#pragma once

#include <QStringList>

#include "platform/Platform.h"

// Looks for a program on the search path (PATH unless one is given), then in the bin folders of
// the usual FlexProp installs.
class CMachineToolLocator : public CToolLocator {
 public:
  explicit CMachineToolLocator(QStringList searchPath = {},
                               QStringList installFolders = UsualFlexPropFolders());

  QString ProgramFolder(const QString& program) const override;

  // ~/flexprop/bin, /opt/flexprop/bin, /usr/local/flexprop/bin.
  static QStringList UsualFlexPropFolders();

 private:
  QStringList m_searchPath;
  QStringList m_installFolders;
};

// The locator the program uses: none on Windows, where new projects keep the FlexProp folders
// under C:\\, the machine's elsewhere.
const CToolLocator* MachineToolLocator();
