#pragma once

#include <QFileSystemWatcher>
#include <QWidget>

#include "model/KyvDoc.h"

class CCodeEditor;
class CFindBar;
class QComboBox;
class QLabel;
class QPushButton;
class QTimer;

// The "Code" tab of a project window. It shows one of three texts:
// - the main Spin2 file as "1: Generate Code" would write it now, rebuilt in memory a moment
//   after each change of the project while the tab is shown (nothing is written);
// - the main file on disk once generated, its lines that differ from that text marked;
// - another source file a compiler message named (a driver's), read-only.
// Spin2 is coloured, lines are numbered, Ctrl+F finds. Files are read-only until "Edit" is
// switched on; Save (or Ctrl+S while editing) then writes the main file atomically, and the next
// generation merges those changes as it merges any other.
class CCodeView : public QWidget, public CDocumentView {
  Q_OBJECT

 public:
  explicit CCodeView(CKyvDoc& doc, QWidget* parent = nullptr);
  ~CCodeView() override;

  // The project changed: the preview is rebuilt once the changes pause.
  void OnUpdate() override;
  // Shows file (an absolute path) with line marked as the line of an error.
  void ShowFileAtLine(const QString& file, int line);
  // Shows the text Generate Files would write now.
  void ShowPreview();
  // Shows the main file on disk (nothing when it has no path yet).
  void ShowMainFile();

  // The file shown; "" for the preview.
  QString ShownFile() const { return m_sShownFile; }
  // Where the main file is or will be written; "" while the project has no folder.
  QString MainFilePath() const;
  CCodeEditor* Editor() const { return m_pEditor; }
  QString NoteText() const;
  bool IsEditing() const;
  // Writes the edited text to the shown file; false (after saying why) when it could not.
  bool Save();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The text Generate Files would write now, built again when the project has changed.
  const QString& Preview();
  void RebuildPreview();
  // Lists the texts the view can show; keeps the current choice.
  void FillSources();
  void ShowSource(const QString& file);
  // Reads the shown file again; false when it cannot be read (the note says why).
  bool LoadShownFile();
  void SetShownText(const QString& text);
  // Marks where the shown main file differs from the preview, and says so in the note.
  void CompareWithPreview();
  void UpdateNote();
  void OnEditToggled(bool on);
  // False when the user keeps unsaved edits (cancels), after offering to save them.
  bool MayDropEdits();
  void ShowContextMenu(const QPoint& position);

  CKyvDoc& m_doc;
  QComboBox* m_pSource = nullptr;
  QPushButton* m_pEdit = nullptr;
  QPushButton* m_pSave = nullptr;
  QLabel* m_pNote = nullptr;
  CCodeEditor* m_pEditor = nullptr;
  CFindBar* m_pFind = nullptr;
  QTimer* m_pRebuild = nullptr;  // gathers quick changes into one rebuild
  QFileSystemWatcher m_watcher;
  QString m_sPreview;  // the text Generate Files would write, "\n" line breaks
  bool m_bPreviewStale = true;
  QString m_sShownFile;    // "" for the preview
  QString m_sOtherFile;    // the last file shown that is not the main file
  QString m_sFileProblem;  // why the shown file cannot be shown
  bool m_bCrLf = false;    // the shown file's lines end in CR LF
  bool m_bUtf8 = false;    // the shown file is UTF-8 rather than one byte per character
};
