#include <QSet>
#include <QtTest>
#include <algorithm>

#include "BundledResource.h"

using namespace Qt::Literals::StringLiterals;

// The Simple Sound media as a project receives them: pyr.mod read the way trackerPlayer.spin2
// reads it, and the four effect samples in the format simplesound.spin2 plays.
class TestSoundMedia : public QObject {
  Q_OBJECT

 private slots:
  void moduleLayoutMatchesItsSize();
  void moduleInstrumentsFitThePlayer();
  void modulePatternsUseOnlyWhatThePlayerPlays();
  void effectSamples_data();
  void effectSamples();
};

namespace {

constexpr int kSongLengthAt = 950;
constexpr int kOrdersAt = 952;
constexpr int kOrderSlots = 128;
constexpr int kSignatureAt = 1080;
constexpr int kHeaderBytes = 1084;
constexpr int kPatternBytes = 64 * 4 * 4;
constexpr int kInstruments = 31;
constexpr int kEngineMaxLength = 0xFFFF;  // reSound's longest sample, in bytes
constexpr int kEffectRate = 16000;        // simplesound.spin2's EFFECT_RATE

struct CInstrument {
  int m_nLength = 0;  // bytes
  int m_nVolume = 0;
  int m_nLoopStart = 0;
  int m_nLoopLength = 0;
};

struct CCell {
  int m_nInstrument;
  int m_nPeriod;
  int m_nEffect;
  int m_nParam;
};

int BigEndianWord(const QByteArray& bytes, qsizetype at) {
  return (uchar(bytes[at]) << 8) | uchar(bytes[at + 1]);
}

int PatternCount(const QByteArray& mod) {
  int highest = 0;
  for (int i = 0; i < kOrderSlots; ++i) highest = std::max(highest, int(uchar(mod[kOrdersAt + i])));
  return highest + 1;
}

QList<CInstrument> Instruments(const QByteArray& mod) {
  QList<CInstrument> instruments;
  for (int i = 0; i < kInstruments; ++i) {
    const qsizetype header = 20 + i * 30;
    instruments.append({BigEndianWord(mod, header + 22) * 2, uchar(mod[header + 25]),
                        BigEndianWord(mod, header + 26) * 2, BigEndianWord(mod, header + 28) * 2});
  }
  return instruments;
}

QList<CCell> Cells(const QByteArray& mod) {
  QList<CCell> cells;
  const qsizetype end = kHeaderBytes + qsizetype(PatternCount(mod)) * kPatternBytes;
  for (qsizetype at = kHeaderBytes; at < end; at += 4) {
    const uchar b0 = uchar(mod[at]), b1 = uchar(mod[at + 1]), b2 = uchar(mod[at + 2]);
    cells.append({(b0 & 0xF0) | (b2 >> 4), ((b0 & 0x0F) << 8) | b1, b2 & 0x0F, uchar(mod[at + 3])});
  }
  return cells;
}

}  // namespace

void TestSoundMedia::moduleLayoutMatchesItsSize() {
  const QByteArray mod = ResourceBytes(358);
  QVERIFY(mod.size() > kHeaderBytes);
  QCOMPARE(mod.mid(kSignatureAt, 4), QByteArray("M.K."));
  const int songLength = uchar(mod[kSongLengthAt]);
  QVERIFY(songLength >= 1 && songLength <= kOrderSlots);
  QVERIFY(PatternCount(mod) <= 64);
  int samples = 0;
  for (const CInstrument& instrument : Instruments(mod)) samples += instrument.m_nLength;
  // Header, patterns and sample bytes account for every byte: nothing cut off, nothing extra.
  QCOMPARE(qsizetype(kHeaderBytes) + PatternCount(mod) * kPatternBytes + samples, mod.size());
}

void TestSoundMedia::moduleInstrumentsFitThePlayer() {
  const QByteArray mod = ResourceBytes(358);
  for (const CInstrument& instrument : Instruments(mod)) {
    QVERIFY(instrument.m_nLength <= kEngineMaxLength);
    QVERIFY(instrument.m_nVolume <= 64);
    if (instrument.m_nLoopLength > 2)
      QVERIFY(instrument.m_nLoopStart + instrument.m_nLoopLength <= instrument.m_nLength);
  }
}

void TestSoundMedia::modulePatternsUseOnlyWhatThePlayerPlays() {
  const QByteArray mod = ResourceBytes(358);
  const QList<CInstrument> instruments = Instruments(mod);
  const int songLength = uchar(mod[kSongLengthAt]);
  QSet<int> effects;
  for (const CCell& cell : Cells(mod)) {
    if (cell.m_nInstrument) {
      QVERIFY(cell.m_nInstrument <= kInstruments);
      QVERIFY2(instruments[cell.m_nInstrument - 1].m_nLength > 0, "note on an empty instrument");
    }
    if (cell.m_nPeriod) QVERIFY(cell.m_nPeriod >= 113 && cell.m_nPeriod <= 856);
    if (cell.m_nEffect == 0xB) QVERIFY(cell.m_nParam < songLength);
    if (cell.m_nEffect == 0xD) QVERIFY((cell.m_nParam >> 4) * 10 + (cell.m_nParam & 0x0F) < 64);
    if (cell.m_nEffect || cell.m_nParam) effects.insert(cell.m_nEffect);
  }
  // The tune uses each effect the player supports, and no other.
  QCOMPARE(effects, (QSet<int>{0x0, 0x1, 0x2, 0x3, 0x4, 0xA, 0xB, 0xC, 0xD, 0xF}));
}

void TestSoundMedia::effectSamples_data() {
  QTest::addColumn<int>("resource");
  QTest::newRow("space_sample2_S8.raw, effect 2") << 354;
  QTest::newRow("space_sample1_S8.raw, effect 1") << 355;
  QTest::newRow("platform_sample3_S8.raw, effect 4") << 356;
  QTest::newRow("platform_sample1_S8.raw, effect 3") << 357;
}

// Raw signed 8-bit mono at 16 kHz: a tenth of a second to two seconds long, no click at
// either end, audible, and centred on zero (read as unsigned bytes it would sit near -128).
void TestSoundMedia::effectSamples() {
  QFETCH(int, resource);
  const QByteArray raw = ResourceBytes(uint16_t(resource));
  QVERIFY(raw.size() >= kEffectRate / 10 && raw.size() <= 2 * kEffectRate);
  QVERIFY(raw.size() <= kEngineMaxLength);
  QCOMPARE(int(qint8(raw.front())), 0);
  QCOMPARE(int(qint8(raw.back())), 0);
  int peak = 0;
  qint64 sum = 0;
  for (char byte : raw) {
    peak = std::max(peak, std::abs(int(qint8(byte))));
    sum += qint8(byte);
  }
  QVERIFY2(peak >= 64, "too quiet");
  QVERIFY2(std::abs(sum / raw.size()) < 4, "not centred on zero");
}

QTEST_GUILESS_MAIN(TestSoundMedia)
#include "tst_soundmedia.moc"
