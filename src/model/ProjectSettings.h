#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <variant>

#include "model/KyvDoc.h"

// A new project's value of a setting that the user's settings store remembers (ProfileValues).
struct CRememberedValue {};

// One project setting: a member of CKyvDoc with everything Kyv does with it. The .KYV file, the
// JSON form, File New, the single-byte check and the settings tab all go through this table.
struct CProjectSetting {
  std::variant<QString CKyvDoc::*, int32_t CKyvDoc::*> m_member;
  QString m_sKey;    // JSON key; also the object name of its control on the settings tab
  int m_nFilePlace;  // place in the .KYV record's settings; -1: not saved in the file
  std::variant<QString, int32_t, CRememberedValue> m_newProjectValue;
  // Label by which the single-byte check names the setting (a text the generated files hold).
  QString m_sCheckLabel{};
  // Place among the checked texts, in the order the build script, the load script and the main
  // file write them; -1: no generated file holds the setting.
  int m_nCheckPlace = -1;
  // The flag that must be set for a generated file to hold the setting; null: always held.
  int32_t CKyvDoc::*m_pUsedWhen = nullptr;
};

// Every setting, in the order of the JSON keys as documented.
const QList<CProjectSetting>& ProjectSettings();
// The settings the .KYV file holds, in record order.
const QList<const CProjectSetting*>& SettingsInFileOrder();
// The settings the generated files may hold, in check order.
const QList<const CProjectSetting*>& SettingsInCheckOrder();

// Whether build.bat and load.bat hold the setting (the main file holds the others).
bool IsScriptSetting(const CProjectSetting& setting);

// The labels of the two tool folders on the settings tab; ".exe" only where the programs carry
// it.
QString FlexSpinFolderLabel();
QString LoadP2FolderLabel();
