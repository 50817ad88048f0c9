#include "codegen/GeneratedFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "codegen/GenerateFiles.h"
#include "codegen/GeneratedText.h"
#include "model/AtomicFile.h"
#include "platform/Platform.h"

using namespace Qt::Literals::StringLiterals;

CGeneratedFileWriter::CGeneratedFileWriter(CMessageService& messages, CGenerateResult& result,
                                           const QString& outputFolder)
    : m_messages(messages), m_result(result), m_sOutputFolder(outputFolder) {}

bool CGeneratedFileWriter::RefuseLinks(const QStringList& paths) {
  if (m_bFailed) return false;
  for (const QString& path : paths) {
    const QString link = LinkInTheWay(path);
    if (link.isEmpty()) continue;
    m_bFailed = true;
    m_messages.ShowPlain(link);
    return false;
  }
  return true;
}

QString CGeneratedFileWriter::LinkInTheWay(const QString& path) const {
  const QDir folder(m_sOutputFolder);
  const QString relative =
      QDir::cleanPath(folder.relativeFilePath(QDir::fromNativeSeparators(path)));
  // Each step from the output folder down: ".kyv", then ".kyv/Demo.spin2.base".
  QString step;
  for (const QString& part : relative.split(u'/', Qt::SkipEmptyParts)) {
    step = step.isEmpty() ? part : step + u'/' + part;
    if (part == u".."_s) continue;  // not below the folder: a caller's own choice
    const QFileInfo info(folder.filePath(step));
    if (!info.isSymbolicLink() && !info.isJunction()) continue;
    const QString target = info.isJunction() ? info.junctionTarget() : info.symLinkTarget();
    return LinkRefusedMessage(QDir::toNativeSeparators(step), QDir::toNativeSeparators(target));
  }
  return QString();
}

bool CGeneratedFileWriter::Write(const QString& path, const QByteArray& bytes) {
  if (m_bFailed || !WriteUnlisted(path, bytes)) return false;
  if (!m_result.m_filesWritten.contains(path)) m_result.m_filesWritten.append(path);
  return true;
}

bool CGeneratedFileWriter::KeepBackup(const QString& path, const QString& backupPath) {
  if (m_bFailed) return false;
  if (QFileInfo::exists(backupPath) || !QFileInfo(path).isFile()) return true;
  QFile original(path);
  if (!original.open(QIODevice::ReadOnly)) {
    Fail(backupPath, original.errorString());
    return false;
  }
  const QByteArray bytes = original.readAll();
  if (original.error() != QFileDevice::NoError) {
    Fail(backupPath, original.errorString());
    return false;
  }
  return WriteUnlisted(backupPath, bytes);
}

bool CGeneratedFileWriter::WriteRecord(const QString& path, const QByteArray& bytes,
                                       const QString& note) {
  if (m_bFailed || !RefuseLinks({path})) return false;
  if (!QFileInfo(path).dir().mkpath(u"."_s)) {
    Fail(path, u"its folder cannot be created"_s, note);
    return false;
  }
  return WriteUnlisted(path, bytes, note);
}

bool CGeneratedFileWriter::WriteUnlisted(const QString& path, const QByteArray& bytes,
                                         const QString& note) {
  if (!RefuseLinks({path})) return false;
  QString reason;
  if (WriteFileAtomically(path, bytes, &reason)) return true;
  Fail(path, reason, note);
  return false;
}

void CGeneratedFileWriter::Fail(const QString& path, const QString& reason, const QString& note) {
  if (m_bFailed) return;
  m_bFailed = true;
  m_messages.ShowPlain(CantCreateMessage(path, reason) +
                       (note.isEmpty() ? QString() : u'\n' + note));
}
