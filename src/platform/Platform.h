#pragma once

#include <QDateTime>
#include <QString>

class CKyvDoc;

// The services the headless core asks of whatever hosts it (the GUI, the CLI or a test).
// The core never shows a window or touches the settings store itself.

// How a message is presented: the "Error" box with the error icon, the plain application box
// captioned "Kyv", or a warning box with its own caption.
enum class MessageStyle { Error, Plain, Warning };

inline const QString kAppTitle = QStringLiteral("Kyv");
inline const QString kErrorCaption = QStringLiteral("Error");

class CMessageService {
 public:
  virtual ~CMessageService() = default;
  virtual void ShowMessage(MessageStyle style, const QString& caption, const QString& text) = 0;

  // A yes/no question; true for yes. Hosts that cannot ask (a script) show it and answer no.
  virtual bool AskYesNo(const QString& caption, const QString& text) {
    ShowMessage(MessageStyle::Warning, caption, text);
    return false;
  }

  void ShowError(const QString& text) { ShowMessage(MessageStyle::Error, kErrorCaption, text); }
  void ShowPlain(const QString& text) { ShowMessage(MessageStyle::Plain, kAppTitle, text); }
  void ShowWarning(const QString& caption, const QString& text) {
    ShowMessage(MessageStyle::Warning, caption, text);
  }
};

// Per-user named values (tool folders, the look). Missing values read as the given default.
class CSettingsStore {
 public:
  virtual ~CSettingsStore() = default;
  virtual QString ReadString(const QString& name, const QString& defaultValue) const = 0;
  virtual void WriteString(const QString& name, const QString& value) = 0;
  virtual int ReadInt(const QString& name, int defaultValue) const = 0;
  virtual void WriteInt(const QString& name, int value) = 0;
};

// Runs the File Save command for a project that has no file yet (the Save As dialog in the GUI).
// Returns true when the project was saved and now has a path name.
class CSavePrompt {
 public:
  virtual ~CSavePrompt() = default;
  virtual bool SaveDocument(CKyvDoc& doc) = 0;
};

// Local wall-clock time, replaceable so that generated output can be made reproducible.
class CClock {
 public:
  virtual ~CClock() = default;
  virtual QDateTime Now() const = 0;
};

// Finds an external program installed on this machine, for the tool folders a new project
// starts with.
class CToolLocator {
 public:
  virtual ~CToolLocator() = default;
  // The folder holding program (a bare name: "flexspin", "loadp2"), or "" when none is found.
  virtual QString ProgramFolder(const QString& program) const = 0;
};

// The bundle handed to documents and editors. Every pointer is owned by the host and must
// outlive the documents that use it.
struct CPlatform {
  CMessageService* m_pMessages = nullptr;
  CSettingsStore* m_pSettings = nullptr;
  CSavePrompt* m_pSavePrompt = nullptr;
  CClock* m_pClock = nullptr;
  // Null where new projects keep the built-in Windows folders (on Windows, and in tests).
  const CToolLocator* m_pToolLocator = nullptr;
};
