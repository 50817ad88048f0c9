#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <functional>

#include "model/KyvDoc.h"
#include "platform/Platform.h"
#include "platform/SystemClock.h"

// Records every message instead of showing it.
class CRecordingMessages : public CMessageService {
 public:
  struct Message {
    MessageStyle m_style;
    QString m_sCaption;
    QString m_sText;
  };
  void ShowMessage(MessageStyle style, const QString& caption, const QString& text) override {
    m_messages.append({style, caption, text});
  }
  QStringList Texts() const {
    QStringList texts;
    for (const Message& message : m_messages) texts.append(message.m_sText);
    return texts;
  }
  // Records the question (as a Warning message) and gives the next queued answer; no when
  // none is queued.
  bool AskYesNo(const QString& caption, const QString& text) override {
    m_messages.append({MessageStyle::Warning, caption, text});
    return !m_answers.isEmpty() && m_answers.takeFirst();
  }
  void Clear() { m_messages.clear(); }

  QList<Message> m_messages;
  QList<bool> m_answers;
};

// A settings store held in memory.
class CMemorySettings : public CSettingsStore {
 public:
  QString ReadString(const QString& name, const QString& defaultValue) const override {
    return m_strings.value(name, defaultValue);
  }
  void WriteString(const QString& name, const QString& value) override { m_strings[name] = value; }
  int ReadInt(const QString& name, int defaultValue) const override {
    return m_ints.value(name, defaultValue);
  }
  void WriteInt(const QString& name, int value) override { m_ints[name] = value; }

  QMap<QString, QString> m_strings;
  QMap<QString, int> m_ints;
};

// Answers the save prompt with a scripted action (default: the user cancels).
class CScriptedSavePrompt : public CSavePrompt {
 public:
  bool SaveDocument(CKyvDoc& doc) override {
    ++m_nCalls;
    return m_answer ? m_answer(doc) : false;
  }
  std::function<bool(CKyvDoc&)> m_answer;
  int m_nCalls = 0;
};

// The services a test hands to documents and editors.
struct CTestPlatform {
  CRecordingMessages m_messages;
  CMemorySettings m_settings;
  CScriptedSavePrompt m_savePrompt;
  CFixedClock m_clock{QDateTime(QDate(2024, 3, 3), QTime(14, 5, 9))};

  CPlatform Services() {
    CPlatform platform;
    platform.m_pMessages = &m_messages;
    platform.m_pSettings = &m_settings;
    platform.m_pSavePrompt = &m_savePrompt;
    platform.m_pClock = &m_clock;
    return platform;
  }
};
