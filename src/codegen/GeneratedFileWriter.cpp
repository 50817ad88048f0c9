#include "codegen/GeneratedFileWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "codegen/GenerateFiles.h"
#include "codegen/GeneratedText.h"
#include "model/AtomicFile.h"
#include "platform/Platform.h"

using namespace Qt::Literals::StringLiterals;

CGeneratedFileWriter::CGeneratedFileWriter(CMessageService& messages, CGenerateResult& result)
    : m_messages(messages), m_result(result) {}

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

bool CGeneratedFileWriter::WriteRecord(const QString& path, const QByteArray& bytes) {
  if (m_bFailed) return false;
  if (!QFileInfo(path).dir().mkpath(u"."_s)) {
    Fail(path, u"its folder cannot be created"_s);
    return false;
  }
  return WriteUnlisted(path, bytes);
}

bool CGeneratedFileWriter::WriteUnlisted(const QString& path, const QByteArray& bytes) {
  QString reason;
  if (WriteFileAtomically(path, bytes, &reason)) return true;
  Fail(path, reason);
  return false;
}

void CGeneratedFileWriter::Fail(const QString& path, const QString& reason) {
  if (m_bFailed) return;
  m_bFailed = true;
  m_messages.ShowPlain(CantCreateMessage(path, reason));
}
