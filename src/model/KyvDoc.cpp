#include "model/KyvDoc.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <type_traits>
#include <variant>

#include "model/Archive.h"
#include "model/KindRegistry.h"
#include "model/ProfileValues.h"
#include "model/ProjectSettings.h"

CKyvDoc::CKyvDoc(const CPlatform& platform) : m_platform(platform) {}

CKyvDoc::~CKyvDoc() = default;

bool CKyvDoc::OnNewDocument() {
  // The window that shows the project gives it its "Kyv<n>" title.
  m_sTitle.clear();
  m_sPathName.clear();

  for (const CProfileValue& value : ProfileValues()) {
    const QString fallback = NewProjectDefault(value, m_platform.m_pToolLocator);
    this->*value.m_pMember = m_platform.m_pSettings
                                 ? m_platform.m_pSettings->ReadString(value.m_sName, fallback)
                                 : fallback;
  }

  for (const CProjectSetting& setting : ProjectSettings()) {
    // Remembered values were taken from the profile above.
    if (const auto* text = std::get_if<QString>(&setting.m_newProjectValue))
      this->*std::get<QString CKyvDoc::*>(setting.m_member) = *text;
    else if (const auto* number = std::get_if<int32_t>(&setting.m_newProjectValue))
      this->*std::get<int32_t CKyvDoc::*>(setting.m_member) = *number;
  }
  m_sMainFilePath.clear();
  m_bHasSound = false;

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
  for (const CProjectSetting* setting : SettingsInFileOrder()) {
    std::visit(
        [&](auto member) {
          if constexpr (std::is_same_v<decltype(member), QString CKyvDoc::*>)
            ar.String(this->*member);
          else
            ar.Int32(this->*member);
        },
        setting->m_member);
  }
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
  const QList<int> pins = kind ? kind->RecordedPins(*object) : QList<int>();
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
