#include "editors/ProjectChecks.h"

#include <QFileInfo>
#include <QMap>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <optional>

#include "codegen/SingleByteCheck.h"
#include "codegen/ToolChecks.h"
#include "editors/NcoCalculation.h"
#include "editors/NumericFields.h"
#include "editors/ObjectNameRules.h"
#include "model/KindRegistry.h"
#include "model/KindSlots.h"
#include "model/KyvDoc.h"
#include "model/PinTableAgreement.h"
#include "model/TextConversion.h"
#include "model/UnclaimedPins.h"

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kCogCount = 8;
constexpr int64_t kHubRamBytes = 512 * 1024;
// Measured like the kinds' figures (scripts/measure_driver_sizes.sh): an empty main program
// (2228 bytes) with the serial terminal every generated program uses (1072 bytes), and the
// larger of the two SD card drivers (FAT32 14072 bytes, FSRW 11076 bytes).
constexpr int64_t kMainProgramHubBytes = 2228 + 1072;
constexpr int64_t kSdCardHubBytes = 14072;

// The P2 silicon document, "Configuring the Clock Source" (HUBSET clock-mode table): the PLL's
// VCO "should be kept within 100 MHz to 200 MHz" and the system clock is VCO / 1 or an even
// division up to VCO / 30; "for fastest overclocking, the PLL can be pushed to 350 MHz using
// the VCO / 1 mode". So 100 MHz / 30 is the lowest PLL clock, 200 MHz the highest within the
// design range and 350 MHz the documented ceiling.
constexpr int64_t kLowestClockHz = 3'333'334;
constexpr int64_t kDesignedClockHz = 200'000'000;
constexpr int64_t kHighestClockHz = 350'000'000;

// The HDMI editor's note: picky monitors want the clock within 10 % of 312.5 MHz.
constexpr int64_t kHdmiClockHz = 312'500'000;
constexpr int64_t kHdmiClockTolerance = 31'250'000;

// Pins the common P2 boards wire to something: the boot flash and the SD card socket share
// 58..61 (MISO 58, MOSI 59, CS 60, CLK 61), the two LEDs of the evaluation boards sit on 56/57
// and the serial link to the host on 62/63.
constexpr int kFirstFlashPin = 58;
constexpr int kLastFlashPin = 61;
const QList<int> kLedPins = {56, 57};
const QList<int> kSerialPins = {62, 63};
const QString kSerialHolder = u"Serial"_s;

// A clock, frequency or pin text as the generated program takes it: decimal digits with
// optional underscores and surrounding blanks. No value for anything else.
std::optional<int64_t> NumberFromText(const QString& text) {
  const QString digits = RemoveUnderscores(text.trimmed());
  if (digits.isEmpty() || digits.size() > 15) return std::nullopt;
  for (const QChar c : digits)
    if (c < u'0' || c > u'9') return std::nullopt;
  return digits.toLongLong();
}

std::optional<int> PinFromText(const QString& text) {
  const std::optional<int64_t> number = NumberFromText(text);
  if (!number || *number >= CKyvDoc::kPinCount) return std::nullopt;
  return static_cast<int>(*number);
}

// "312.5 MHz", "160 MHz".
QString MHzText(double hz) {
  QString text = QString::number(hz / 1e6, 'f', 6);
  while (text.endsWith(u'0')) text.chop(1);
  if (text.endsWith(u'.')) text.chop(1);
  return text + u" MHz"_s;
}

// "pin 5", "pins 5 and 6", "pins 5, 6 and 7".
QString PinsText(QList<int> pins) {
  std::sort(pins.begin(), pins.end());
  if (pins.size() == 1) return u"pin %1"_s.arg(pins.front());
  QStringList numbers;
  for (const int pin : pins) numbers.append(QString::number(pin));
  const QString last = numbers.takeLast();
  return u"pins %1 and %2"_s.arg(numbers.join(u", "_s), last);
}

// "A", "A and B", "A, B and C".
QString NamesText(QStringList names) {
  if (names.size() < 2) return names.join(QString());
  const QString last = names.takeLast();
  return u"%1 and %2"_s.arg(names.join(u", "_s), last);
}

QList<int> SortedUnique(QList<int> pins) {
  std::sort(pins.begin(), pins.end());
  pins.erase(std::unique(pins.begin(), pins.end()), pins.end());
  return pins;
}

class CProjectChecker {
 public:
  explicit CProjectChecker(const CKyvDoc& doc) : m_doc(doc) {}

  QList<CFinding> Run() {
    CheckResources();
    if (const std::optional<int64_t> clock = CheckClock()) CheckObjectClocks(*clock);
    CheckScriptTexts();
    CheckPins();
    CheckReferences();
    CheckI2cAddresses();
    CheckMainFile();
    std::stable_sort(
        m_findings.begin(), m_findings.end(),
        [](const CFinding& a, const CFinding& b) { return a.m_nSeverity < b.m_nSeverity; });
    return m_findings;
  }

 private:
  void Add(FindingSeverity severity, const QString& code, const QStringList& objects,
           const QList<int>& pins, const QString& text) {
    m_findings.append({severity, code, objects, SortedUnique(pins), text});
  }
  // A finding about the whole project that the objects add up to.
  void AddAboutProject(FindingSeverity severity, const QString& code, const QStringList& objects,
                       const QString& text) {
    m_findings.append({severity, code, objects, {}, text, true});
  }

  // --- resources -------------------------------------------------------------------------

  void CheckResources() {
    int cogs = 1;  // the main program's
    QStringList cogUsers;
    int64_t hubBytes = kMainProgramHubBytes + (m_doc.m_bMountSd ? kSdCardHubBytes : 0);
    QStringList hubUsers;
    QStringList hubParts;
    QSet<int32_t> countedKinds;
    for (const auto& object : m_doc.m_ObjectList) {
      const CKindInfo* info = FindKind(object->m_nType);
      if (!info) {
        Add(FindingSeverity::Warning, u"object-unknown-kind"_s, {object->m_sName}, {},
            u"%1 has the kind code %2, which Kyv does not know: Generate Code leaves it out. "
            u"Delete it."_s.arg(object->m_sName)
                .arg(object->m_nType));
        continue;
      }
      const CKindNeeds& needs = info->m_needs;
      if (needs.m_nCogsPerObject > 0) {
        cogs += needs.m_nCogsPerObject;
        cogUsers.append(object->m_sName);
      }
      // Objects of one kind share their driver's code and media.
      if (needs.m_nHubBytes > 0 && !countedKinds.contains(object->m_nType)) {
        countedKinds.insert(object->m_nType);
        hubBytes += needs.m_nHubBytes;
        hubUsers.append(object->m_sName);
        hubParts.append(u"%1 %2"_s.arg(info->m_sDisplayName).arg(needs.m_nHubBytes));
      }
      if (!needs.m_bDriverBundled)
        Add(FindingSeverity::Warning, u"driver-not-bundled"_s, {object->m_sName}, {},
            u"Kyv has no %1 driver to bundle, so Generate Code writes nothing for %2 and it "
            u"will do nothing. Delete it, or add a driver of your own to the generated "
            u"program."_s.arg(info->m_sDisplayName, object->m_sName));
    }
    if (cogs > kCogCount)
      AddAboutProject(
          FindingSeverity::Error, u"cogs-exceeded"_s, cogUsers,
          u"The project needs %1 cogs, one for the main program and one for each of %2, but "
          u"the P2 has %3. Delete objects that start a cog."_s.arg(cogs)
              .arg(NamesText(cogUsers))
              .arg(kCogCount));
    if (hubBytes > kHubRamBytes)
      AddAboutProject(
          FindingSeverity::Error, u"hub-ram-exceeded"_s, hubUsers,
          u"The drivers and their pictures and sounds need about %1 bytes of hub RAM (%2, "
          u"main program %3%4), more than the P2's %5 (512 KB). Delete one of the large "
          u"ones."_s.arg(hubBytes)
              .arg(hubParts.join(u", "_s))
              .arg(kMainProgramHubBytes)
              .arg(m_doc.m_bMountSd ? u", SD card %1"_s.arg(kSdCardHubBytes) : QString())
              .arg(kHubRamBytes));
  }

  // --- clock -------------------------------------------------------------------------------

  // The project clock in Hz when it is one the P2 can run at.
  std::optional<int64_t> CheckClock() {
    const std::optional<int64_t> clock = NumberFromText(m_doc.m_sClockFreq);
    if (!clock) {
      Add(FindingSeverity::Error, u"clock-not-a-number"_s, {}, {},
          u"The P2 clock \"%1\" is not a number of Hz. Enter it on the P2 & FlexSpin tab, "
          u"for example 160_000_000."_s.arg(m_doc.m_sClockFreq));
      return std::nullopt;
    }
    if (*clock < kLowestClockHz || *clock > kHighestClockHz) {
      Add(FindingSeverity::Error, u"clock-out-of-range"_s, {}, {},
          u"The P2 clock of %1 is outside what the P2's PLL makes: from %2 (its lowest "
          u"100 MHz VCO divided by 30) up to %3 (overclocked, VCO / 1). Enter a clock in that "
          u"range on the P2 & FlexSpin tab."_s.arg(MHzText(*clock), MHzText(kLowestClockHz),
                                                   MHzText(kHighestClockHz)));
      return std::nullopt;
    }
    if (*clock > kDesignedClockHz)
      Add(FindingSeverity::Note, u"clock-overclocked"_s, {}, {},
          u"The P2 clock of %1 is above the %2 the P2's PLL is designed for. Most chips run "
          u"there; if the program misbehaves, try a lower clock."_s.arg(MHzText(*clock),
                                                                        MHzText(kDesignedClockHz)));
    return clock;
  }

  void CheckObjectClocks(int64_t clock) {
    for (const auto& object : m_doc.m_ObjectList) {
      const CKindInfo* info = FindKind(object->m_nType);
      if (!info) continue;
      const int minimum = info->m_needs.m_nMinClockHz;
      if (clock < minimum) {
        Add(FindingSeverity::Error, u"clock-below-driver-minimum"_s, {object->m_sName}, {},
            u"%1's %2 driver needs a P2 clock of at least %3 and does not start at the "
            u"project's %4. Raise the clock on the P2 & FlexSpin tab."_s.arg(
                object->m_sName, info->m_sDisplayName, MHzText(minimum), MHzText(clock)));
        continue;
      }
      if (object->m_nType == OBJ_SIMPLE_HDMI &&
          std::llabs(clock - kHdmiClockHz) > kHdmiClockTolerance)
        Add(FindingSeverity::Warning, u"clock-hdmi"_s, {object->m_sName}, {},
            u"Picky monitors may require the P2 clock to be set closer to 312.5 MHz for HDMI "
            u"in WVGA resolution (%1); the project's clock is %2."_s.arg(object->m_sName,
                                                                         MHzText(clock)));
      if (object->m_nType == OBJ_NCO) CheckNco(*object, clock);
    }
  }

  // The stored register values against a new search at the present clock.
  void CheckNco(const CCodeObject& object, int64_t clock) {
    const std::optional<int64_t> desired = NumberFromText(object[NcoSlots::DesiredFrequency]);
    if (!desired || *desired < 1) return;  // the editor refuses these; nothing to compare
    if (*desired > clock / 2) {
      Add(FindingSeverity::Warning, u"nco-above-half-clock"_s, {object.m_sName}, {},
          u"%1 asks for %2 Hz, more than half the P2 clock of %3, which the smart pin cannot "
          u"make. Lower its frequency or raise the clock."_s.arg(object.m_sName)
              .arg(*desired)
              .arg(MHzText(clock)));
      return;
    }
    const CNcoSettings expected =
        CalculateNcoSettings(static_cast<int32_t>(clock), static_cast<int32_t>(*desired));
    bool wxRead = false;
    bool wyRead = false;
    const uint32_t wx = object[NcoSlots::WxPin].trimmed().toUInt(&wxRead, 16);
    const uint32_t wy = object[NcoSlots::WyPin].trimmed().toUInt(&wyRead, 16);
    if (wxRead && wyRead && wx == expected.m_nWxPin && wy == expected.m_nWyPin) return;

    QString was =
        u"were not computed for the project's present P2 clock of %1"_s.arg(MHzText(clock));
    if (wxRead && wyRead && wx > 0 && wy > 0) {
      // Output = clock * WYPIN / (WXPIN * 2^32), and the stored result is that output at the
      // clock the values were computed for.
      constexpr double kTurn = 4294967296.0;
      bool resultRead = false;
      const double result = object[NcoSlots::ResultingFrequency].toDouble(&resultRead);
      const double output = clock * (wy / kTurn) / wx;
      const double computedClock = resultRead ? std::round(result * wx * kTurn / wy) : 0.0;
      QString computedFor;
      if (computedClock > 0 && computedClock != static_cast<double>(clock))
        computedFor = u"were computed for a P2 clock of %1, not for the present %2, so they "_s.arg(
            MHzText(computedClock), MHzText(clock));
      else
        computedFor = u"were computed by an older calculation, so at the present %1 they "_s.arg(
            MHzText(clock));
      was = u"%1put out %2 Hz where %3 Hz is asked for (%4 Hz when computed again)"_s.arg(
          computedFor, QString::number(output, 'f', 0), QString::number(*desired),
          QString::number(expected.m_dResultingFrequency, 'f', 0));
    }
    Add(FindingSeverity::Warning, u"nco-stale"_s, {object.m_sName}, {},
        u"%1's WXPIN and WYPIN %2. Open %1 and press OK to compute them again."_s.arg(
            object.m_sName, was));
  }

  // --- pins ----------------------------------------------------------------------------------

  void CheckPins() {
    QMap<int, QStringList> holders;  // pin -> names, "Serial" included
    QMap<QString, int32_t> kinds;
    for (const int pin : kSerialPins) holders[pin].append(kSerialHolder);
    for (const auto& object : m_doc.m_ObjectList) {
      kinds.insert(object->m_sName, object->m_nType);
      const CKindInfo* info = FindKind(object->m_nType);
      if (!info) continue;
      CheckPinTexts(*object, *info);
      for (const QString& problem : StoredNumberProblems(*object))
        Add(FindingSeverity::Error, u"number-out-of-range"_s, {object->m_sName}, {},
            u"%1's %2 Open %1 and correct it."_s.arg(object->m_sName, problem));
      CheckPinBlockRule(*object, *info);
      if (!object->m_bValid)
        Add(FindingSeverity::Warning, u"object-invalid"_s, {object->m_sName}, {},
            u"%1's pins were marked invalid: its settings were not accepted when it was last "
            u"edited. Open it, correct its pins and press OK."_s.arg(object->m_sName));
      for (const int pin : SortedUnique(info->RecordedPins(*object)))
        holders[pin].append(object->m_sName);
    }
    CheckSharedPins(holders, kinds);
    CheckUnclaimedPins(holders);
    const QList<int> sdPins = CheckSdCard(holders);
    CheckBoardPins(sdPins);
    if (const std::optional<CPinTableMismatch> mismatch = FirstPinTableMismatch(m_doc)) {
      QString text = mismatch->m_sText;
      text[0] = text[0].toUpper();
      Add(FindingSeverity::Error, u"pin-table-mismatch"_s, {}, {mismatch->m_nPin},
          u"The project file's pin table does not match its objects: %1. Open the objects on "
          u"that pin and press OK, or delete the ones that are no longer wanted."_s.arg(text));
    }
  }

  // Pins a driver drives without the pin table holding them (the USB error LED): another
  // holder on such a pin fights the driver.
  void CheckUnclaimedPins(const QMap<int, QStringList>& holders) {
    QMap<int, QStringList> drivenBefore;
    for (const CUnclaimedPin& pin : UnclaimedPins(m_doc)) {
      QStringList others = holders.value(pin.m_nPin) + drivenBefore.value(pin.m_nPin);
      others.removeAll(pin.m_sHolder);
      drivenBefore[pin.m_nPin].append(pin.m_sHolder);
      if (others.isEmpty()) continue;
      Add(FindingSeverity::Error, u"pin-shared"_s, QStringList{pin.m_sHolder} + others,
          {pin.m_nPin},
          u"Pin %1 is %2's %3, which its driver drives on the Parallax adapter, and is also used "
          u"by %4. Move %4 to free pins, or set \"Do not use Error LED pin\" in %2."_s.arg(
              QString::number(pin.m_nPin), pin.m_sHolder, pin.m_sRole, NamesText(others)));
    }
  }

  void CheckPinTexts(const CCodeObject& object, const CKindInfo& info) {
    const std::optional<QList<CPinText>> separate = info.m_pPinTexts(object);
    if (separate) {
      for (const CPinText& pinText : *separate)
        if (!PinFromText(pinText.m_sText)) NotAPin(object, pinText);
      return;
    }
    const CPinText base{u"first pin"_s, object[Slot::BasePin]};
    const std::optional<int> first = PinFromText(base.m_sText);
    if (!first) {
      NotAPin(object, base);
      return;
    }
    const int count = object[Slot::PinCount];
    if (count < 1 || *first + count > CKyvDoc::kPinCount)
      Add(FindingSeverity::Error, u"pin-not-a-pin"_s, {object.m_sName}, {},
          u"%1's block of %2 pins from pin %3 does not fit in pins 0 to 63. Open it and choose "
          u"another first pin."_s.arg(object.m_sName)
              .arg(count)
              .arg(*first));
  }

  void NotAPin(const CCodeObject& object, const CPinText& pinText) {
    Add(FindingSeverity::Error, u"pin-not-a-pin"_s, {object.m_sName}, {},
        u"%1's %2 \"%3\" is not a pin number from 0 to 63. Open it and correct it."_s.arg(
            object.m_sName, pinText.m_sLabel, pinText.m_sText));
  }

  // Rules the drivers' start methods enforce on a block's first pin (old files may break them).
  void CheckPinBlockRule(const CCodeObject& object, const CKindInfo& info) {
    int step = info.m_needs.m_nBasePinStep;
    CPinText first{u"first pin"_s, object[Slot::BasePin]};
    if (object.m_nType == OBJ_USB_KBM) {
      // The USB pair's D- pin must be even: on the adapter's block it is the first pin.
      step = 2;
      if (const std::optional<QList<CPinText>> texts = info.m_pPinTexts(object))
        first = texts->constFirst();
    }
    if (step == 0) return;
    const std::optional<int> pin = PinFromText(first.m_sText);
    if (!pin || *pin % step == 0) return;
    Add(FindingSeverity::Error, u"pin-block-rule"_s, {object.m_sName}, {*pin},
        u"%1's %2 is %3, but its driver needs a multiple of %4. Open it and choose another "
        u"pin."_s.arg(object.m_sName, first.m_sLabel)
            .arg(*pin)
            .arg(step));
  }

  void CheckSharedPins(const QMap<int, QStringList>& holders, const QMap<QString, int32_t>& kinds) {
    // Holder lists, joined, to the pins they share.
    QMap<QString, QList<int>> shared;
    QMap<QString, QStringList> sharers;
    for (auto it = holders.cbegin(); it != holders.cend(); ++it) {
      QStringList names = it.value();
      // A camera's editor moves its I2C bus onto the camera's block: those pins are shared
      // on purpose.
      const bool hasCamera = std::any_of(names.cbegin(), names.cend(), [&](const QString& name) {
        return kinds.value(name, -1) == OBJ_CAMERA;
      });
      if (hasCamera)
        names.removeIf([&](const QString& name) { return kinds.value(name, -1) == OBJ_I2C_BUS; });
      if (names.size() < 2) continue;
      const QString key = names.join(u'\n');
      shared[key].append(it.key());
      sharers[key] = names;
    }
    for (auto it = shared.cbegin(); it != shared.cend(); ++it) {
      QStringList objects = sharers[it.key()];
      const QList<int>& pins = it.value();
      // The serial port is no object; an object of that name from an old file still is.
      if (kSerialPins.contains(pins.constFirst())) objects.removeOne(kSerialHolder);
      Add(FindingSeverity::Error, u"pin-shared"_s, objects, pins,
          u"%1 %2 used by %3 at once. Open one of them and move it to free pins."_s.arg(
              PinsText(pins).replace(0, 1, u'P'), pins.size() == 1 ? u"is"_s : u"are"_s,
              NamesText(sharers[it.key()])));
    }
  }

  // The SD card's pins, checked; those that are pin numbers are returned.
  QList<int> CheckSdCard(const QMap<int, QStringList>& holders) {
    if (!m_doc.m_bMountSd) return {};
    const QList<CPinText> texts = {{u"MISO"_s, m_doc.m_sSdMiso},
                                   {u"MOSI"_s, m_doc.m_sSdMosi},
                                   {u"CS"_s, m_doc.m_sSdCs},
                                   {u"CLK"_s, m_doc.m_sSdClk}};
    QList<int> pins;
    QMap<int, QStringList> roles;
    for (const CPinText& text : texts) {
      const std::optional<int> pin = PinFromText(text.m_sText);
      if (!pin) {
        Add(FindingSeverity::Error, u"sd-pin-not-a-pin"_s, {}, {},
            u"The SD card's %1 pin \"%2\" is not a pin number from 0 to 63. Correct it on the "
            u"P2 & FlexSpin tab."_s.arg(text.m_sLabel, text.m_sText));
        continue;
      }
      pins.append(*pin);
      roles[*pin].append(text.m_sLabel);
    }
    for (auto it = roles.cbegin(); it != roles.cend(); ++it)
      if (it.value().size() > 1)
        Add(FindingSeverity::Error, u"sd-pin-shared"_s, {}, {it.key()},
            u"The SD card's %1 pins are all pin %2. Give each its own pin on the P2 & FlexSpin "
            u"tab."_s.arg(NamesText(it.value()))
                .arg(it.key()));
    for (auto it = roles.cbegin(); it != roles.cend(); ++it) {
      const QStringList users = holders.value(it.key());
      if (users.isEmpty()) continue;
      QStringList objects = users;
      if (kSerialPins.contains(it.key())) objects.removeOne(kSerialHolder);
      Add(FindingSeverity::Error, u"sd-pin-shared"_s, objects, {it.key()},
          u"Pin %1 is the SD card's %2 pin and is also used by %3. Move %3 or the SD card to "
          u"other pins."_s.arg(it.key())
              .arg(it.value().join(u'/'), NamesText(users)));
    }
    const QList<int> cardPins = SortedUnique(pins);
    if (cardPins.size() == 4 && cardPins != QList<int>{58, 59, 60, 61})
      Add(FindingSeverity::Note, u"sd-card-pins"_s, {}, cardPins,
          u"The SD card is on %1; the common P2 boards wire their card socket to pins 58 to 61 "
          u"(MISO 58, MOSI 59, CS 60, CLK 61). Check your board."_s.arg(PinsText(cardPins)));
    return cardPins;
  }

  // Objects on the pins the common boards use for the boot flash (the card pins are checked
  // above) and for their LEDs.
  void CheckBoardPins(const QList<int>& sdPins) {
    for (const auto& object : m_doc.m_ObjectList) {
      const CKindInfo* info = FindKind(object->m_nType);
      if (!info) continue;
      QList<int> flashPins;
      QList<int> ledPins;
      for (const int pin : SortedUnique(info->RecordedPins(*object))) {
        if (pin >= kFirstFlashPin && pin <= kLastFlashPin && !sdPins.contains(pin))
          flashPins.append(pin);
        if (kLedPins.contains(pin)) ledPins.append(pin);
      }
      if (!flashPins.isEmpty())
        Add(FindingSeverity::Warning, u"pin-boot-flash"_s, {object->m_sName}, flashPins,
            u"%1 uses %2, which the common P2 boards wire to the boot flash and the SD card "
            u"socket: the board may no longer boot from flash, or the card may fight the "
            u"signal. Move it to other pins unless your board leaves them free."_s.arg(
                object->m_sName, PinsText(flashPins)));
      if (!ledPins.isEmpty())
        Add(FindingSeverity::Note, u"pin-led"_s, {object->m_sName}, ledPins,
            u"%1 uses %2, where the common P2 evaluation boards have LEDs: they light with the "
            u"signal."_s.arg(object->m_sName, PinsText(ledPins)));
    }
  }

  // --- references ------------------------------------------------------------------------

  void CheckReferences() {
    QMap<QString, QStringList> byFoldedName;
    for (const auto& object : m_doc.m_ObjectList) {
      byFoldedName[object->m_sName.toLower()].append(object->m_sName);
      if (object->m_nType == OBJ_RTC) CheckBus(object->m_sName, (*object)[RtcSlots::Bus]);
      if (object->m_nType == OBJ_CAMERA) {
        CheckBus(object->m_sName, (*object)[CameraSlots::Bus]);
        const QString& qvga = (*object)[CameraSlots::QvgaObject];
        if (m_doc.FindObjectType(qvga) != OBJ_SIMPLE_QVGA)
          Add(FindingSeverity::Error, u"qvga-missing"_s, {object->m_sName}, {},
              u"%1 shows its pictures on the Simple QVGA object \"%2\", but the project has no "
              u"Simple QVGA object of that name. Open %1 and choose one (add one first if "
              u"there is none)."_s.arg(object->m_sName, qvga));
      }
      const QString problem = NameFormProblem(object->m_sName);
      if (!problem.isEmpty())
        Add(FindingSeverity::Error, u"name-not-allowed"_s, {object->m_sName}, {}, problem);
    }
    for (const QStringList& names : byFoldedName)
      if (names.size() > 1)
        Add(FindingSeverity::Error, u"name-collision"_s, names, {},
            u"The names %1 differ only in upper and lower case, and Spin2 takes them as one "
            u"name. Rename all but one of them."_s.arg(NamesText(names)));
  }

  void CheckBus(const QString& name, const QString& bus) {
    if (m_doc.FindObjectType(bus) == OBJ_I2C_BUS) return;
    Add(FindingSeverity::Error, u"bus-missing"_s, {name}, {},
        u"%1 talks over the I2C bus \"%2\", but the project has no I2C bus of that name. Open "
        u"%1 and choose one (add an I2C bus first if there is none)."_s.arg(name, bus));
  }

  // --- main file ---------------------------------------------------------------------------

  // A conflict block a merge left in the generated main file: FlexSpin stops at its markers.
  void CheckMainFile() {
    const QString path = m_doc.GetPathName();
    if (path.isEmpty()) return;
    const QString problem = MainFileConflictProblem(m_doc, QFileInfo(path).absolutePath());
    if (!problem.isEmpty()) Add(FindingSeverity::Warning, u"main-file-conflict"_s, {}, {}, problem);
  }

  // --- scripts -----------------------------------------------------------------------------

  void CheckScriptTexts() {
    for (const QString& problem : SettingNumberProblems(m_doc))
      Add(FindingSeverity::Error, u"number-out-of-range"_s, {}, {},
          problem + u" Correct it on the P2 & FlexSpin tab."_s);
    const std::optional<CUnwritableText> unsafe = FindScriptUnsafeText(m_doc);
    if (!unsafe) return;
    QString text = ScriptUnsafeTextDescription(*unsafe) + u" Remove it."_s;
    text[0] = text[0].toUpper();
    Add(FindingSeverity::Error, u"script-unsafe-text"_s, {}, {}, text);
  }

  // --- I2C addresses ---------------------------------------------------------------------

  // Two targets answering at one address on one bus garble each other's replies.
  void CheckI2cAddresses() {
    // bus -> address -> the objects that talk to a target at it, in list order
    QMap<QString, QMap<int, QStringList>> targets;
    for (const auto& object : m_doc.m_ObjectList) {
      if (object->m_nType == OBJ_RTC)
        targets[(*object)[RtcSlots::Bus]][I2cAddress((*object)[RtcSlots::RtcType])].append(
            object->m_sName);
      if (object->m_nType == OBJ_CAMERA)
        targets[(*object)[CameraSlots::Bus]][I2cAddress((*object)[CameraSlots::CameraType])].append(
            object->m_sName);
    }
    for (auto bus = targets.cbegin(); bus != targets.cend(); ++bus)
      for (auto address = bus->cbegin(); address != bus->cend(); ++address) {
        if (address.key() < 0 || address.value().size() < 2) continue;
        Add(FindingSeverity::Error, u"i2c-address-shared"_s, address.value(), {},
            u"%1 talk to targets at the same I2C address $%2 on the bus %3, but only one target "
            u"may answer at an address. Put all but one of them on another I2C bus."_s.arg(
                NamesText(address.value()),
                QString::number(address.key(), 16).toUpper().rightJustified(2, u'0'), bus.key()));
      }
  }

  // The 7-bit address of a target type, from its data sheet; -1 for a type Kyv does not know.
  static int I2cAddress(const QString& type) {
    static const QMap<QString, int> addresses = {
        {u"DS1339"_s, 0x68}, {u"OV2640"_s, 0x30}, {u"OV5640"_s, 0x3C}, {u"OV7675"_s, 0x21}};
    return addresses.value(type, -1);
  }

  const CKyvDoc& m_doc;
  QList<CFinding> m_findings;
};

}  // namespace

QString SeverityName(FindingSeverity severity) {
  switch (severity) {
    case FindingSeverity::Error:
      return u"error"_s;
    case FindingSeverity::Warning:
      return u"warning"_s;
    case FindingSeverity::Note:
      break;
  }
  return u"note"_s;
}

QList<CFinding> CheckProject(const CKyvDoc& doc) { return CProjectChecker(doc).Run(); }

bool HasErrors(const QList<CFinding>& findings) {
  return std::any_of(findings.cbegin(), findings.cend(), [](const CFinding& finding) {
    return finding.m_nSeverity == FindingSeverity::Error;
  });
}
