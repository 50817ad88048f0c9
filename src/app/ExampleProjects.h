#pragma once

#include <QList>
#include <QString>

// The example projects that come with the program, embedded in it (the examples/ folder of the
// source tree): each is one project file and a README whose first paragraph describes it.
struct CExampleProject {
  QString m_sName;         // "Robot"
  QString m_sDescription;  // the README's first paragraph, as one line
  QString m_sProjectPath;  // the embedded project file, ":/examples/Robot/Robot.KYV"
  QString ProjectFileName() const { return m_sName + QStringLiteral(".KYV"); }
};

// The examples in a fixed order, the smallest first.
QList<CExampleProject> ExampleProjects();

// Writes a copy of the example's project file to `targetPath` (replacing a file there), writable
// like any project the user saved; "" or what went wrong.
QString CopyExampleProject(const CExampleProject& example, const QString& targetPath);
