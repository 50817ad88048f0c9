#pragma once

#include <QFile>
#include <QTest>

#include "AppFixture.h"
#include "TestPlatform.h"
#include "model/KyvFile.h"
#include "model/ProjectJson.h"

inline QByteArray ReadWholeFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The pin report's fixture project (tests/data/report/demo.json) saved as Demo.KYV in the work
// folder and opened from the command line of a fresh start.
inline void OpenReportFixture(CAppFixture& fixture) {
  CTestPlatform test;
  QString error;
  const auto doc =
      ProjectFromJson(ReadWholeFile(QStringLiteral(KYV_TEST_DATA_DIR "/report/demo.json")),
                      test.Services(), &error);
  QVERIFY2(doc, qPrintable(error));
  const QString path = fixture.WorkPath(QStringLiteral("Demo.KYV"));
  QVERIFY2(SaveKyvFile(*doc, path, &error), qPrintable(error));
  fixture.Start({path});
  QCOMPARE(fixture.ActiveDoc().GetTitle(), QStringLiteral("Demo.KYV"));
}
