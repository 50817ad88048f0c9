#pragma once

#include <QString>

// File names and paths of projects and of what is written beside them.

// A file name without its extension, the part from its last dot on: "Demo.KYV" gives "Demo",
// "a.b.KYV" gives "a.b". A name without one ("plain", ".KYV") is kept whole.
QString FileNameWithoutExtension(const QString& fileName);

// Whether the file name has an extension in the sense above.
bool HasFileExtension(const QString& fileName);

// The absolute path of the file itself, with every link on the way resolved: the same for a
// link and its target, also when the file does not exist yet (a dangling link gives the path it
// points to).
QString ResolvedFilePath(const QString& path);

// Whether the two paths name the same existing file, through links or not.
bool IsSameFile(const QString& first, const QString& second);
