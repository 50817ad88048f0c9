// Opens and saves a project of 1000 objects of mixed kinds many times and sets the median times
// beside their floors: the same bytes read as a plain file, written as a plain file and written
// durably (temporary file, sync, rename, as a save does), and the in-memory work an open must do
// anyway, decoding the bytes and taking their digest.
//
//   build/bench/bench_kyvfile [ROUNDS]     (default 200)
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "SampleProject.h"
#include "TestPlatform.h"
#include "model/KyvFile.h"

namespace {

// Median wall time in milliseconds of each step. The steps take turns, round by round, so that
// a machine that is busy for a while slows all of them alike.
std::vector<double> MedianMs(int rounds, const std::vector<std::function<void()>>& steps) {
  for (const auto& step : steps) step();  // warm the caches and the file system once
  std::vector<std::vector<double>> times(steps.size());
  QElapsedTimer timer;
  for (int round = 0; round < rounds; ++round) {
    for (size_t i = 0; i < steps.size(); ++i) {
      timer.start();
      steps[i]();
      times[i].push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
  }
  std::vector<double> medians;
  for (std::vector<double>& values : times) {
    std::sort(values.begin(), values.end());
    medians.push_back(values[values.size() / 2]);
  }
  return medians;
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
  // Open and the plain read take files written once, never replaced while they are timed.
  const QString opened = dir.filePath(QStringLiteral("Opened.KYV"));
  const QString read = dir.filePath(QStringLiteral("read.bin"));
  QString error;
  if (!SaveKyvFile(doc, opened, &error)) Die(error);
  const QByteArray bytes = KyvFileBytes(doc);
  {
    QFile file(read);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
      Die(file.errorString());
  }

  auto save = [&] {
    if (!SaveKyvFile(doc, project, &error)) Die(error);
  };
  auto open = [&] {
    if (!LoadKyvFile(opened, test.Services(), &error)) Die(error);
  };
  auto write = [&] {
    QFile file(plain);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
      Die(file.errorString());
  };
  auto durableWrite = [&] {
    QSaveFile file(plain);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
      Die(file.errorString());
  };
  auto plainRead = [&] {
    QFile file(read);
    if (!file.open(QIODevice::ReadOnly) || file.readAll().size() != bytes.size())
      Die(file.errorString());
  };
  auto encode = [&] { (void)KyvFileBytes(doc); };
  auto decode = [&] {
    if (!ReadKyvBytes(bytes, test.Services(), &error)) Die(error);
  };
  auto digest = [&] { (void)ProjectFileDigest(bytes); };
  // Reading and writing take turns apart: a synced write keeps the file system busy for a while
  // after it returns, which a read that follows it would pay for.
  const std::vector<double> reads = MedianMs(rounds, {open, plainRead, decode, digest});
  const std::vector<double> writes = MedianMs(rounds, {save, durableWrite, write, encode});
  const double openMs = reads[0], readMs = reads[1], decodeMs = reads[2], digestMs = reads[3];
  const double saveMs = writes[0], durableMs = writes[1], writeMs = writes[2], encodeMs = writes[3];

  QTextStream out(stdout);
  out << QStringLiteral("project: %1 objects, %2 bytes, %3 rounds\n")
             .arg(doc.m_ObjectList.size())
             .arg(bytes.size())
             .arg(rounds);
  auto line = [&out](const char* what, double ms, const char* floor, double floorMs) {
    out << QStringLiteral("%1 %2 ms   %3 %4 ms   ratio %5\n")
               .arg(QLatin1StringView(what))
               .arg(ms, 8, 'f', 3)
               .arg(QLatin1StringView(floor), -24)
               .arg(floorMs, 8, 'f', 3)
               .arg(ms / floorMs, 6, 'f', 2);
  };
  line("open", openMs, "plain read", readMs);
  line("open", openMs, "decode + digest in memory", decodeMs + digestMs);
  line("save", saveMs, "durable write", durableMs);
  line("save", saveMs, "plain write", writeMs);
  out << QStringLiteral("in memory: decode %1 ms, digest %2 ms, encode %3 ms\n")
             .arg(decodeMs, 0, 'f', 3)
             .arg(digestMs, 0, 'f', 3)
             .arg(encodeMs, 0, 'f', 3);
  return 0;
}
