#pragma once

#include <QString>
#include <array>

#include "model/KyvDoc.h"

// The five per-user values a new project takes its tool folders and options from. They change
// only when the user edits them in a project (or asks for a project's values to be remembered);
// opening or generating a project never changes them, so that a project someone else wrote
// cannot choose the tools of the user's later projects.
struct CProfileValue {
  QString m_sName;
  QString CKyvDoc::*m_pMember;
  QString m_sDefault;  // the built-in value, used as it is on Windows
  // Where the machine's tools are known (off Windows): the value found there instead of the
  // built-in one; null keeps the built-in value.
  QString (*m_pLocatedDefault)(const CToolLocator&) = nullptr;
};

// The folder of flexspin, of loadp2, and the include folder of the FlexProp install around
// flexspin ("" where there is none).
QString LocatedFlexSpinFolder(const CToolLocator& locator);
QString LocatedLoadP2Folder(const CToolLocator& locator);
QString LocatedLibraryFolder(const CToolLocator& locator);
// The Plan9 share has no usual place off Windows: the user picks one.
inline QString NoLocatedFolder(const CToolLocator&) { return QString(); }

inline const std::array<CProfileValue, 5>& ProfileValues() {
  static const std::array<CProfileValue, 5> values = {{
      {QStringLiteral("FlexSpinPath"), &CKyvDoc::m_sFlexSpinPath,
       QStringLiteral("C:\\FlexProp\\bin"), &LocatedFlexSpinFolder},
      {QStringLiteral("LoadP2Path"), &CKyvDoc::m_sLoadP2Path, QStringLiteral("C:\\FlexProp\\bin"),
       &LocatedLoadP2Folder},
      {QStringLiteral("LibraryPath"), &CKyvDoc::m_sLibraryPath,
       QStringLiteral("C:\\FlexProp\\include"), &LocatedLibraryFolder},
      {QStringLiteral("FlexOptions"), &CKyvDoc::m_sFlexOptions,
       QStringLiteral("--fixed --fcache=200"), nullptr},
      {QStringLiteral("Plan9Path"), &CKyvDoc::m_sPlan9Path, QStringLiteral("C:\\FlexProp\\Plan9"),
       &NoLocatedFolder},
  }};
  return values;
}

// The value a new project takes when the settings store remembers none.
inline QString NewProjectDefault(const CProfileValue& value, const CToolLocator* locator) {
  return locator && value.m_pLocatedDefault ? value.m_pLocatedDefault(*locator) : value.m_sDefault;
}

// The profile value stored from this document member, or nullptr when the member is not one.
const CProfileValue* ProfileValueOf(QString CKyvDoc::*member);

// Remembers the document's value of one profile member (nothing for another member), or of all
// five, as the user's defaults for new projects.
void RememberProfileValue(const CKyvDoc& doc, QString CKyvDoc::*member, CSettingsStore& settings);
void RememberProfileValues(const CKyvDoc& doc, CSettingsStore& settings);
