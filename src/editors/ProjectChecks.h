#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CKyvDoc;

enum class FindingSeverity {
  Error,    // the project cannot build or cannot work
  Warning,  // it may not work
  Note,
};

// One thing the project checks found: what it is about and what to do about it.
struct CFinding {
  FindingSeverity m_nSeverity = FindingSeverity::Note;
  QString m_sCode;        // stable, for tools and tests: "pin-shared", "clock-not-a-number", ...
  QStringList m_objects;  // names of the objects it is about; empty for project settings
  QList<int> m_pins;      // pins it is about, ascending
  QString m_sText;        // one or two sentences that say what is wrong and what to do
  // About the project as a whole (hub RAM, cogs): m_objects lists what adds up to it, but none
  // of them is at fault on its own.
  bool m_bAboutProject = false;

  bool operator==(const CFinding&) const = default;
};

// "error", "warning" or "note".
QString SeverityName(FindingSeverity severity);

// Everything the project checks find, errors first, then warnings, then notes; within each
// severity in the order resources, clock, scripts, pins, references, I2C addresses, main file.
// Reads the document, and the generated main file beside a saved project.
//
// The checks live beside the editors because they redo two of the editors' own sums: the
// NCO register search and the rules for object names.
QList<CFinding> CheckProject(const CKyvDoc& doc);

// True when any finding is an error.
bool HasErrors(const QList<CFinding>& findings);
