#pragma once

#include <QString>

class CDriverWriter;
class CKyvDoc;
struct CGenerateResult;

// Writes the main Spin2 file, <base name>.spin2, into the folder, keeping the file it replaces
// as <name>.bak unless a .bak is already there, and writes the serial and SD card drivers its OBJ
// block names. Sets doc.m_sMainFilePath as soon as the name is known. When the file cannot be
// created it shows "Error:  Can't create ..." and writes nothing else. Returns whether the main
// file was written.
bool WriteMainFile(CKyvDoc& doc, const QString& folder, CDriverWriter& drivers,
                   CGenerateResult& result);
