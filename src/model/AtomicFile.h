#pragma once

#include <QByteArray>
#include <QString>

// Every file Kyv writes goes through here. The bytes go to a temporary file beside the target,
// unbuffered so that every failed write is seen (a full disk included), and the temporary file
// replaces the target only when all of them were written: a failed write leaves the previous
// file byte for byte as it was. On failure reason holds the system's description of why.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* reason);
