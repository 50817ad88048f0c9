#include "FlexSpin.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

QStringList CFlexSpinRun::Warnings() const {
  static const QRegularExpression warning(u"\\bwarning\\b"_s,
                                          QRegularExpression::CaseInsensitiveOption);
  QStringList lines;
  for (const QString& line : m_sOutput.split(u'\n'))
    if (warning.match(line).hasMatch()) lines.append(line.trimmed());
  return lines;
}

QString FlexSpinExecutable() {
  const QString named = qEnvironmentVariable("KYV_FLEXSPIN");
  if (!named.isEmpty()) return QFileInfo(named).isExecutable() ? named : QString();
  return QStandardPaths::findExecutable(u"flexspin"_s);
}

bool FlexSpinRequired() { return qEnvironmentVariable("KYV_REQUIRE_FLEXSPIN") == u"1"_s; }

QString FlexSpinIncludeFolder() {
  const QString named = qEnvironmentVariable("KYV_FLEXSPIN_INCLUDE");
  if (!named.isEmpty()) return named;
  const QString executable = FlexSpinExecutable();
  if (executable.isEmpty()) return QString();
  const QDir binFolder = QFileInfo(executable).absoluteDir();
  for (const QString& candidate :
       {binFolder.filePath(u"include"_s), binFolder.filePath(u"../include"_s)})
    if (QFileInfo(candidate).isDir()) return QDir::cleanPath(candidate);
  return QString();
}

CFlexSpinRun RunFlexSpin(const QString& sourceFile, const QStringList& options) {
  CFlexSpinRun run;
  const QFileInfo source(sourceFile);
  QStringList arguments{u"-2"_s};
  arguments += options;
  const QString include = FlexSpinIncludeFolder();
  if (!include.isEmpty()) arguments << u"-L"_s << include;
  arguments << source.fileName();

  QProcess compiler;
  compiler.setWorkingDirectory(source.absolutePath());
  compiler.setProcessChannelMode(QProcess::MergedChannels);
  compiler.start(FlexSpinExecutable(), arguments);
  if (!compiler.waitForFinished(120'000)) {
    compiler.kill();
    compiler.waitForFinished();
    run.m_sOutput = u"FlexSpin did not finish: "_s + compiler.errorString();
    return run;
  }
  run.m_sOutput = QString::fromLocal8Bit(compiler.readAll());
  run.m_nExitCode = compiler.exitStatus() == QProcess::NormalExit ? compiler.exitCode() : -1;
  return run;
}
