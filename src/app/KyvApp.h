#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

#include "app/Prompts.h"
#include "app/RecentFileList.h"
#include "model/KyvDoc.h"
#include "platform/Platform.h"
#include "platform/QtSettingsStore.h"
#include "platform/SystemClock.h"

class CChildFrame;
class CDocumentHistory;
class CMainFrame;

// The application: the platform services, the open documents, the main window, and the file
// commands that create, open, save and close projects.
class CKyvApp : public QObject {
  Q_OBJECT

 public:
  CKyvApp();
  ~CKyvApp() override;

  // Start-up: the main window, then the command line. Without arguments a new project is
  // created; with a file name that project is opened and no new one is made ("--object-list"
  // beside it opens it on the "Object List" tab). False when the command line cannot be carried
  // out.
  bool InitInstance(const QStringList& arguments);

  CMainFrame* MainFrame() const { return m_pMainFrame.get(); }
  const CPlatform& Platform() const { return m_platform; }
  CSettingsStore& Settings() { return m_settings; }
  const QStringList& RecentFiles() const { return m_recentFiles.Files(); }

  // File commands. Each returns the document it produced, or nullptr (messages shown).
  CKyvDoc* OnFileNew();
  CKyvDoc* OnFileOpen();
  CKyvDoc* OpenDocumentFile(const QString& path);
  bool OnFileSave(CKyvDoc& doc) { return DoSave(doc, false); }
  bool OnFileSaveAs(CKyvDoc& doc) { return DoSave(doc, true); }

  // A second window on a document ("New Window").
  CChildFrame* NewWindow(CKyvDoc& doc);

  // Asks Save / Discard / Cancel for a modified document; false when the user cancelled or the
  // save failed.
  bool SaveModified(CKyvDoc& doc);
  // The same for every open document, before the program ends.
  bool SaveAllModified();
  // Whether a project window may close (only the last window of a modified project asks).
  bool CanCloseFrame(CChildFrame& frame);
  // While the program ends the questions have been asked already.
  void SetClosingAll(bool closing) { m_bClosingAll = closing; }

  QList<CKyvDoc*> Documents() const;
  // The undo history of an open document, shared by all its windows.
  CDocumentHistory& History(const CKyvDoc& doc) const;
  QList<CChildFrame*> FramesOf(const CKyvDoc& doc) const;
  void RefreshTitles(const CKyvDoc& doc);

  // Project windows report their coming and going; a document goes with its last window.
  void RegisterFrame(CChildFrame* frame);
  void UnregisterFrame(CChildFrame* frame);

 signals:
  void recentFilesChanged();
  void documentsChanged();

 private:
  // Runs File Save for a project without a file (GetProjectPath asks through this).
  class CAppSavePrompt : public CSavePrompt {
   public:
    explicit CAppSavePrompt(CKyvApp& app) : m_app(app) {}
    bool SaveDocument(CKyvDoc& doc) override { return m_app.OnFileSave(doc); }

   private:
    CKyvApp& m_app;
  };

  bool DoSave(CKyvDoc& doc, bool askForName);
  // Watches the files of the open projects, and only those.
  void WatchProjectFiles();
  // Another program changed or replaced a watched file: its project takes the new state (after
  // asking, when the project has unsaved changes).
  void OnProjectFileChanged(const QString& path);
  // Reads the project's file again and refreshes every view of it from that one change.
  void ReloadDocument(CKyvDoc& doc);
  CKyvDoc* AdoptDocument(std::unique_ptr<CKyvDoc> doc);

  CMessageBoxService m_messages;
  CQtSettingsStore m_settings;
  CAppSavePrompt m_savePrompt{*this};
  CSystemClock m_clock;
  CPlatform m_platform;
  CRecentFileList m_recentFiles;
  QFileSystemWatcher m_fileWatcher;

  std::vector<std::unique_ptr<CKyvDoc>> m_documents;
  std::map<const CKyvDoc*, std::unique_ptr<CDocumentHistory>> m_histories;
  QList<CChildFrame*> m_frames;
  std::unique_ptr<CMainFrame> m_pMainFrame;
  int m_nUntitledCount = 0;  // new projects made in this run: Kyv1, Kyv2, ...
  bool m_bClosingAll = false;
  bool m_bAskingAboutChange = false;  // a changed project file is being handled
};
