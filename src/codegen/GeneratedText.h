#pragma once

#include <QByteArray>
#include <QString>

// Generated text files hold one byte per character and no byte-order mark. The generators build
// their text with "\n" line breaks, written as CR LF.

// The bytes of a generated text. A character above U+00FF has no single-byte form: then the
// result is false and bytes is left empty; nothing is replaced.
bool EncodeSingleByte(const QString& text, QByteArray* bytes);

// The generators' message for a file that cannot be created:
// "Error:  Can't create " + path + " -->" + the reason (at most 255 characters).
QString CantCreateMessage(const QString& path, const QString& reason);

// A file or folder that generation would write through, since it is a link:
// "Cannot write " + name + ": it is a link to " + target + "; remove it and generate again."
QString LinkRefusedMessage(const QString& name, const QString& target);
