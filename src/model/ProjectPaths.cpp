#include "model/ProjectPaths.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Far more than any real chain of links; a loop of links ends here.
constexpr int kMaxLinkHops = 40;

}  // namespace

QString FileNameWithoutExtension(const QString& fileName) {
  const qsizetype dot = fileName.lastIndexOf(u'.');
  return dot > 0 ? fileName.left(dot) : fileName;
}

bool HasFileExtension(const QString& fileName) { return fileName.lastIndexOf(u'.') > 0; }

QString ResolvedFilePath(const QString& path) {
  QFileInfo info(path);
  const QString canonical = info.canonicalFilePath();
  if (!canonical.isEmpty()) return canonical;
  // Missing, or a link to something missing: follow the links by hand, then resolve the folder.
  for (int hop = 0; info.isSymLink() && hop < kMaxLinkHops; ++hop)
    info = QFileInfo(info.symLinkTarget());
  const QString folder = QDir(info.absolutePath()).canonicalPath();
  return folder.isEmpty() ? info.absoluteFilePath() : QDir(folder).filePath(info.fileName());
}

bool IsSameFile(const QString& first, const QString& second) {
  const QString a = QFileInfo(first).canonicalFilePath();
  return !a.isEmpty() && a == QFileInfo(second).canonicalFilePath();
}
