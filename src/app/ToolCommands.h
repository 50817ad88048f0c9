#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

#include "codegen/ToolChecks.h"
#include "model/KyvDoc.h"

class CBuildOutputPane;

// The commands that work on what Generate Files wrote: compile, load into the P2, and open the
// main file in FlexProp or in the program associated with it (Prop Tool on Windows, the
// desktop's default editor elsewhere). Compile and load first check that what they need is
// there and say what to fix when it is not.
//
// On Windows the scripts run in a console of the command interpreter. Elsewhere build.sh runs
// in the "Build Output" pane, and load.sh in a terminal window when one can be found (the
// loader's terminal is interactive), else in the pane as well. Load refuses a binary that the
// last build in the pane reported too large for hub RAM, or that a failed build left behind.
class CToolCommands {
 public:
  explicit CToolCommands(CBuildOutputPane& pane) : m_pane(pane) {}

  void OnButtonCompile(CKyvDoc& doc);
  void OnLoadP2(CKyvDoc& doc);
  void OnButtonFlexProp(CKyvDoc& doc);
  void OnButtonPropTool(CKyvDoc& doc);

  // Notes how the build script that ran in folder for doc ended, for the next load.
  void NoteBuildOutcome(const CKyvDoc& doc, const QString& folder, CBuildOutcome outcome);

  // Whether the project's FlexProp is set up, so that a link of the Build Output pane opens
  // there rather than in the project window's Code tab.
  static bool HasFlexProp(const CKyvDoc& doc);
  // Opens file in FlexProp. Returns the note for the status bar (and the line to go to); ""
  // after a message box said what failed.
  static QString OpenInFlexProp(const CKyvDoc& doc, const QString& file, int line);
  // Opens file in the desktop's program for it; the note for the status bar, or "" after a
  // message box said what failed.
  static QString OpenInDesktopEditor(const CKyvDoc& doc, const QString& file, int line);

  // The FlexProp folder: the FlexSpin folder without its last four characters ("\bin").
  static QString FlexPropFolder(const QString& flexSpinPath);

 private:
  // What keeps the script from running in the project folder; "" when nothing does.
  using ProblemCheck = std::function<QString(const CKyvDoc&, const QString&)>;
  // Runs the script after check found nothing to fix; otherwise shows what to fix.
  void RunScript(CKyvDoc& doc, const QString& windowsScript, const QString& posixScript,
                 bool preferTerminal, ProblemCheck check);

  CBuildOutputPane& m_pane;
  QHash<QString, CBuildOutcome> m_lastBuilds;  // by the path of the binary the build made
};
