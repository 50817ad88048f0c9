#pragma once

#include "model/KyvDoc.h"

#include <QString>

#include <array>

// The five per-user values a new project takes its tool folders and options from, and that
// Generate Files writes back from the generated project.
struct CProfileValue {
  QString m_sName;
  QString CKyvDoc::*m_pMember;
  QString m_sDefault;
};

inline const std::array<CProfileValue, 5>& ProfileValues() {
  static const std::array<CProfileValue, 5> values = {{
      {QStringLiteral("FlexSpinPath"), &CKyvDoc::m_sFlexSpinPath, QStringLiteral("C:\\FlexProp\\bin")},
      {QStringLiteral("LoadP2Path"), &CKyvDoc::m_sLoadP2Path, QStringLiteral("C:\\FlexProp\\bin")},
      {QStringLiteral("LibraryPath"), &CKyvDoc::m_sLibraryPath, QStringLiteral("C:\\FlexProp\\include")},
      {QStringLiteral("FlexOptions"), &CKyvDoc::m_sFlexOptions, QStringLiteral("--fixed --fcache=200")},
      {QStringLiteral("Plan9Path"), &CKyvDoc::m_sPlan9Path, QStringLiteral("C:\\FlexProp\\Plan9")},
  }};
  return values;
}
