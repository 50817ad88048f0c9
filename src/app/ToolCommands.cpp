#include "app/ToolCommands.h"

#include "app/BuildOutputPane.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>

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

}  // namespace

QString CToolCommands::FlexPropFolder(const QString& flexSpinPath) {
  return flexSpinPath.left(std::max<qsizetype>(0, flexSpinPath.size() - 4));
}

void CToolCommands::RunScript(CKyvDoc& doc, const QString& windowsScript,
                              const QString& posixScript, bool preferTerminal) {
  const QString folder = doc.GetProjectPath();
  if (folder.isEmpty()) return;
#if defined(Q_OS_WIN)
  Q_UNUSED(posixScript);
  Q_UNUSED(preferTerminal);
  // A console of its own, as the script ends with a pause for the user.
  if (!QProcess::startDetached(QStringLiteral("cmd.exe"),
                               {QStringLiteral("/C"), windowsScript}, folder)) {
    doc.Messages().ShowPlain(StartFailure(windowsScript, QStringLiteral("cmd.exe could not be started.")));
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
    doc.Messages().ShowPlain(
        QStringLiteral("A script is still running in the Build Output pane; press Stop to end it first."));
    return;
  }
  QString error;
  if (!m_pane.Run(QStringLiteral("/bin/sh"), {posixScript}, folder, posixScript, &error))
    doc.Messages().ShowPlain(StartFailure(posixScript, error));
#endif
}

void CToolCommands::OnButtonCompile(CKyvDoc& doc) {
  RunScript(doc, QStringLiteral("build.bat"), QStringLiteral("build.sh"), false);
}

void CToolCommands::OnLoadP2(CKyvDoc& doc) {
  RunScript(doc, QStringLiteral("load.bat"), QStringLiteral("load.sh"), true);
}

void CToolCommands::OnButtonFlexProp(CKyvDoc& doc) {
  if (doc.m_sMainFilePath.isEmpty()) {
    doc.Messages().ShowPlain(QStringLiteral("Please Generate Files before invoking FlexProp."));
    return;
  }
  if (doc.m_sFlexSpinPath.isEmpty()) {
    doc.Messages().ShowPlain(QStringLiteral("Please specify FlexProp path before invoking FlexProp."));
    return;
  }
  const QString folder = FlexPropFolder(doc.m_sFlexSpinPath);
  if (folder.isEmpty()) return;
#if defined(Q_OS_WIN)
  const QString program = folder + QStringLiteral("\\FlexProp.exe");
#else
  const QString program = QDir(QDir::fromNativeSeparators(folder)).filePath(QStringLiteral("flexprop"));
#endif
  if (!QProcess::startDetached(program, {doc.m_sMainFilePath}, folder)) {
    doc.Messages().ShowPlain(StartFailure(QStringLiteral("FlexProp"),
                                          QStringLiteral("%1 could not be started.")
                                              .arg(QDir::toNativeSeparators(program))));
  }
}

void CToolCommands::OnButtonPropTool(CKyvDoc& doc) {
  if (doc.m_sMainFilePath.isEmpty()) {
    doc.Messages().ShowPlain(QStringLiteral("Please Generate Code before invoking Prop Tool."));
    return;
  }
  doc.GetProjectPath();  // asks to save a project without a file, as for the other commands
  if (!QDesktopServices::openUrl(QUrl::fromLocalFile(doc.m_sMainFilePath))) {
    doc.Messages().ShowPlain(StartFailure(
        QStringLiteral("PropTool"),
        QStringLiteral("no program is associated with %1.")
            .arg(QDir::toNativeSeparators(doc.m_sMainFilePath))));
  }
}
