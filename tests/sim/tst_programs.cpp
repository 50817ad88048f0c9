#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "FlexSpin.h"

using namespace Qt::Literals::StringLiterals;

// Programs compiled by FlexSpin during the test (at -O0 and -O2, as native code and as
// bytecode) and run on kyv-sim; what they print on P62 must match the expected text byte for
// byte. The C programs are built with -x (their exit status goes to the terminal), which also
// turns off FlexSpin's LF to CR LF mapping, so their expected text is exactly what the same
// source prints when built natively. The Spin2 programs print their lines with CR LF through
// Kyv's serial driver; their expected text is worked out by hand from what they compute.
// FlexSpin's DEBUG (-g) ends each message with CR LF and sends it through FlexSpin's own LF to
// CR LF mapping, so its lines end in CR CR LF; it also prints hexadecimal in lower case.

namespace {

struct CSimRun {
  int m_nExit = -1;
  QByteArray m_baOut;
  QString m_sErr;
};

// Runs `kyv-sim run binary` with `options`, feeding `input` to P63.
CSimRun RunKyvSim(const QString& binary, const QStringList& options = {},
                  const QByteArray& input = {}) {
  QProcess sim;
  sim.start(QStringLiteral(KYV_SIM_EXECUTABLE), QStringList{u"run"_s, binary} + options);
  CSimRun run;
  if (!sim.waitForStarted()) {
    run.m_sErr = u"kyv-sim did not start: "_s + sim.errorString();
    return run;
  }
  sim.write(input);
  sim.closeWriteChannel();
  if (!sim.waitForFinished(240'000)) {
    sim.kill();
    sim.waitForFinished();
    run.m_sErr = u"kyv-sim did not finish in four minutes"_s;
    return run;
  }
  run.m_nExit = sim.exitStatus() == QProcess::NormalExit ? sim.exitCode() : -1;
  run.m_baOut = sim.readAllStandardOutput();
  run.m_sErr = QString::fromLocal8Bit(sim.readAllStandardError());
  return run;
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool WriteFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QString ProgramsFolder() { return QStringLiteral(KYV_SIM_PROGRAMS_DIR); }
QString DriversFolder() { return QStringLiteral(KYV_DRIVERS_DIR); }

// The four ways each program is built.
const QList<QPair<QString, QStringList>>& BuildModes() {
  static const QList<QPair<QString, QStringList>> modes = {
      {u"-O0 native"_s, {u"-O0"_s}},
      {u"-O2 native"_s, {u"-O2"_s}},
      {u"-O0 bytecode"_s, {u"-O0"_s, u"-2nu"_s}},
      // FlexSpin 7.7 merges functions that differ into one in -O2 bytecode (toupper comes out
      // as tolower's code), so that single optimisation stays off there.
      {u"-O2 bytecode"_s, {u"-O2,~merge-duplicate-functions"_s, u"-2nu"_s}},
  };
  return modes;
}

// Shows a terminal's bytes with control characters spelled out, for failure messages.
QString Visible(const QByteArray& bytes) {
  QString text;
  for (char byte : bytes) {
    const auto value = static_cast<uint8_t>(byte);
    if (byte == '\n')
      text += u"\\n\n"_s;
    else if (byte == '\r')
      text += u"\\r"_s;
    else if (value < 0x20 || value >= 0x7F)
      text += u"\\x%1"_s.arg(value, 2, 16, QLatin1Char('0'));
    else
      text += QLatin1Char(byte);
  }
  return text;
}

}  // namespace

class TestPrograms : public QObject {
  Q_OBJECT

 private:
  // Copies `files` (paths) into `folder` and compiles `source` there; the .binary's path.
  static QString Compile(const QTemporaryDir& folder, const QStringList& files,
                         const QString& source, const QStringList& options) {
    for (const QString& file : files)
      if (!QFile::copy(file, folder.filePath(QFileInfo(file).fileName()))) return {};
    const CFlexSpinRun compiled = RunFlexSpin(folder.filePath(source), options);
    if (compiled.m_nExitCode != 0) {
      qWarning().noquote() << compiled.m_sOutput;
      return {};
    }
    return folder.filePath(QFileInfo(source).completeBaseName() + u".binary"_s);
  }

  static void CompareOutput(const CSimRun& run, const QByteArray& expected, int expectedExit) {
    QVERIFY2(run.m_baOut == expected,
             qPrintable(u"the terminal showed\n%1\ninstead of\n%2\n%3"_s.arg(
                 Visible(run.m_baOut), Visible(expected), run.m_sErr)));
    QVERIFY2(run.m_nExit == expectedExit,
             qPrintable(u"exit status %1 instead of %2: %3"_s.arg(run.m_nExit)
                            .arg(expectedExit)
                            .arg(run.m_sErr)));
  }

 private slots:
  void programPrintsExpectedText_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("options");
    const QList<QPair<QString, QStringList>> programs = {
        // -x: a C program's exit status reaches the terminal as $FF $00 status.
        {u"arithmetic.c"_s, {u"-x"_s}}, {u"strings.c"_s, {u"-x"_s}}, {u"float.c"_s, {u"-x"_s}},
        {u"cogs_locks.spin2"_s, {}},    {u"cordic.spin2"_s, {}},     {u"hubexec.spin2"_s, {}},
        {u"debug.spin2"_s, {u"-g"_s}},
    };
    for (const auto& [program, options] : programs)
      for (const auto& [mode, modeOptions] : BuildModes())
        QTest::addRow("%s %s", qPrintable(program), qPrintable(mode))
            << program << options + modeOptions;
  }

  void programPrintsExpectedText() {
    KYV_SKIP_WITHOUT_FLEXSPIN();
    QFETCH(QString, program);
    QFETCH(QStringList, options);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // The Spin2 programs print through Kyv's serial driver.
    const QString binary = Compile(folder,
                                   {QDir(ProgramsFolder()).filePath(program),
                                    QDir(DriversFolder()).filePath(u"SimplerSerial.spin2"_s)},
                                   program, options);
    QVERIFY2(!binary.isEmpty(), "the program did not compile");
    const QString expectedFile =
        QDir(ProgramsFolder()).filePath(QFileInfo(program).completeBaseName() + u".expected"_s);
    CompareOutput(RunKyvSim(binary, {u"--time"_s, u"5"_s}), ReadFile(expectedFile), 0);
  }

  // The status a C program returns ends the run as kyv-sim's own exit status, and the
  // $FF $00 status sequence that carries it is not printed.
  void exitStatusOfTheProgram_data() {
    QTest::addColumn<QStringList>("options");
    for (const auto& [mode, modeOptions] : BuildModes())
      QTest::newRow(qPrintable(mode)) << QStringList{u"-x"_s} + modeOptions;
  }
  void exitStatusOfTheProgram() {
    KYV_SKIP_WITHOUT_FLEXSPIN();
    QFETCH(QStringList, options);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString binary = Compile(folder, {QDir(ProgramsFolder()).filePath(u"exitcode.c"_s)},
                                   u"exitcode.c"_s, options);
    QVERIFY2(!binary.isEmpty(), "the program did not compile");
    CompareOutput(RunKyvSim(binary),
                  ReadFile(QDir(ProgramsFolder()).filePath(u"exitcode.expected"_s)), 7);
  }

  // Kyv's serial driver: its own test program prints its lines and echoes one typed byte.
  void simplerSerialTest_data() {
    QTest::addColumn<QStringList>("options");
    for (const auto& [mode, modeOptions] : BuildModes())
      QTest::newRow(qPrintable(mode)) << modeOptions;
  }
  void simplerSerialTest() {
    KYV_SKIP_WITHOUT_FLEXSPIN();
    QFETCH(QStringList, options);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString binary =
        Compile(folder,
                {QDir(DriversFolder()).filePath(u"SimplerSerial.spin2"_s),
                 QDir(DriversFolder()).filePath(u"tests/SimplerSerial_test.spin2"_s)},
                u"SimplerSerial_test.spin2"_s, options);
    QVERIFY2(!binary.isEmpty(), "the program did not compile");
    CompareOutput(RunKyvSim(binary, {u"--time"_s, u"2"_s}, "Q"), "SimplerSerial test\r-42 2A\rQ",
                  0);
  }

  // Each output method of the serial driver alone, in a program that ends with stop(): the
  // last byte must be out on the wire before the pins are let go.
  void serialOutputAlone_data() {
    QTest::addColumn<QString>("call");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<QStringList>("options");
    const QList<std::tuple<QString, QString, QByteArray>> calls = {
        {u"str only"_s, u"ser.str(string(\"hello\", 13))"_s, "hello\r"},
        {u"dec only"_s, u"ser.dec(-42)"_s, "-42"},
        {u"tx only"_s, u"ser.tx(\"A\")"_s, "A"},
    };
    for (const auto& [name, call, expected] : calls)
      for (const auto& [mode, modeOptions] : BuildModes())
        QTest::addRow("%s %s", qPrintable(name), qPrintable(mode))
            << call << expected << modeOptions;
  }
  void serialOutputAlone() {
    KYV_SKIP_WITHOUT_FLEXSPIN();
    QFETCH(QString, call);
    QFETCH(QByteArray, expected);
    QFETCH(QStringList, options);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QByteArray source =
        "CON\n  _clkfreq = 160_000_000\n\nOBJ\n  ser : \"SimplerSerial\"\n\n"
        "PUB main()\n  ser.start(230400)\n  " +
        call.toUtf8() + "\n  ser.stop()\n";
    QVERIFY(WriteFile(folder.filePath(u"serial_alone.spin2"_s), source));
    const QString binary =
        Compile(folder, {QDir(DriversFolder()).filePath(u"SimplerSerial.spin2"_s)},
                u"serial_alone.spin2"_s, options);
    QVERIFY2(!binary.isEmpty(), "the program did not compile");
    CompareOutput(RunKyvSim(binary, {u"--time"_s, u"2"_s}), expected, 0);
  }

  // The same binary twice: the same output and the same number of clocks.
  void runsAreDeterministic() {
    KYV_SKIP_WITHOUT_FLEXSPIN();
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString binary = Compile(folder,
                                   {QDir(ProgramsFolder()).filePath(u"cogs_locks.spin2"_s),
                                    QDir(DriversFolder()).filePath(u"SimplerSerial.spin2"_s)},
                                   u"cogs_locks.spin2"_s, {u"-O2"_s});
    QVERIFY2(!binary.isEmpty(), "the program did not compile");
    static const QRegularExpression clocks(u"simulated: (\\d+) clocks"_s);
    QStringList counts;
    QList<QByteArray> outputs;
    for (int run = 0; run < 2; ++run) {
      const CSimRun result = RunKyvSim(binary, {u"--stats"_s});
      const QRegularExpressionMatch match = clocks.match(result.m_sErr);
      QVERIFY2(match.hasMatch(), qPrintable(result.m_sErr));
      counts << match.captured(1);
      outputs << result.m_baOut;
    }
    QCOMPARE(outputs[1], outputs[0]);
    QCOMPARE(counts[1], counts[0]);
    QVERIFY(!outputs[0].isEmpty());
  }

  // Bad command lines are refused with a sentence that names what to fix and exit status 2,
  // before any program runs; a valid option is never refused for its value.
  void commandLineErrors_data() {
    QTest::addColumn<QStringList>("options");  // after "run"
    QTest::addColumn<QString>("message");
    const QString missing = u"no-such-program.binary"_s;
    QTest::newRow("cog 0 may be traced")
        << QStringList{missing, u"--trace-cog"_s, u"0"_s} << missing;
    QTest::newRow("there is no cog 8") << QStringList{missing, u"--trace-cog"_s, u"8"_s}
                                       << u"--trace-cog needs a cog number from 0 to 7, not '8'"_s;
    QTest::newRow("no time at all") << QStringList{missing, u"--time"_s, u"0"_s}
                                    << u"--time needs a positive number, not '0'"_s;
    QTest::newRow("a folder is no program")
        << QStringList{QStringLiteral(KYV_SIM_PROGRAMS_DIR)} << u"is not a file"_s;
    QTest::newRow("one program at a time")
        << QStringList{missing, missing} << u"only one program can run at a time"_s;
  }

  void commandLineErrors() {
    QFETCH(QStringList, options);
    QFETCH(QString, message);
    QProcess sim;
    sim.start(QStringLiteral(KYV_SIM_EXECUTABLE), QStringList{u"run"_s} + options);
    QVERIFY(sim.waitForFinished(30000));
    const QString err = QString::fromUtf8(sim.readAllStandardError());
    QCOMPARE(sim.exitCode(), 2);
    QVERIFY2(err.contains(message), qPrintable(err));
  }

  // An instruction the simulator does not model stops the run with its name, the cog and the
  // address, and a non-zero exit status.
  void unsupportedInstructionStops() {
    KYV_SKIP_WITHOUT_FLEXSPIN();
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    // The streamer is not simulated yet; when it is, this needs another instruction.
    QVERIFY(WriteFile(folder.filePath(u"unsupported.spin2"_s),
                      "DAT\n        org     0\n        nop\n        xinit   mode, #0\n"
                      "        jmp     #$\nmode    long    $A000_0010\n"));
    const QString binary = Compile(folder, {}, u"unsupported.spin2"_s, {});
    QVERIFY2(!binary.isEmpty(), "the program did not compile");
    const CSimRun run = RunKyvSim(binary, {u"--time"_s, u"1"_s});
    QVERIFY2(run.m_nExit != 0 && run.m_nExit != 124, qPrintable(run.m_sErr));
    QVERIFY2(run.m_sErr.contains(u"cog 0 at $00001"_s), qPrintable(run.m_sErr));
    QVERIFY2(run.m_sErr.contains(u"XINIT"_s), qPrintable(run.m_sErr));
    QVERIFY2(run.m_sErr.contains(u"not simulated"_s), qPrintable(run.m_sErr));
  }
};

QTEST_GUILESS_MAIN(TestPrograms)
#include "tst_programs.moc"
