#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

// README.md is the newcomer's road: every picture it shows and every file it links to exists.
class TestReadme : public QObject {
  Q_OBJECT

 private slots:
  void linkedFilesExist();
};

void TestReadme::linkedFilesExist() {
  const QDir root(QStringLiteral(KYV_SOURCE_DIR));
  QFile readme(root.filePath(u"README.md"_s));
  QVERIFY(readme.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(readme.readAll());

  // Markdown links and images: [text](target) and ![text](target); web addresses and anchors
  // inside the page are not files.
  static const QRegularExpression link(uR"(!?\[[^\]]*\]\(([^)\s]+)\))"_s);
  QStringList missing;
  int pictures = 0;
  for (const QRegularExpressionMatch& match : link.globalMatch(text)) {
    const QString target = match.captured(1);
    if (target.contains(u"://"_s) || target.startsWith(u'#')) continue;
    if (match.captured(0).startsWith(u'!')) ++pictures;
    if (!QFileInfo::exists(root.filePath(target))) missing.append(target);
  }
  QVERIFY2(missing.isEmpty(),
           qPrintable(u"README.md names missing files: "_s + missing.join(u", "_s)));
  QVERIFY2(pictures > 0, "README.md shows no picture of the program");
}

QTEST_GUILESS_MAIN(TestReadme)
#include "tst_readme.moc"
