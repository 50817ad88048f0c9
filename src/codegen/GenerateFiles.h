#pragma once

#include <QString>
#include <QStringList>

#include "codegen/Regeneration.h"

class CKyvDoc;

struct CGenerateOptions {
  QString m_sOutputFolder;  // empty: the project folder
  QString m_sDriverFolder;  // empty: the "DriverFolder" setting
  MainFileUpdate m_mainFileUpdate = MainFileUpdate::Merge;
};

struct CGenerateResult {
  // The command ran to its end: every file was written and "Project files created." shown.
  bool m_bCompleted = false;
  QStringList m_filesWritten;    // full paths, in the order they were first written
  QStringList m_unbundledFiles;  // file names written empty: their driver is not bundled
  CRegeneration m_mainFile;      // how the main file was replaced or merged
};

// The Generate Files command: takes the project folder (or the given output folder), writes
// build.bat and load.bat
// (and build.sh and load.sh outside Windows), the main Spin2 file and every driver file the
// project needs, and reports through doc.Messages(). Stops with a message, before writing
// anything, when a text that goes into a generated file holds a character with no single-byte
// form or a control character, or when a file it would write has a link in its place (a link is
// never written through). The user's tool defaults are left as they are: a project only changes
// them when the user asks. Every file is written atomically; the first file that cannot be
// written stops the command with "Error:  Can't create ..." naming it, that file and the files
// not yet reached stay as they were, and "Project files created." is not shown.
// The user's changes to the main file are merged into the new one unless options say overwrite
// (WriteRegeneratedFile); the final message then says how, with the line of every conflict.
// finalNotes are added to that closing message, a line each.
CGenerateResult GenerateFiles(CKyvDoc& doc, const CGenerateOptions& options = {},
                              const QStringList& finalNotes = {});

// The per-user setting naming a folder whose driver files replace the bundled ones.
inline const QString kDriverFolderSetting = QStringLiteral("DriverFolder");
