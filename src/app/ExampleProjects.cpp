#include "app/ExampleProjects.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

// Newcomers meet them in this order: from a program that only prints to the largest projects.
const char* const kExampleOrder[] = {"Hello", "Robot", "Display", "Sound", "Logger"};

// The first paragraph after the README's title, its lines joined.
QString FirstParagraph(const QString& readme) {
  QStringList paragraph;
  for (const QString& line : readme.split(u'\n')) {
    const QString text = line.trimmed();
    if (text.startsWith(u'#')) continue;
    if (text.isEmpty()) {
      if (!paragraph.isEmpty()) break;
      continue;
    }
    paragraph.append(text);
  }
  return paragraph.join(u' ');
}

}  // namespace

QList<CExampleProject> ExampleProjects() {
  QList<CExampleProject> examples;
  for (const char* name : kExampleOrder) {
    const QString folder = QStringLiteral(":/examples/") + QLatin1StringView(name);
    CExampleProject example;
    example.m_sName = QLatin1StringView(name);
    example.m_sProjectPath = folder + u'/' + example.ProjectFileName();
    QFile readme(folder + QStringLiteral("/README.md"));
    if (!QFile::exists(example.m_sProjectPath) || !readme.open(QIODevice::ReadOnly)) continue;
    example.m_sDescription = FirstParagraph(QString::fromUtf8(readme.readAll()));
    examples.append(example);
  }
  return examples;
}

QString CopyExampleProject(const CExampleProject& example, const QString& targetPath) {
  QFile source(example.m_sProjectPath);
  if (!source.open(QIODevice::ReadOnly))
    return QStringLiteral("The example %1 cannot be read: %2.")
        .arg(example.m_sName, source.errorString());
  const QByteArray bytes = source.readAll();
  // Written afresh rather than copied, so the copy gets the user's usual permissions instead of
  // the read-only ones of an embedded file.
  QSaveFile target(targetPath);
  if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size() || !target.commit())
    return QStringLiteral("Cannot write %1: %2.")
        .arg(QDir::toNativeSeparators(targetPath), target.errorString());
  return QString();
}
