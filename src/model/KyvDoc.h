#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "model/CodeObject.h"
#include "platform/Platform.h"

class CArchive;

// Something that shows a document and rebuilds itself from it when told (the three tabs).
class CDocumentView {
 public:
  virtual ~CDocumentView() = default;
  virtual void OnUpdate() = 0;
};

// One open project: its settings, the 64-pin table, the ordered object list and the per-kind
// counters. All members are public data; the operations below are the only behaviour.
class CKyvDoc {
 public:
  static constexpr int kPinCount = 64;
  static constexpr int kTypeCounters = 100;

  explicit CKyvDoc(const CPlatform& platform);
  ~CKyvDoc();
  CKyvDoc(const CKyvDoc&) = delete;
  CKyvDoc& operator=(const CKyvDoc&) = delete;

  int32_t m_nFileVersion = 0;
  QString m_sClockFreq;
  QString m_sFlexSpinPath;
  QString m_sLoadP2Path;
  QString m_sLibraryPath;
  QString m_sOptLevel;
  QString m_sFlexOptions;
  int32_t m_bUseLibraryPath = 0;
  int32_t m_bUseOptLevel = 0;
  int32_t m_bUseFlexOptions = 0;
  int32_t m_bUseHeapSize = 0;
  QString m_sHeapSize;
  int32_t m_bShowTerminal = 0;
  int32_t m_bUsePlan9 = 0;
  int32_t m_bUseBaud = 0;
  int32_t m_bUseLoadP2Options = 0;
  int32_t m_bWaitForKey = 0;
  QString m_sPlan9Path;
  QString m_sBaud;
  QString m_sLoadP2Options;
  int32_t m_bMountSd = 0;
  QString m_sSdClk;
  QString m_sSdCs;
  QString m_sSdMosi;
  QString m_sSdMiso;

  // The pin table, indexed by P2 pin number.
  std::array<bool, kPinCount> m_bPinUsed{};
  std::array<QString, kPinCount> m_sPinUsedBy;
  std::array<QString, kPinCount> m_sPinUsedFor;
  std::array<QString, kPinCount> m_sPinNotes;

  QString m_sMainFilePath;  // main Spin2 file of the last generation; not saved
  QByteArray m_fileDigest;  // hash of the project file as last read or saved; not saved
  std::array<int32_t, kTypeCounters> m_nTypeCount{};  // additions ever made, per kind
  std::vector<std::unique_ptr<CCodeObject>> m_ObjectList;
  bool m_bHasSound = false;  // generators' working flag; not saved
  int32_t m_nSdDriver = 0;   // 0 FSRW, 1 FAT32; not saved

  // File New: defaults, the remembered tool folders and the serial pins. No path and no title:
  // the application numbers its new projects ("Kyv<n>").
  bool OnNewDocument();
  // Reads or writes the saved members in file order.
  void Serialize(CArchive& ar);

  // Folder of the project file without a trailing separator. A project without a file is first
  // offered to the save prompt; "" when it still has none.
  QString GetProjectPath();
  // Kind of the first object with exactly this name, or -1.
  int32_t FindObjectType(const QString& name) const;
  // First object with exactly this name, or nullptr.
  CCodeObject* FindObject(const QString& name) const;
  // Takes ownership of an object its editor accepted and counts it for its kind.
  CCodeObject* AddObject(std::unique_ptr<CCodeObject> object);
  // Releases the object's pins, removes it from the list and destroys it.
  void DeleteObject(CCodeObject* object);
  // Frees a pin completely, its note included.
  void ReleasePin(int pin);
  // True when the pin is free and carries no holder, role or note text.
  bool IsPinBlank(int pin) const {
    return !m_bPinUsed[pin] && m_sPinUsedBy[pin].isEmpty() && m_sPinUsedFor[pin].isEmpty() &&
           m_sPinNotes[pin].isEmpty();
  }

  void AddView(CDocumentView* view);
  void RemoveView(CDocumentView* view);
  void UpdateAllViews();

  // The title shown for the project: the file name once loaded or saved, else what the
  // application named it ("Kyv<n>").
  const QString& GetTitle() const { return m_sTitle; }
  void SetTitle(const QString& title) { m_sTitle = title; }
  // Full path of the project file; empty when it has none.
  const QString& GetPathName() const { return m_sPathName; }
  // Sets the path and takes the file name as the title.
  void SetPathName(const QString& path);

  bool IsModified() const { return m_bModified; }
  void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

  const CPlatform& Platform() const { return m_platform; }
  CMessageService& Messages() const { return *m_platform.m_pMessages; }

 private:
  CPlatform m_platform;
  QList<CDocumentView*> m_views;
  QString m_sTitle;
  QString m_sPathName;
  bool m_bModified = false;
};
