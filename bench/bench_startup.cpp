// Times Kyv's start-up to its first painted window against a bare QMainWindow program built
// beside it, empty and with one line of text: all three run in turn, each quitting after its
// first paint, and the medians of wall time and CPU time (user + system, all threads) are
// printed with their ratios.
//
//   bench_startup [ROUNDS [KYV]]     (default 11 rounds, the kyv built beside it)
//
// The display is the environment's: QT_QPA_PLATFORM=offscreen, or an X server in DISPLAY
// (for example `xvfb-run -s '-screen 0 1920x1080x24' build/bench/bench_startup`).
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#if defined(Q_OS_UNIX)
#include <sys/resource.h>
#endif

namespace {

struct CRun {
  double m_wallMs = 0;
  double m_cpuMs = -1;  // negative where the system gives no CPU time of child processes
};

// CPU time of the finished child processes so far.
double ChildrenCpuMs() {
#if defined(Q_OS_UNIX)
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
  return ms(usage.ru_utime) + ms(usage.ru_stime);
#else
  return -1;
#endif
}

CRun RunOnce(const QString& program, const QStringList& arguments,
             const QProcessEnvironment& environment) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  const double cpuBefore = ChildrenCpuMs();
  QElapsedTimer timer;
  timer.start();
  process.start(program, arguments);
  if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit ||
      process.exitCode() != 0) {
    std::fprintf(stderr, "bench_startup: %s did not start and quit cleanly: %s\n",
                 qPrintable(program), qPrintable(process.errorString()));
    std::exit(1);
  }
  CRun run;
  run.m_wallMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
  const double cpuAfter = ChildrenCpuMs();
  if (cpuBefore >= 0) run.m_cpuMs = cpuAfter - cpuBefore;
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;

  // Kyv reads and writes its settings under a folder of its own here, never the user's.
  QTemporaryDir home;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
  const QString kyv = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(KYV_APP_PATH);
  const QString bare = QStringLiteral(KYV_BARE_WINDOW_PATH);
  const QStringList kyvArguments{QStringLiteral("--quit-after-show")};

  const QStringList textArguments{QStringLiteral("--text")};

  // Once each first: the libraries come into the page cache and Kyv writes its settings.
  RunOnce(kyv, kyvArguments, environment);
  RunOnce(bare, {}, environment);
  RunOnce(bare, textArguments, environment);

  std::vector<double> kyvWall, kyvCpu, bareWall, bareCpu, textWall, textCpu;
  for (int i = 0; i < rounds; ++i) {
    const CRun k = RunOnce(kyv, kyvArguments, environment);
    const CRun b = RunOnce(bare, {}, environment);
    const CRun t = RunOnce(bare, textArguments, environment);
    kyvWall.push_back(k.m_wallMs);
    kyvCpu.push_back(k.m_cpuMs);
    bareWall.push_back(b.m_wallMs);
    bareCpu.push_back(b.m_cpuMs);
    textWall.push_back(t.m_wallMs);
    textCpu.push_back(t.m_cpuMs);
  }

  const QString platform = environment.value(QStringLiteral("QT_QPA_PLATFORM"));
  std::printf("display: %s; %d alternating rounds, start to first paint and exit\n",
              qPrintable(platform.isEmpty() ? QStringLiteral("DISPLAY=") +
                                                  environment.value(QStringLiteral("DISPLAY"))
                                            : QStringLiteral("QT_QPA_PLATFORM=") + platform),
              rounds);
  auto line = [](const char* what, const std::vector<double>& kyvMs,
                 const std::vector<double>& floorMs, const char* floor) {
    const double k = Median(kyvMs), f = Median(floorMs);
    std::printf("%s  kyv %8.1f ms   %-22s %8.1f ms   ratio %5.2f\n", what, k, floor, f, k / f);
  };
  line("wall", kyvWall, bareWall, "bare window");
  line("wall", kyvWall, textWall, "bare window with text");
  if (kyvCpu.front() >= 0) {
    line("cpu ", kyvCpu, bareCpu, "bare window");
    line("cpu ", kyvCpu, textCpu, "bare window with text");
  } else {
    std::printf("cpu   not measured on this system\n");
  }
  return 0;
}
