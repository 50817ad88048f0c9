#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "model/KyvDoc.h"

// Reading and writing ".KYV" project files.
inline const QString kUnexpectedFileFormat = QStringLiteral("Unexpected file format.");

// The bytes of a project file for this document.
QByteArray KyvFileBytes(CKyvDoc& doc);

// Reads a project from bytes into a freshly constructed document. On any failure the
// partly read document is discarded, nullptr is returned and error holds the message.
std::unique_ptr<CKyvDoc> ReadKyvBytes(const QByteArray& bytes, const CPlatform& platform,
                                      QString* error);

// No real project comes near this size; larger files are refused before they are read.
inline constexpr qint64 kMaxProjectFileBytes = 64 * 1024 * 1024;

// Reads a project file (.KYV or its JSON form) whole. Refuses, with a message naming the file,
// anything that is not a regular file, a file larger than kMaxProjectFileBytes and a read that
// fails or runs out of memory.
bool ReadProjectFileBytes(const QString& path, QByteArray* bytes, QString* error);

// Opens a project file: path name and title are set, the document is not marked modified.
std::unique_ptr<CKyvDoc> LoadKyvFile(const QString& path, const CPlatform& platform,
                                     QString* error);

// The digest kept of a project file's bytes as last read or saved (CKyvDoc::m_fileDigest).
QByteArray ProjectFileDigest(const QByteArray& bytes);

// Whether the document's file now holds other bytes than it did when the document last read or
// saved it (another program changed it). A file that is gone or was never read is not changed.
bool HasFileChangedOnDisk(const CKyvDoc& doc);

// Reads the document's file again into the document (another program changed it): settings,
// pins, objects and counters take the file's state, and the document is not modified. A file
// that cannot be read whole changes nothing; error says why. The views are not refreshed.
bool ReloadKyvFile(CKyvDoc& doc, QString* error);

// Saves atomically (temporary file, then replace): a failed save leaves the previous file as it
// was. On success the path name and title follow the file and the modified flag is cleared.
// The views are refreshed afterwards in either case.
bool SaveKyvFile(CKyvDoc& doc, const QString& path, QString* error);
