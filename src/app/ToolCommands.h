#pragma once

#include <QString>
#include <QStringList>

#include "model/KyvDoc.h"

class CBuildOutputPane;

// The commands that work on what Generate Files wrote: compile, load into the P2, and open the
// main file in FlexProp or in the program associated with it (Prop Tool on Windows, the
// desktop's default editor elsewhere). Compile and load first check that what they need is
// there and say what to fix when it is not.
//
// On Windows the scripts run in a console of the command interpreter. Elsewhere build.sh runs
// in the "Build Output" pane, and load.sh in a terminal window when one can be found (the
// loader's terminal is interactive), else in the pane as well.
class CToolCommands {
 public:
  explicit CToolCommands(CBuildOutputPane& pane) : m_pane(pane) {}

  void OnButtonCompile(CKyvDoc& doc);
  void OnLoadP2(CKyvDoc& doc);
  void OnButtonFlexProp(CKyvDoc& doc);
  void OnButtonPropTool(CKyvDoc& doc);

  // Opens file at line for a link of the Build Output pane: in FlexProp when the project's
  // FlexProp is set up, else in the desktop's program for the file. Returns the note for the
  // status bar (which program, and the line to go to); "" after a message box said what failed.
  QString OpenAtLine(const CKyvDoc& doc, const QString& file, int line);

  // The FlexProp folder: the FlexSpin folder without its last four characters ("\bin").
  static QString FlexPropFolder(const QString& flexSpinPath);

 private:
  using ProblemCheck = QString (*)(const CKyvDoc&, const QString&, const QStringList&);
  // Runs the script after check found nothing to fix; otherwise shows what to fix.
  void RunScript(CKyvDoc& doc, const QString& windowsScript, const QString& posixScript,
                 bool preferTerminal, ProblemCheck check);

  CBuildOutputPane& m_pane;
};
