#include "model/KyvDoc.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "model/Archive.h"
#include "model/KindRegistry.h"
#include "model/ProfileValues.h"

CKyvDoc::CKyvDoc(const CPlatform& platform) : m_platform(platform) {}

CKyvDoc::~CKyvDoc() = default;

bool CKyvDoc::OnNewDocument() {
  static int s_nNewDocuments = 0;  // titles Kyv1, Kyv2, ... in creation order in this run
  m_sTitle = QStringLiteral("Kyv%1").arg(++s_nNewDocuments);
  m_sPathName.clear();

  for (const CProfileValue& value : ProfileValues()) {
    const QString fallback = NewProjectDefault(value, m_platform.m_pToolLocator);
    this->*value.m_pMember = m_platform.m_pSettings
                                 ? m_platform.m_pSettings->ReadString(value.m_sName, fallback)
                                 : fallback;
  }

  m_nFileVersion = 1;
  m_sClockFreq = QStringLiteral("160_000_000");
  m_sOptLevel = QStringLiteral("2");
  m_bUseLibraryPath = 0;
  m_bUseOptLevel = 0;
  m_bUseFlexOptions = 0;
  m_bUseHeapSize = 0;
  m_sHeapSize = QStringLiteral("8000");
  m_bShowTerminal = 1;
  m_bUsePlan9 = 0;
  m_bUseBaud = 0;
  m_bUseLoadP2Options = 0;
  m_bWaitForKey = 1;
  m_sBaud = QStringLiteral("230400");
  m_sLoadP2Options = QStringLiteral("-SINGLE");
  m_bMountSd = 0;
  m_sSdClk = QStringLiteral("61");
  m_sSdCs = QStringLiteral("60");
  m_sSdMosi = QStringLiteral("59");
  m_sSdMiso = QStringLiteral("58");
  m_sMainFilePath.clear();
  m_bHasSound = false;
  m_nSdDriver = 0;

  for (int pin = 0; pin < kPinCount; ++pin) {
    m_bPinUsed[pin] = false;
    m_sPinUsedBy[pin].clear();
    m_sPinUsedFor[pin].clear();
    m_sPinNotes[pin].clear();
  }
  m_bPinUsed[62] = m_bPinUsed[63] = true;
  m_sPinUsedBy[62] = m_sPinUsedBy[63] = QStringLiteral("Serial");
  m_sPinUsedFor[62] = QStringLiteral("TX");
  m_sPinUsedFor[63] = QStringLiteral("RX");
  m_sPinNotes[62] = QStringLiteral("Used for Programming the P2 and Standard I/O");
  m_sPinNotes[63] = QStringLiteral("Used for Programming the P2 and stdio");

  m_nTypeCount.fill(0);
  m_ObjectList.clear();
  m_bModified = false;
  return true;
}

void CKyvDoc::Serialize(CArchive& ar) {
  ar.Int32(m_nFileVersion);
  ar.String(m_sClockFreq);
  ar.String(m_sFlexSpinPath);
  ar.String(m_sLibraryPath);
  ar.String(m_sLoadP2Path);
  ar.String(m_sOptLevel);
  ar.String(m_sFlexOptions);
  ar.Int32(m_bUseLibraryPath);
  ar.Int32(m_bUseOptLevel);
  ar.Int32(m_bUseFlexOptions);
  ar.Int32(m_bShowTerminal);
  ar.Int32(m_bWaitForKey);
  ar.Int32(m_bUsePlan9);
  ar.Int32(m_bUseBaud);
  ar.Int32(m_bUseLoadP2Options);
  ar.String(m_sPlan9Path);
  ar.String(m_sBaud);
  ar.String(m_sLoadP2Options);
  ar.Int32(m_bMountSd);
  ar.String(m_sSdClk);
  ar.String(m_sSdCs);
  ar.String(m_sSdMosi);
  ar.String(m_sSdMiso);
  ar.Int32(m_bUseHeapSize);
  ar.String(m_sHeapSize);
  for (int pin = 0; pin < kPinCount; ++pin) {
    ar.Bool(m_bPinUsed[pin]);
    ar.String(m_sPinUsedBy[pin]);
    ar.String(m_sPinUsedFor[pin]);
    ar.String(m_sPinNotes[pin]);
  }

  int32_t count = static_cast<int32_t>(m_ObjectList.size());
  ar.Int32(count);
  if (ar.IsLoading()) {
    m_ObjectList.clear();
    // No up-front reserve: the count comes from the file and may be a lie; each record must
    // actually be present before the next one is made.
    for (int32_t i = 0; i < count; ++i) {
      auto object = std::make_unique<CCodeObject>();
      object->Serialize(ar);
      m_ObjectList.push_back(std::move(object));
    }
  } else {
    for (const auto& object : m_ObjectList) object->Serialize(ar);
  }

  for (int32_t& counter : m_nTypeCount) ar.Int32(counter);
}

void CKyvDoc::SetPathName(const QString& path) {
  m_sPathName = path;
  if (!path.isEmpty()) m_sTitle = QFileInfo(path).fileName();
}

QString CKyvDoc::GetProjectPath() {
  if (m_sPathName.isEmpty()) {
    Messages().ShowPlain(QStringLiteral("Project must be saved first."));
    if (m_platform.m_pSavePrompt) m_platform.m_pSavePrompt->SaveDocument(*this);
  }
  if (m_sPathName.isEmpty()) {
    Messages().ShowPlain(QStringLiteral("Unable to find project path."));
    return QString();
  }
  return QDir::toNativeSeparators(QFileInfo(m_sPathName).absolutePath());
}

int32_t CKyvDoc::FindObjectType(const QString& name) const {
  const CCodeObject* object = FindObject(name);
  return object ? object->m_nType : -1;
}

CCodeObject* CKyvDoc::FindObject(const QString& name) const {
  for (const auto& object : m_ObjectList)
    if (object->m_sName == name) return object.get();
  return nullptr;
}

CCodeObject* CKyvDoc::AddObject(std::unique_ptr<CCodeObject> object) {
  CCodeObject* added = object.get();
  m_ObjectList.push_back(std::move(object));
  if (added->m_nType >= 0 && added->m_nType < kTypeCounters) ++m_nTypeCount[added->m_nType];
  m_bModified = true;
  return added;
}

void CKyvDoc::ReleasePin(int pin) {
  if (pin < 0 || pin >= kPinCount) return;
  m_bPinUsed[pin] = false;
  m_sPinUsedBy[pin].clear();
  m_sPinUsedFor[pin].clear();
  m_sPinNotes[pin].clear();
}

void CKyvDoc::DeleteObject(CCodeObject* object) {
  const auto it = std::find_if(m_ObjectList.begin(), m_ObjectList.end(),
                               [object](const auto& owned) { return owned.get() == object; });
  if (it == m_ObjectList.end()) return;
  // Only pins still held under the object's own name are freed: after a rejected OK the
  // record may name pins that another holder (or "Serial") owns.
  const CKindInfo* kind = FindKind(object->m_nType);
  const QList<int> pins = kind ? kind->m_pRecordedPins(*object) : QList<int>();
  for (const int pin : pins)
    if (m_sPinUsedBy[pin] == object->m_sName) ReleasePin(pin);
  m_ObjectList.erase(it);
  m_bModified = true;
}

void CKyvDoc::AddView(CDocumentView* view) {
  if (!m_views.contains(view)) m_views.append(view);
}

void CKyvDoc::RemoveView(CDocumentView* view) { m_views.removeAll(view); }

void CKyvDoc::UpdateAllViews() {
  const QList<CDocumentView*> views = m_views;  // a view may detach itself while updating
  for (CDocumentView* view : views) view->OnUpdate();
}
