#pragma once

#include <QString>

class CKyvDoc;

// The sections of the main Spin2 file, in file order. Each appends its text to out, with "\n"
// for every line break; WriteMainFile puts them together and writes the file.

// The banner, the clock CON block, the SD card pins and the heading of the object settings.
void WriteMainFileHeader(const CKyvDoc& doc, QString& out);
// Every object's constants in list order. Sets doc.m_bHasSound when it meets an object whose
// driver Main must poll (Simple Sound).
void WriteObjectConstants(CKyvDoc& doc, QString& out);
// The OBJ block: serial, Plan9 library, SD card and the objects' driver instances.
void WriteObjBlock(const CKyvDoc& doc, QString& out);
// The VAR block.
void WriteVarBlock(const CKyvDoc& doc, QString& out);
// Main: Setup once, then Loop forever. Reads doc.m_bHasSound.
void WriteMainRoutine(const CKyvDoc& doc, QString& out);
// Loop: every object's exercise block and the SD card listing.
void WriteLoopRoutine(const CKyvDoc& doc, QString& out);
// Setup: the serial count-down, stdio baud, Plan9 mount and every object's start-up block. The
// RTC block reads the clock of doc.Platform().
void WriteSetupRoutine(const CKyvDoc& doc, QString& out);
// The routines a kind's objects call, once per kind in the project (the DAC's
// SetDacModeAndLevel).
void WriteHelperRoutines(const CKyvDoc& doc, QString& out);
