#pragma once

#include <QString>

#include "codegen/Regeneration.h"

class CDriverWriter;
class CGeneratedFileWriter;
class CKyvDoc;

// <folder>/<base name>.spin2
QString MainFilePath(const CKyvDoc& doc, const QString& folder);

// The main Spin2 file as Generate Files would write it now, with "\n" line breaks, built in memory
// without touching the disk. Sets doc.m_bHasSound as the generation does.
QString MainFileText(CKyvDoc& doc);

// Writes the main Spin2 file, <base name>.spin2, into the folder, keeping the file it replaces
// as <name>.bak unless a .bak is already there and merging the user's changes into it as the
// update asks (what happened goes to the writer's result), then the serial and SD card drivers
// its OBJ block names. Sets doc.m_sMainFilePath as soon as the name is known. Returns false when
// a file could not be written (the writer has said which).
bool WriteMainFile(CKyvDoc& doc, const QString& folder, MainFileUpdate update,
                   CDriverWriter& drivers, CGeneratedFileWriter& files);
