// Generate Files on a project holding every kind and the SD card, N times into a temporary
// folder, against two floors made of the same output files: a plain copy, and a durable copy
// (temporary file, sync, rename, per file) as Generate Files writes them.
//
//   bench_generate [N]      (default 50)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSaveFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "codegen/GenerateFiles.h"
#include "model/KyvDoc.h"
#include "platform/SystemClock.h"

using namespace Qt::Literals::StringLiterals;

namespace {

class CQuietMessages : public CMessageService {
 public:
  void ShowMessage(MessageStyle, const QString&, const QString&) override {}
};

class CMemoryStore : public CSettingsStore {
 public:
  QString ReadString(const QString& name, const QString& fallback) const override {
    return m_values.value(name, fallback);
  }
  void WriteString(const QString& name, const QString& value) override { m_values[name] = value; }
  int ReadInt(const QString&, int fallback) const override { return fallback; }
  void WriteInt(const QString&, int) override {}
  QMap<QString, QString> m_values;
};

CCodeObject* Add(CKyvDoc& doc, ObjectType type, const QString& name, const QString& pin) {
  auto object = std::make_unique<CCodeObject>();
  object->m_nType = type;
  object->m_sName = name;
  object->m_sBasePin = pin;
  object->m_nPinCount = 1;
  object->m_bValid = true;
  return doc.AddObject(std::move(object));
}

// One object of every kind with its loop options on, the SD card and every script option.
void FillProject(CKyvDoc& doc) {
  doc.m_bMountSd = doc.m_bUseBaud = doc.m_bUsePlan9 = doc.m_bUseLibraryPath = doc.m_bUseOptLevel =
      1;
  Add(doc, OBJ_SIMPLE_VGA, u"SimpleVGA1"_s, u"48"_s);
  Add(doc, OBJ_SIMPLE_QVGA, u"SimpleQVGA1"_s, u"40"_s);
  Add(doc, OBJ_SIMPLE_HDMI, u"SimpleHDMI1"_s, u"32"_s);
  Add(doc, OBJ_TILED_1080P, u"Tiled1080p1"_s, u"24"_s);
  CCodeObject* bus = Add(doc, OBJ_I2C_BUS, u"I2CBus1"_s, u"0"_s);
  bus->m_sText[6] = u"56"_s;
  bus->m_sText[5] = u"57"_s;
  bus->m_sString = u"100"_s;
  bus->m_bParam[0] = true;
  CCodeObject* leds = Add(doc, OBJ_NEOPIXEL, u"Neopixel1"_s, u"53"_s);
  leds->m_sParam[0] = u"  FF8000"_s;
  leds->m_sParam[2] = u"8"_s;
  leds->m_nParam[4] = 5;
  leds->m_bParam[0] = true;
  CCodeObject* nco = Add(doc, OBJ_NCO, u"NCO1"_s, u"20"_s);
  nco->m_sParam[0] = u"00000003"_s;
  nco->m_sParam[1] = u"00013A94"_s;
  CCodeObject* rtc = Add(doc, OBJ_RTC, u"RTC1"_s, QString());
  rtc->m_sParam[0] = u"I2CBus1"_s;
  rtc->m_bParam[0] = true;
  CCodeObject* sound = Add(doc, OBJ_SIMPLE_SOUND, u"SimpleSound1"_s, QString());
  sound->m_sParam[0] = u"54"_s;
  sound->m_sParam[1] = u"55"_s;
  sound->m_bParam[0] = sound->m_bParam[1] = true;
  CCodeObject* servo = Add(doc, OBJ_SERVO, u"Servo1"_s, u"21"_s);
  servo->m_sParam[0] = u"90"_s;
  servo->m_bParam[1] = true;
  CCodeObject* io = Add(doc, OBJ_DIGITAL_IO, u"DigitalIO1"_s, u"22"_s);
  io->m_bParam[3] = io->m_bParam[4] = true;
  CCodeObject* filters = Add(doc, OBJ_DIGITAL_FILTERS, u"Filters1"_s, QString());
  filters->m_bParam[0] = filters->m_bParam[2] = true;
  CCodeObject* dac = Add(doc, OBJ_DAC, u"DAC1"_s, u"23"_s);
  dac->m_bParam[0] = true;
  CCodeObject* adc = Add(doc, OBJ_ADC, u"ADC1"_s, u"30"_s);
  adc->m_nParam[0] = 2;
  adc->m_nParam[1] = 9;
  adc->m_sParam[0] = u"P_ADC_1X"_s;
  adc->m_sParam[1] = u"P_LOCAL_A|"_s;
  CCodeObject* usb = Add(doc, OBJ_USB_KBM, u"UsbKbM1"_s, u"8"_s);
  usb->m_nParam[2] = 640;
  usb->m_nParam[3] = 480;
  usb->m_bParam[0] = usb->m_bParam[1] = true;
  CCodeObject* camera = Add(doc, OBJ_CAMERA, u"Camera1"_s, u"0"_s);
  camera->m_sParam[0] = u"I2CBus1"_s;
  camera->m_sParam[1] = u"OV2640"_s;
  camera->m_sParam[2] = u"SimpleQVGA1"_s;
  camera->m_bParam[0] = true;
}

[[noreturn]] void Die(const QString& text) {
  std::fprintf(stderr, "bench_generate: %s\n", qPrintable(text));
  std::exit(1);
}

QByteArray ReadBytes(const QString& path) {
  QFile source(path);
  if (!source.open(QIODevice::ReadOnly)) Die(source.errorString());
  return source.readAll();
}

QString TargetPath(const QString& toFolder, const QString& path) {
  return QDir(toFolder).filePath(QFileInfo(path).fileName());
}

void PlainCopy(const QStringList& files, const QString& toFolder) {
  for (const QString& path : files) {
    const QByteArray bytes = ReadBytes(path);
    QFile target(TargetPath(toFolder, path));
    if (!target.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        target.write(bytes) != bytes.size())
      Die(target.errorString());
  }
}

// QSaveFile writes a temporary file beside the target, syncs it to disk and renames it over
// the target on commit.
void DurableCopy(const QStringList& files, const QString& toFolder) {
  for (const QString& path : files) {
    const QByteArray bytes = ReadBytes(path);
    QSaveFile target(TargetPath(toFolder, path));
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size() ||
        !target.commit())
      Die(target.errorString());
  }
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 50;

  CQuietMessages messages;
  CMemoryStore settings;
  CFixedClock clock(QDateTime(QDate(2024, 3, 3), QTime(14, 5, 9)));
  CPlatform platform{&messages, &settings, nullptr, &clock};
  CKyvDoc doc(platform);
  doc.OnNewDocument();
  doc.SetTitle(u"Bench.KYV"_s);
  FillProject(doc);

  QTemporaryDir work;
  const QString generated = work.filePath(u"generated"_s);
  const QString copied = work.filePath(u"copied"_s);
  QDir().mkpath(generated);
  QDir().mkpath(copied);

  CGenerateResult result =
      GenerateFiles(doc, {generated, QString()});  // warm-up, and the file list
  if (!result.m_bCompleted) {
    std::fprintf(stderr, "generation failed\n");
    return 1;
  }
  qint64 bytes = 0;
  for (const QString& path : result.m_filesWritten) bytes += QFileInfo(path).size();

  // The three take turns, run by run, so that a machine that is busy for a while slows all of
  // them alike.
  const QStringList& files = result.m_filesWritten;
  PlainCopy(files, copied);
  DurableCopy(files, copied);
  std::vector<double> generateTimes, copyTimes, durableTimes;
  QElapsedTimer timer;
  auto timed = [&timer](std::vector<double>& times, const auto& step) {
    timer.start();
    step();
    times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
  };
  for (int i = 0; i < runs; ++i) {
    timed(generateTimes, [&] { GenerateFiles(doc, {generated, QString()}); });
    timed(copyTimes, [&] { PlainCopy(files, copied); });
    timed(durableTimes, [&] { DurableCopy(files, copied); });
  }
  const double generateMs = Median(generateTimes);
  const double copyMs = Median(copyTimes);
  const double durableMs = Median(durableTimes);

  std::printf(
      "project: %d objects of all 16 kinds and the SD card; %lld files, %lld bytes per "
      "generation\n",
      static_cast<int>(doc.m_ObjectList.size()),
      static_cast<long long>(result.m_filesWritten.size()), static_cast<long long>(bytes));
  std::printf("written empty, driver not bundled in this build: %lld of %lld files\n",
              static_cast<long long>(result.m_unbundledFiles.size()),
              static_cast<long long>(result.m_filesWritten.size()));
  std::printf("generate files: %d runs, median %.3f ms per generation\n", runs, generateMs);
  std::printf("plain copy of the same files: median %.3f ms\n", copyMs);
  std::printf("durable copy of the same files (temporary file, sync, rename): median %.3f ms\n",
              durableMs);
  std::printf("ratio generate / plain copy: %.2f\n", generateMs / copyMs);
  std::printf("ratio generate / durable copy: %.2f\n", generateMs / durableMs);
  return 0;
}
