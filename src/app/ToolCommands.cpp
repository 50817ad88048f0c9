#include "app/ToolCommands.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>

#include "app/BuildOutputPane.h"
#include "codegen/BuildScripts.h"

namespace {

struct CTerminal {
  QString m_sProgram;
  QStringList m_leadingArguments;  // before the command to run
};

// A terminal window program that can run a command, or an empty program when there is none
// (or no screen to show it on).
CTerminal FindTerminal() {
  if (QGuiApplication::platformName() == QStringLiteral("offscreen")) return {};
#if defined(Q_OS_MACOS)
  return {QStringLiteral("open"), {QStringLiteral("-a"), QStringLiteral("Terminal")}};
#else
  const QList<CTerminal> candidates = {
      {QStringLiteral("x-terminal-emulator"), {QStringLiteral("-e")}},
      {QStringLiteral("gnome-terminal"), {QStringLiteral("--")}},
      {QStringLiteral("konsole"), {QStringLiteral("-e")}},
      {QStringLiteral("xfce4-terminal"), {QStringLiteral("-x")}},
      {QStringLiteral("xterm"), {QStringLiteral("-e")}},
  };
  for (const CTerminal& terminal : candidates) {
    const QString found = QStandardPaths::findExecutable(terminal.m_sProgram);
    if (!found.isEmpty()) return {found, terminal.m_leadingArguments};
  }
  return {};
#endif
}

QString StartFailure(const QString& what, const QString& reason) {
  return QStringLiteral("Error running %1:  %2").arg(what, reason);
}

QString NoProgramFor(const QString& file) {
  return QStringLiteral(
             "no program is associated with %1. Choose one for .spin2 files in the desktop's "
             "settings.")
      .arg(QDir::toNativeSeparators(file));
}

// How "Edit code with FlexProp" starts FlexProp for the project: the program, the arguments
// before the file to open and FlexProp's folder. No program when FlexProp is not set up; then
// m_sMissing says what to set, or is empty when there is nothing to say.
struct CFlexPropLaunch {
  QString m_sProgram;
  QStringList m_arguments;
  QString m_sFolder;
  QString m_sMissing;
};

CFlexPropLaunch FindFlexPropLaunch(const CKyvDoc& doc) {
#if defined(Q_OS_WIN)
  if (doc.m_sFlexSpinPath.isEmpty())
    return {{}, {}, {}, QStringLiteral("Please specify FlexProp path before invoking FlexProp.")};
  const QString folder = CToolCommands::FlexPropFolder(doc.m_sFlexSpinPath);
  if (folder.isEmpty()) return {};
  return {folder + QStringLiteral("\\FlexProp.exe"), {}, folder, {}};
#else
  // Off Windows the compiler may come from PATH (an empty folder), and so may FlexProp.
  const QString folder = doc.m_sFlexSpinPath.isEmpty()
                             ? QString()
                             : CToolCommands::FlexPropFolder(doc.m_sFlexSpinPath);
  const CFlexPropStart start = FindFlexProp(folder);
  if (start.m_sProgram.isEmpty()) return {{}, {}, {}, FlexPropMissingMessage(folder)};
  return {start.m_sProgram, start.m_arguments, folder, {}};
#endif
}

// Starts FlexProp on file in its folder (in the file's folder when that is not there); false
// when it could not be started, after saying so.
bool StartFlexProp(const CKyvDoc& doc, const CFlexPropLaunch& launch, const QString& file) {
  const QString workingFolder =
      QFileInfo(launch.m_sFolder).isDir() ? launch.m_sFolder : QFileInfo(file).absolutePath();
  if (QProcess::startDetached(launch.m_sProgram, launch.m_arguments + QStringList{file},
                              workingFolder))
    return true;
  doc.Messages().ShowPlain(StartFailure(
      QStringLiteral("FlexProp"),
      QStringLiteral("%1 could not be started.").arg(QDir::toNativeSeparators(launch.m_sProgram))));
  return false;
}

}  // namespace

QString CToolCommands::FlexPropFolder(const QString& flexSpinPath) {
  return flexSpinPath.left(std::max<qsizetype>(0, flexSpinPath.size() - 4));
}

void CToolCommands::RunScript(CKyvDoc& doc, const QString& windowsScript,
                              const QString& posixScript, bool preferTerminal, ProblemCheck check) {
  const QString folder = doc.GetProjectPath();
  if (folder.isEmpty()) return;
  if (const QString text = check(doc, folder); !text.isEmpty()) {
    doc.Messages().ShowPlain(text);
    return;
  }
#if defined(Q_OS_WIN)
  Q_UNUSED(posixScript);
  Q_UNUSED(preferTerminal);
  // A console of its own, as the script ends with a pause for the user.
  if (!QProcess::startDetached(QStringLiteral("cmd.exe"), {QStringLiteral("/C"), windowsScript},
                               folder)) {
    doc.Messages().ShowPlain(
        StartFailure(windowsScript, QStringLiteral("cmd.exe could not be started.")));
  }
#else
  Q_UNUSED(windowsScript);
  if (preferTerminal) {
    const CTerminal terminal = FindTerminal();
    if (!terminal.m_sProgram.isEmpty()) {
      QStringList arguments = terminal.m_leadingArguments;
#if defined(Q_OS_MACOS)
      arguments << QDir(folder).filePath(posixScript);
#else
      arguments << QStringLiteral("sh") << posixScript;
#endif
      if (QProcess::startDetached(terminal.m_sProgram, arguments, folder)) return;
    }
  }
  if (m_pane.IsRunning()) {
    doc.Messages().ShowPlain(QStringLiteral(
        "A script is still running in the Build Output pane; press Stop to end it first."));
    return;
  }
  QString error;
  if (!m_pane.Run(QStringLiteral("/bin/sh"), {posixScript}, folder, posixScript, &error))
    doc.Messages().ShowPlain(StartFailure(posixScript, error));
#endif
}

namespace {

QString BinaryPath(const CKyvDoc& doc, const QString& folder) {
  return QDir(folder).filePath(ProjectBaseName(doc) + QStringLiteral(".binary"));
}

}  // namespace

void CToolCommands::OnButtonCompile(CKyvDoc& doc) {
  RunScript(doc, QStringLiteral("build.bat"), QStringLiteral("build.sh"), false,
            [](const CKyvDoc& project, const QString& folder) {
              return CompileProblem(project, folder);
            });
}

void CToolCommands::OnLoadP2(CKyvDoc& doc) {
  RunScript(doc, QStringLiteral("load.bat"), QStringLiteral("load.sh"), true,
            [this](const CKyvDoc& project, const QString& folder) {
              if (QString problem = LoadProblem(project, folder); !problem.isEmpty())
                return problem;
              const QString binary = BinaryPath(project, folder);
              return LoadRefusal(m_lastBuilds.value(binary), binary);
            });
}

void CToolCommands::NoteBuildOutcome(const CKyvDoc& doc, const QString& folder,
                                     CBuildOutcome outcome) {
  const QString binary = BinaryPath(doc, folder);
  const QFileInfo written(binary);
  outcome.m_binaryWritten = written.exists() ? written.lastModified() : QDateTime();
  m_lastBuilds.insert(binary, outcome);
}

void CToolCommands::OnButtonFlexProp(CKyvDoc& doc) {
  if (doc.m_sMainFilePath.isEmpty()) {
    doc.Messages().ShowPlain(QStringLiteral("Please Generate Files before invoking FlexProp."));
    return;
  }
  const CFlexPropLaunch launch = FindFlexPropLaunch(doc);
  if (launch.m_sProgram.isEmpty()) {
    if (!launch.m_sMissing.isEmpty()) doc.Messages().ShowPlain(launch.m_sMissing);
    return;
  }
  StartFlexProp(doc, launch, doc.m_sMainFilePath);
}

bool CToolCommands::HasFlexProp(const CKyvDoc& doc) {
  return !FindFlexPropLaunch(doc).m_sProgram.isEmpty();
}

QString CToolCommands::OpenInFlexProp(const CKyvDoc& doc, const QString& file, int line) {
  if (!QFileInfo::exists(file)) {
    doc.Messages().ShowPlain(
        QStringLiteral("%1 is no longer there.").arg(QDir::toNativeSeparators(file)));
    return QString();
  }
  const CFlexPropLaunch launch = FindFlexPropLaunch(doc);
  if (launch.m_sProgram.isEmpty() || !StartFlexProp(doc, launch, file)) return QString();
  // FlexProp cannot be told a line to go to: the status bar says which.
  return QStringLiteral("Opened %1 in FlexProp: go to line %2 there (FlexProp takes no line).")
      .arg(QFileInfo(file).fileName(), QString::number(line));
}

QString CToolCommands::OpenInDesktopEditor(const CKyvDoc& doc, const QString& file, int line) {
  const QString name = QFileInfo(file).fileName();
  if (!QFileInfo::exists(file)) {
    doc.Messages().ShowPlain(
        QStringLiteral("%1 is no longer there.").arg(QDir::toNativeSeparators(file)));
    return QString();
  }
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
    doc.Messages().ShowPlain(StartFailure(name, NoProgramFor(file)));
    return QString();
  }
  return QStringLiteral(
             "Opened %1 in the desktop's editor: go to line %2 there (the editor takes no line).")
      .arg(name, QString::number(line));
}

void CToolCommands::OnButtonPropTool(CKyvDoc& doc) {
  if (doc.m_sMainFilePath.isEmpty()) {
    doc.Messages().ShowPlain(QStringLiteral("Please Generate Code before invoking Prop Tool."));
    return;
  }
  if (!QFileInfo::exists(doc.m_sMainFilePath)) {
    doc.Messages().ShowPlain(
        QStringLiteral("%1 is no longer there. Press \"1: Generate Code\" to write it again.")
            .arg(QDir::toNativeSeparators(doc.m_sMainFilePath)));
    return;
  }
  doc.GetProjectPath();  // asks to save a project without a file, as for the other commands
  // Prop Tool is the program Windows associates with .spin2 files; elsewhere the desktop's
  // default editor for the file opens it.
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(doc.m_sMainFilePath))) {
    doc.Messages().ShowPlain(
        StartFailure(QStringLiteral("PropTool"), NoProgramFor(doc.m_sMainFilePath)));
  }
}
