#include "model/ProfileValues.h"

#include <QDir>
#include <QFileInfo>

QString LocatedFlexSpinFolder(const CToolLocator& locator) {
  return locator.ProgramFolder(QStringLiteral("flexspin"));
}

QString LocatedLoadP2Folder(const CToolLocator& locator) {
  return locator.ProgramFolder(QStringLiteral("loadp2"));
}

QString LocatedLibraryFolder(const CToolLocator& locator) {
  // A FlexProp install keeps flexspin in bin/ and its library in include/ beside it.
  const QString bin = LocatedFlexSpinFolder(locator);
  if (bin.isEmpty()) return QString();
  const QString include = QDir::cleanPath(QDir(bin).filePath(QStringLiteral("../include")));
  return QFileInfo(include).isDir() ? QDir::toNativeSeparators(include) : QString();
}
