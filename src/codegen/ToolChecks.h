#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

class CKyvDoc;

// The scripts "2: Compile" and "3: Load P2" run on this platform.
QString BuildScriptName();
QString LoadScriptName();

// What "2: Compile" and "3: Load P2" need before they start anything: the generated files, the
// tool in the folder the "P2 & FlexSpin" tab names (or on the search path when that folder is
// empty), for Compile a main file without a conflict block, and for Load a binary no older than
// the main file. Each returns "" when all is there,
// else a message that says what to fix. searchPath empty: the PATH of the environment.
QString CompileProblem(const CKyvDoc& doc, const QString& projectFolder,
                       const QStringList& searchPath = {});
QString LoadProblem(const CKyvDoc& doc, const QString& projectFolder,
                    const QStringList& searchPath = {});

// What the last "2: Compile" of a project reported, and when the binary it left was last
// written (invalid: there was none). A binary written since then (a build run elsewhere) is not
// judged by it.
struct CBuildOutcome {
  bool m_bFailed = false;
  QString m_sFailure;  // where and why it failed: "Demo.spin2 line 12: ..." or how the script ended
  std::optional<qint64> m_programSize;
  QDateTime m_binaryWritten;
};

// The sentence that refuses "3: Load P2" of the binary at binaryPath after that build: when the
// build reported a program too large for hub RAM or failed. "" when the binary may be loaded.
QString LoadRefusal(const CBuildOutcome& lastBuild, const QString& binaryPath);

// "Resolve the conflict at line N of <main file> ..." when the main file in the project folder
// still holds a conflict block that a merge left; "" when it holds none or is not there.
QString MainFileConflictProblem(const CKyvDoc& doc, const QString& projectFolder);

// How "Edit code with FlexProp" starts FlexProp off Windows, before the main file's path: a
// flexprop program in the FlexProp folder, else its flexprop.tcl run by wish, else flexprop on
// the search path. An empty program when none of them is there.
struct CFlexPropStart {
  QString m_sProgram;
  QStringList m_arguments;
};
CFlexPropStart FindFlexProp(const QString& flexPropFolder, const QStringList& searchPath = {});

// The message when FindFlexProp finds nothing.
QString FlexPropMissingMessage(const QString& flexPropFolder);
