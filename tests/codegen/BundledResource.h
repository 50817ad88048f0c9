#pragma once

// The bytes of a bundled driver or media file, read back through the writer that Generate
// Files uses, so that the tests see exactly what a project receives.

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include "codegen/DriverFiles.h"

inline QByteArray ResourceBytes(uint16_t resource) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("out"));
  if (WriteResourceToFile(resource, path) != ResourceWrite::Written) return {};
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
