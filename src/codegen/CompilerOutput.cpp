#include "codegen/CompilerOutput.h"

#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

std::optional<CompilerSeverity> SeverityNamed(QStringView name) {
  if (name == u"error") return CompilerSeverity::Error;
  if (name == u"warning") return CompilerSeverity::Warning;
  if (name == u"note") return CompilerSeverity::Note;
  return std::nullopt;
}

// The file's name after its last slash or backslash: output made on Windows names its files
// with either.
QString FileName(const QString& path) {
  const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
  return path.mid(slash + 1);
}

}  // namespace

std::optional<CCompilerMessage> ParseCompilerMessage(QStringView line) {
  if (line.endsWith(u'\r')) line.chop(1);
  // The shortest file part that is followed by ":LINE: SEVERITY: ", so that a drive letter's
  // colon stays in the path.
  static const QRegularExpression located(u"^(.+?):([0-9]{1,9}): (error|warning|note): (.*)$"_s);
  if (const QRegularExpressionMatch match = located.match(line); match.hasMatch()) {
    const int lineNumber = match.capturedView(2).toInt();
    if (lineNumber > 0)
      return CCompilerMessage{*SeverityNamed(match.capturedView(3)), match.captured(1), lineNumber,
                              match.captured(4)};
  }
  if (line.startsWith(u"error: "))
    return CCompilerMessage{CompilerSeverity::Error, QString(), 0, line.mid(7).toString()};
  return std::nullopt;
}

std::optional<qint64> ParseProgramSize(QStringView line) {
  if (line.endsWith(u'\r')) line.chop(1);
  static const QRegularExpression size(u"^Program size is ([0-9]{1,15}) bytes$"_s);
  const QRegularExpressionMatch match = size.match(line);
  if (!match.hasMatch()) return std::nullopt;
  return match.capturedView(1).toLongLong();
}

QString ProgramSizeText(qint64 bytes) {
  const double percent = 100.0 * static_cast<double>(bytes) / static_cast<double>(kHubRamBytes);
  QString text =
      u"Program size is %1 bytes: %2% of 512 KB hub RAM"_s.arg(bytes).arg(percent, 0, 'f', 1);
  if (bytes > kHubRamBytes)
    text += u". It does not fit: make it %1 bytes smaller"_s.arg(bytes - kHubRamBytes);
  return text;
}

QString BuildFailurePlace(const CCompilerMessage& message) {
  if (message.m_sFile.isEmpty()) return message.m_sText;
  return u"%1 line %2: %3"_s.arg(FileName(message.m_sFile), QString::number(message.m_nLine),
                                 message.m_sText);
}

QString BuildFailedText(const CCompilerMessage& message) {
  return u"Build failed: "_s + BuildFailurePlace(message);
}
