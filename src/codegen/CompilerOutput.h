#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// What "2: Compile" reads back from the compiler's output: the messages that point at a line of a
// source file and the size of the program it wrote.
//
// FlexSpin reports problems on stderr as "FILE:LINE: error: TEXT" (also "warning" and "note";
// always in lower case). FILE is the path as the compiler was given it (relative to the folder it
// ran in for the main file, absolute for the objects it included) and may hold blanks or a drive
// letter. Problems it cannot place in a file read "error: TEXT". A successful build ends with
// "Program size is N bytes" on stdout.

enum class CompilerSeverity { Error, Warning, Note };

struct CCompilerMessage {
  CompilerSeverity m_severity = CompilerSeverity::Error;
  QString m_sFile;  // as printed; empty for an error that names no file
  int m_nLine = 0;  // 1-based; 0 when m_sFile is empty
  QString m_sText;
};

// The message on one output line (without its line break), or nothing for any other line.
std::optional<CCompilerMessage> ParseCompilerMessage(QStringView line);

// N of a "Program size is N bytes" line, or nothing for any other line.
std::optional<qint64> ParseProgramSize(QStringView line);

// The P2's hub RAM: 512 KB.
inline constexpr qint64 kHubRamBytes = 512 * 1024;

// "Program size is N bytes: P% of 512 KB hub RAM", and what to do when it does not fit.
QString ProgramSizeText(qint64 bytes);

// Where and why a build failed on message: "Demo.spin2 line 12: Unknown symbol 'x'" (the file's
// name without its folder), or the text alone for a message that names no file.
QString BuildFailurePlace(const CCompilerMessage& message);

// The status bar's words for a build that failed on message: "Build failed: Demo.spin2 line 12:
// Unknown symbol 'x'" (the file's name without its folder).
QString BuildFailedText(const CCompilerMessage& message);
