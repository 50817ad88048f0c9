#include "app/KyvApp.h"

#include <QDir>
#include <QFileInfo>
#include <QScopedValueRollback>
#include <algorithm>

#include "app/ChildFrame.h"
#include "app/DocumentHistory.h"
#include "app/KyvView.h"
#include "app/MainFrame.h"
#include "model/KyvFile.h"
#include "model/ProjectLock.h"
#include "platform/MachineToolLocator.h"

CKyvApp::CKyvApp() {
  m_platform.m_pMessages = &m_messages;
  m_platform.m_pSettings = &m_settings;
  m_platform.m_pSavePrompt = &m_savePrompt;
  m_platform.m_pClock = &m_clock;
  m_platform.m_pToolLocator = MachineToolLocator();
  connect(&m_fileWatcher, &QFileSystemWatcher::fileChanged, this, &CKyvApp::OnProjectFileChanged);
}

CKyvApp::~CKyvApp() {
  // Windows first: their pages detach from the documents.
  m_bClosingAll = true;
  m_pMainFrame.reset();
  m_histories.clear();
  m_documents.clear();
}

bool CKyvApp::InitInstance(const QStringList& arguments) {
  m_pMainFrame = std::make_unique<CMainFrame>(*this);
  QStringList files = arguments;
  const bool showObjects = files.removeAll(QStringLiteral("--object-list")) > 0;
  if (files.isEmpty()) return OnFileNew() != nullptr;
  CKyvDoc* doc = OpenDocumentFile(files.constFirst());
  if (doc && showObjects)
    for (CChildFrame* frame : FramesOf(*doc)) frame->View()->setCurrentIndex(CKyvView::kObjectPage);
  return doc != nullptr;
}

CKyvDoc* CKyvApp::AdoptDocument(std::unique_ptr<CKyvDoc> doc) {
  CKyvDoc* adopted = doc.get();
  m_histories[adopted] = std::make_unique<CDocumentHistory>(*adopted);
  m_documents.push_back(std::move(doc));
  m_pMainFrame->CreateChildFrame(*adopted);
  WatchProjectFiles();
  emit documentsChanged();
  return adopted;
}

void CKyvApp::WatchProjectFiles() {
  QStringList wanted;
  for (const auto& doc : m_documents)
    if (!doc->GetPathName().isEmpty() && QFileInfo::exists(doc->GetPathName()))
      wanted.append(doc->GetPathName());
  const QStringList watched = m_fileWatcher.files();
  for (const QString& path : watched)
    if (!wanted.contains(path)) m_fileWatcher.removePath(path);
  for (const QString& path : wanted)
    if (!watched.contains(path)) m_fileWatcher.addPath(path);
}

void CKyvApp::OnProjectFileChanged(const QString& path) {
  // A file replaced by renaming another over it (as every atomic save does) is no longer
  // watched: watch the new one.
  WatchProjectFiles();
  // A file written in several steps reports each; one question at a time is enough, and the
  // answer reads the file as it is by then.
  if (m_bAskingAboutChange) return;
  const QScopedValueRollback asking(m_bAskingAboutChange, true);
  for (CKyvDoc* doc : Documents()) {
    // Kyv's own saves leave the digest matching the file: nothing changed for it.
    if (doc->GetPathName() != path || !HasFileChangedOnDisk(*doc)) continue;
    if (doc->IsModified() &&
        !AskReloadChangedFile(m_pMainFrame.get(), QDir::toNativeSeparators(path)))
      continue;
    ReloadDocument(*doc);
  }
}

void CKyvApp::ReloadDocument(CKyvDoc& doc) {
  QString error;
  if (!ReloadKyvFile(doc, &error)) {
    m_messages.ShowWarning(
        kAppTitle, QStringLiteral("%1 was changed by another program and cannot be read now: %2 "
                                  "The project stays as it is here; save it to keep it.")
                       .arg(QDir::toNativeSeparators(doc.GetPathName()), error));
    return;
  }
  // One undoable step, at which the project matches its file.
  CDocumentHistory& history = History(doc);
  history.Record(QStringLiteral("Reload from Disk"));
  history.MarkSaved();
  doc.UpdateAllViews();
  for (CChildFrame* frame : FramesOf(doc)) frame->RefreshFindings();
  RefreshTitles(doc);
}

CKyvDoc* CKyvApp::OnFileNew() {
  auto doc = std::make_unique<CKyvDoc>(m_platform);
  if (!doc->OnNewDocument()) return nullptr;
  // The counter belongs to this run of the program, like the document template's.
  doc->SetTitle(QStringLiteral("Kyv%1").arg(++m_nUntitledCount));
  return AdoptDocument(std::move(doc));
}

CKyvDoc* CKyvApp::OnFileOpen() {
  // Start where the last project was: the first entry of the recent-file list.
  const QStringList& recent = RecentFiles();
  const QString startFolder =
      recent.isEmpty() ? QString() : QFileInfo(recent.first()).absolutePath();
  const QString path = PromptOpenFileName(m_pMainFrame.get(), startFolder);
  return path.isEmpty() ? nullptr : OpenDocumentFile(path);
}

CKyvDoc* CKyvApp::OpenDocumentFile(const QString& path) {
  const QString full = QFileInfo(path).absoluteFilePath();
  for (const auto& open : m_documents) {
    if (!open->GetPathName().isEmpty() && QFileInfo(open->GetPathName()) == QFileInfo(full)) {
      const QList<CChildFrame*> frames = FramesOf(*open);
      if (!frames.isEmpty()) m_pMainFrame->ActivateFrame(frames.constFirst());
      return open.get();
    }
  }
  QString error;
  std::unique_ptr<CKyvDoc> doc = LoadKyvFile(full, m_platform, &error);
  if (!doc) {
    m_messages.ShowWarning(kAppTitle, error);
    if (!QFileInfo::exists(full)) {
      m_recentFiles.Remove(QDir::toNativeSeparators(full));
      emit recentFilesChanged();
    }
    return nullptr;
  }
  m_recentFiles.Add(full);
  emit recentFilesChanged();
  return AdoptDocument(std::move(doc));
}

bool CKyvApp::DoSave(CKyvDoc& doc, bool askForName) {
  QString path = doc.GetPathName();
  if (askForName || path.isEmpty()) {
    const QString proposed = path.isEmpty() ? doc.GetTitle() + QStringLiteral(".KYV") : path;
    path = PromptSaveFileName(m_pMainFrame.get(), proposed);
    if (path.isEmpty()) return false;
  }
  // Held until the file is written, so that kyv-cli or another Kyv cannot change it halfway.
  CProjectLock lock(path);
  QString error;
  if (!lock.Acquire(&error)) {
    m_messages.ShowWarning(kAppTitle, error);
    return false;
  }
  const bool ownFile =
      !doc.GetPathName().isEmpty() && QFileInfo(doc.GetPathName()) == QFileInfo(path);
  if (ownFile && HasFileChangedOnDisk(doc) &&
      !AskOverwriteChangedFile(m_pMainFrame.get(), QDir::toNativeSeparators(path)))
    return false;
  if (!SaveKyvFile(doc, path, &error)) {
    m_messages.ShowWarning(kAppTitle, error);
    return false;
  }
  History(doc).MarkSaved();
  WatchProjectFiles();
  m_recentFiles.Add(path);
  emit recentFilesChanged();
  RefreshTitles(doc);
  return true;
}

CChildFrame* CKyvApp::NewWindow(CKyvDoc& doc) { return m_pMainFrame->CreateChildFrame(doc); }

bool CKyvApp::SaveModified(CKyvDoc& doc) {
  if (!doc.IsModified()) return true;
  switch (AskSaveChanges(m_pMainFrame.get(), doc.GetTitle())) {
    case QMessageBox::Save:
      return OnFileSave(doc);
    case QMessageBox::Discard:
      return true;
    default:
      return false;
  }
}

bool CKyvApp::SaveAllModified() {
  for (CKyvDoc* doc : Documents())
    if (!SaveModified(*doc)) return false;
  return true;
}

bool CKyvApp::CanCloseFrame(CChildFrame& frame) {
  if (m_bClosingAll) return true;
  if (FramesOf(frame.Document()).size() > 1) return true;
  return SaveModified(frame.Document());
}

QList<CKyvDoc*> CKyvApp::Documents() const {
  QList<CKyvDoc*> documents;
  for (const auto& doc : m_documents) documents.append(doc.get());
  return documents;
}

CDocumentHistory& CKyvApp::History(const CKyvDoc& doc) const { return *m_histories.at(&doc); }

QList<CChildFrame*> CKyvApp::FramesOf(const CKyvDoc& doc) const {
  QList<CChildFrame*> frames;
  for (CChildFrame* frame : m_frames)
    if (&frame->Document() == &doc) frames.append(frame);
  return frames;
}

void CKyvApp::RefreshTitles(const CKyvDoc& doc) {
  const QList<CChildFrame*> frames = FramesOf(doc);
  for (int i = 0; i < frames.size(); ++i) frames[i]->UpdateTitle(frames.size() > 1 ? i + 1 : 0);
  if (m_pMainFrame) m_pMainFrame->UpdateProjectStatus();
}

void CKyvApp::RegisterFrame(CChildFrame* frame) { m_frames.append(frame); }

void CKyvApp::UnregisterFrame(CChildFrame* frame) {
  m_frames.removeAll(frame);
  CKyvDoc* doc = &frame->Document();
  if (!FramesOf(*doc).isEmpty()) {
    if (!m_bClosingAll) RefreshTitles(*doc);
    return;
  }
  const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                               [doc](const auto& owned) { return owned.get() == doc; });
  if (it == m_documents.end()) return;
  m_histories.erase(doc);
  m_documents.erase(it);
  WatchProjectFiles();
  if (m_pMainFrame) emit documentsChanged();
}
