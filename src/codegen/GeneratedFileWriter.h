#pragma once

#include <QByteArray>
#include <QString>

class CMessageService;
struct CGenerateResult;

// Writes the files of one generation. Each file is written atomically with every write checked
// and is listed in the result the first time it is written. The first failure shows
// "Error:  Can't create " + path + " -->" + the reason and stops the writer: every later write is
// refused, so a generation ends there with the files before it written and the failed file left
// as it was.
class CGeneratedFileWriter {
 public:
  CGeneratedFileWriter(CMessageService& messages, CGenerateResult& result);

  // Replaces the file with these bytes.
  bool Write(const QString& path, const QByteArray& bytes);
  // Keeps a copy of an existing file at backupPath unless that exists already. The copy is not
  // listed among the files written.
  bool KeepBackup(const QString& path, const QString& backupPath);
  // Writes a file Kyv keeps for itself, such as a merge base, creating its folder when missing.
  // It is not listed among the files written.
  bool WriteRecord(const QString& path, const QByteArray& bytes);
  // Records a failure found by the caller: the message, and the writer stops.
  void Fail(const QString& path, const QString& reason);

  bool Failed() const { return m_bFailed; }
  CGenerateResult& Result() { return m_result; }

 private:
  bool WriteUnlisted(const QString& path, const QByteArray& bytes);

  CMessageService& m_messages;
  CGenerateResult& m_result;
  bool m_bFailed = false;
};
