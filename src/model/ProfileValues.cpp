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

const CProfileValue* ProfileValueOf(QString CKyvDoc::*member) {
  for (const CProfileValue& value : ProfileValues())
    if (value.m_pMember == member) return &value;
  return nullptr;
}

void RememberProfileValue(const CKyvDoc& doc, QString CKyvDoc::*member, CSettingsStore& settings) {
  if (const CProfileValue* value = ProfileValueOf(member))
    settings.WriteString(value->m_sName, doc.*member);
}

void RememberProfileValues(const CKyvDoc& doc, CSettingsStore& settings) {
  for (const CProfileValue& value : ProfileValues())
    settings.WriteString(value.m_sName, doc.*value.m_pMember);
}
