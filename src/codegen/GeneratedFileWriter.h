#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class CMessageService;
struct CGenerateResult;

// Writes the files of one generation. Each file is written atomically with every write checked
// and is listed in the result the first time it is written. The first failure shows
// "Error:  Can't create " + path + " -->" + the reason and stops the writer: every later write is
// refused, so a generation ends there with the files before it written and the failed file left
// as it was.
// Every file is written as a regular file inside the output folder: a link in the place of a file
// or of a folder below the output folder (a link at build.bat, a .kyv folder that is a link) is
// refused with a message naming it, since writing would follow it to wherever it points.
class CGeneratedFileWriter {
 public:
  CGeneratedFileWriter(CMessageService& messages, CGenerateResult& result,
                       const QString& outputFolder);

  // Looks at every path about to be written before anything is: the first one with a link in its
  // place is refused as above, and the writer stops.
  bool RefuseLinks(const QStringList& paths);

  // Replaces the file with these bytes.
  bool Write(const QString& path, const QByteArray& bytes);
  // Keeps a copy of an existing file at backupPath unless that exists already. The copy is not
  // listed among the files written.
  bool KeepBackup(const QString& path, const QString& backupPath);
  // Writes a file Kyv keeps for itself, such as a merge base, creating its folder when missing.
  // It is not listed among the files written. A failure's message ends with note, a line of its
  // own, when one is given.
  bool WriteRecord(const QString& path, const QByteArray& bytes, const QString& note = {});
  // Records a failure found by the caller: the message (with note as above), and the writer
  // stops.
  void Fail(const QString& path, const QString& reason, const QString& note = {});

  bool Failed() const { return m_bFailed; }
  CGenerateResult& Result() { return m_result; }

 private:
  bool WriteUnlisted(const QString& path, const QByteArray& bytes, const QString& note = {});
  // The message about the first link on the way from the output folder to path, or "".
  QString LinkInTheWay(const QString& path) const;

  CMessageService& m_messages;
  CGenerateResult& m_result;
  QString m_sOutputFolder;
  bool m_bFailed = false;
};
