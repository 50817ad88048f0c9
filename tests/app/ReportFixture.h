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

// A project of tests/data in its JSON form, saved as fileName in the work folder and opened from
// the command line of a fresh start.
inline void OpenJsonFixture(CAppFixture& fixture, const QString& jsonPath,
                            const QString& fileName) {
  CTestPlatform test;
  QString error;
  const auto doc = ProjectFromJson(ReadWholeFile(QStringLiteral(KYV_TEST_DATA_DIR "/") + jsonPath),
                                   test.Services(), &error);
  QVERIFY2(doc, qPrintable(error));
  const QString path = fixture.WorkPath(fileName);
  QVERIFY2(SaveKyvFile(*doc, path, &error), qPrintable(error));
  fixture.Start({path});
  QCOMPARE(fixture.ActiveDoc().GetTitle(), fileName);
}

// The pin report's fixture project (tests/data/report/demo.json) as Demo.KYV.
inline void OpenReportFixture(CAppFixture& fixture) {
  OpenJsonFixture(fixture, QStringLiteral("report/demo.json"), QStringLiteral("Demo.KYV"));
}
