#include "model/ProjectSettings.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr CRememberedValue kRemembered;

// ".exe" where the programs' file names carry it, else "".
QString ProgramExtension() {
#if defined(Q_OS_WIN)
  return u".exe"_s;
#else
  return QString();
#endif
}

// The entries of ProjectSettings() that have a place in the given order, sorted by it.
QList<const CProjectSetting*> SortedBy(int CProjectSetting::*place) {
  QList<const CProjectSetting*> sorted;
  for (const CProjectSetting& setting : ProjectSettings())
    if (setting.*place >= 0) sorted.append(&setting);
  std::sort(sorted.begin(), sorted.end(),
            [place](const auto* a, const auto* b) { return a->*place < b->*place; });
  return sorted;
}

}  // namespace

QString FlexSpinFolderLabel() { return u"FlexSpin"_s + ProgramExtension() + u" Folder: "_s; }

QString LoadP2FolderLabel() { return u"LoadP2"_s + ProgramExtension() + u" Folder: "_s; }

const QList<CProjectSetting>& ProjectSettings() {
  using D = CKyvDoc;
  // member, key, file place, new project's value, check label, check place, used when
  static const QList<CProjectSetting> settings = {
      {&D::m_nFileVersion, u"fileVersion"_s, 0, int32_t{1}},
      {&D::m_sClockFreq, u"clockFreq"_s, 1, u"160_000_000"_s, u"P2 Core Frequency:"_s, 8},
      {&D::m_sFlexSpinPath, u"flexSpinPath"_s, 2, kRemembered, FlexSpinFolderLabel().trimmed(), 0},
      {&D::m_sLoadP2Path, u"loadP2Path"_s, 4, kRemembered, LoadP2FolderLabel().trimmed(), 4},
      {&D::m_sLibraryPath, u"libraryPath"_s, 3, kRemembered, u"-L Use Additional Library Folder"_s,
       1, &D::m_bUseLibraryPath},
      {&D::m_sOptLevel, u"optLevel"_s, 5, u"2"_s, u"-O Specify Optimization Level"_s, 2,
       &D::m_bUseOptLevel},
      {&D::m_sFlexOptions, u"flexOptions"_s, 6, kRemembered,
       u"Add these additional options: (FlexSpin)"_s, 3, &D::m_bUseFlexOptions},
      {&D::m_bUseLibraryPath, u"useLibraryPath"_s, 7, int32_t{0}},
      {&D::m_bUseOptLevel, u"useOptLevel"_s, 8, int32_t{0}},
      {&D::m_bUseFlexOptions, u"useFlexOptions"_s, 9, int32_t{0}},
      {&D::m_bUseHeapSize, u"useHeapSize"_s, 23, int32_t{0}},
      {&D::m_sHeapSize, u"heapSize"_s, 24, u"8000"_s},
      {&D::m_bShowTerminal, u"showTerminal"_s, 10, int32_t{1}},
      {&D::m_bUsePlan9, u"usePlan9"_s, 12, int32_t{0}},
      {&D::m_bUseBaud, u"useBaud"_s, 13, int32_t{0}},
      {&D::m_bUseLoadP2Options, u"useLoadP2Options"_s, 14, int32_t{0}},
      {&D::m_bWaitForKey, u"waitForKey"_s, 11, int32_t{1}},
      {&D::m_sPlan9Path, u"plan9Path"_s, 15, kRemembered, u"-9 Use Plan9 to access PC Folder:"_s, 5,
       &D::m_bUsePlan9},
      {&D::m_sBaud, u"baud"_s, 16, u"230400"_s, u"-b Specify terminal baud"_s, 6, &D::m_bUseBaud},
      {&D::m_sLoadP2Options, u"loadP2Options"_s, 17, u"-SINGLE"_s,
       u"Add these additional options: (LoadP2)"_s, 7, &D::m_bUseLoadP2Options},
      {&D::m_bMountSd, u"mountSd"_s, 18, int32_t{0}},
      {&D::m_sSdClk, u"sdClk"_s, 19, u"61"_s, u"SD Card Pins: CLK"_s, 12, &D::m_bMountSd},
      {&D::m_sSdCs, u"sdCs"_s, 20, u"60"_s, u"SD Card Pins: CS"_s, 11, &D::m_bMountSd},
      {&D::m_sSdMosi, u"sdMosi"_s, 21, u"59"_s, u"SD Card Pins: MOSI"_s, 10, &D::m_bMountSd},
      {&D::m_sSdMiso, u"sdMiso"_s, 22, u"58"_s, u"SD Card Pins: MISO"_s, 9, &D::m_bMountSd},
      // The SD driver choice is not saved in the .KYV file: a reopened project starts on FSRW.
      {&D::m_nSdDriver, u"sdDriver"_s, -1, int32_t{0}},
  };
  return settings;
}

// The check order follows the files: build script 0..3, load script 4..7, then the main file.
bool IsScriptSetting(const CProjectSetting& setting) {
  constexpr int kLastScriptPlace = 7;
  return setting.m_nCheckPlace >= 0 && setting.m_nCheckPlace <= kLastScriptPlace;
}

const QList<const CProjectSetting*>& SettingsInFileOrder() {
  static const QList<const CProjectSetting*> sorted = SortedBy(&CProjectSetting::m_nFilePlace);
  return sorted;
}

const QList<const CProjectSetting*>& SettingsInCheckOrder() {
  static const QList<const CProjectSetting*> sorted = SortedBy(&CProjectSetting::m_nCheckPlace);
  return sorted;
}
