// Opens and saves a project of 1000 objects of mixed kinds many times and sets the mean times
// beside the floor: reading and writing the same number of bytes as a plain file.
//
//   build/bench/bench_kyvfile [ROUNDS]     (default 200)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <cstdio>
#include <functional>

#include "SampleProject.h"
#include "TestPlatform.h"
#include "model/KyvFile.h"

namespace {

// Mean wall time of one call in milliseconds.
double MeanMs(int rounds, const std::function<void()>& step) {
  step();  // warm the caches and the file system once
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < rounds; ++i) step();
  return static_cast<double>(timer.nsecsElapsed()) / 1e6 / rounds;
}

[[noreturn]] void Die(const QString& text) {
  std::fprintf(stderr, "bench_kyvfile: %s\n", qPrintable(text));
  std::exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;

  CTestPlatform test;
  CKyvDoc doc(test.Services());
  doc.OnNewDocument();
  AddSampleObjects(doc, 1000);

  QTemporaryDir dir;
  const QString project = dir.filePath(QStringLiteral("Bench.KYV"));
  const QString plain = dir.filePath(QStringLiteral("plain.bin"));
  QString error;
  if (!SaveKyvFile(doc, project, &error)) Die(error);
  const QByteArray bytes = KyvFileBytes(doc);

  const double save = MeanMs(rounds, [&] {
    if (!SaveKyvFile(doc, project, &error)) Die(error);
  });
  const double open = MeanMs(rounds, [&] {
    if (!LoadKyvFile(project, test.Services(), &error)) Die(error);
  });
  const double write = MeanMs(rounds, [&] {
    QFile file(plain);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
      Die(file.errorString());
  });
  const double read = MeanMs(rounds, [&] {
    QFile file(plain);
    if (!file.open(QIODevice::ReadOnly) || file.readAll().size() != bytes.size())
      Die(file.errorString());
  });
  const double encode = MeanMs(rounds, [&] { (void)KyvFileBytes(doc); });
  const double decode = MeanMs(rounds, [&] {
    if (!ReadKyvBytes(bytes, test.Services(), &error)) Die(error);
  });

  QTextStream out(stdout);
  out << QStringLiteral("project: %1 objects, %2 bytes, %3 rounds\n")
             .arg(doc.m_ObjectList.size())
             .arg(bytes.size())
             .arg(rounds);
  out << QStringLiteral("open  %1 ms   plain read  %2 ms   ratio %3\n")
             .arg(open, 8, 'f', 3)
             .arg(read, 8, 'f', 3)
             .arg(open / read, 6, 'f', 1);
  out << QStringLiteral("save  %1 ms   plain write %2 ms   ratio %3\n")
             .arg(save, 8, 'f', 3)
             .arg(write, 8, 'f', 3)
             .arg(save / write, 6, 'f', 1);
  out << QStringLiteral("in memory: decode %1 ms, encode %2 ms\n")
             .arg(decode, 0, 'f', 3)
             .arg(encode, 0, 'f', 3);
  return 0;
}
