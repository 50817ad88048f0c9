#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <memory>

#include "platform/Platform.h"

class QWidget;

// Every modal prompt of the application goes through this file. In test mode nothing is shown:
// messages are recorded, and each question, file or folder prompt takes the next queued
// answer (cancel when nothing is queued), so that a test never blocks on a modal window.
class CPromptHooks {
 public:
  struct CShownMessage {
    MessageStyle m_style;
    QString m_sCaption;
    QString m_sText;
  };

  static void SetTestMode(bool on);
  static bool IsTestMode();
  // Empties the queues and the record of shown messages.
  static void Reset();

  static void QueueButton(QMessageBox::StandardButton button);
  // The answer of the next file or folder prompt; an empty path cancels it.
  static void QueuePath(const QString& path);

  static const QList<CShownMessage>& ShownMessages();
  static QStringList ShownTexts();
  // Questions asked in test mode, in order (the text of each).
  static const QStringList& AskedQuestions();
};

// The message service of the desktop application: the "Error" box with the critical icon, the
// plain "Kyv" box without an icon, or a warning box with its own caption.
class CMessageBoxService : public CMessageService {
 public:
  void ShowMessage(MessageStyle style, const QString& caption, const QString& text) override;
  // Yes / No, No the default; in test mode the next queued answer.
  bool AskYesNo(const QString& caption, const QString& text) override;
};

// The warning box every question is asked in, with the given buttons, each with its own access
// key ("&Save", "&Don't Save", "&Cancel").
std::unique_ptr<QMessageBox> QuestionBox(QWidget* parent, const QString& caption,
                                         const QString& text, QMessageBox::StandardButtons buttons);

// Save / Discard / Cancel for a project with unsaved changes.
QMessageBox::StandardButton AskSaveChanges(QWidget* parent, const QString& projectTitle);

// Asked before a save replaces a project file that another program changed since it was opened
// or last saved; true when the user chooses to replace it.
bool AskOverwriteChangedFile(QWidget* parent, const QString& path);

// Asked when another program changed the file of a project with unsaved changes; true when the
// user chooses to reload it.
bool AskReloadChangedFile(QWidget* parent, const QString& path);

// The Save As dialog for project files; "" when cancelled.
QString PromptSaveFileName(QWidget* parent, const QString& proposedPath);
// The Open dialog for project files, starting in startFolder; "" when cancelled.
QString PromptOpenFileName(QWidget* parent, const QString& startFolder);
// A save dialog for an exported file: caption, proposed path, one filter ("CSV Files (*.csv)")
// and the suffix added to a name typed without one; "" when cancelled.
QString PromptExportFileName(QWidget* parent, const QString& caption, const QString& proposedPath,
                             const QString& filter, const QString& suffix);
// The folder picker, starting at startFolder; the chosen folder with native separators, or ""
// when cancelled.
QString PickFolder(QWidget* parent, const QString& startFolder);
