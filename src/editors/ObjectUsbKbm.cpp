#include "editors/ObjectUsbKbm.h"

#include <array>

#include "editors/EditorMessages.h"
#include "model/TextConversion.h"

namespace {

constexpr int kHighestAdapterBase = 56;
constexpr int kHighestPin = 63;
constexpr int kHighestDmPin = 62;
constexpr int kAdapterPins = 8;
constexpr int kDefaultAdapterBase = 8;

const QString kMouseLimits = QStringLiteral("Mouse Limits");
const QString kMouseStart = QStringLiteral("Mouse Initial Position");
const QString kAdapterGroup = QStringLiteral("Parallax Adapter Options");
const QString kCustomGroup = QStringLiteral("Custom Configuration Options");

const std::array<QString, kAdapterPins>& AdapterRoles() {
  static const std::array<QString, kAdapterPins> roles = {
      QStringLiteral("Parallax USB Upper Activity"), QStringLiteral("Parallax USB Upper Enable"),
      QStringLiteral("Parallax USB Upper Data-"),    QStringLiteral("Parallax USB Upper Data+"),
      QStringLiteral("Parallax USB Lower Activity"), QStringLiteral("Parallax USB Lower Enable"),
      QStringLiteral("Parallax USB Lower Data-"),    QStringLiteral("Parallax USB Lower Data+")};
  return roles;
}

// Whether the text begins with a decimal integer: white space, an optional sign, a digit (the
// white space TextToInt skips).
bool BeginsWithInteger(const QString& text) {
  const auto isSpace = [](QChar c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); };
  qsizetype i = 0;
  while (i < text.size() && isSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
  return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}

// A field inside a group box whose label ("X:") repeats in another group: the key carries the
// group caption (mouseLimitsX).
CEditorField GroupedText(const QString& group, const QString& label, const QString& help,
                         QString* member) {
  CEditorField field = CEditorField::Text(label, help, member).InGroup(group);
  field.m_sKey = CEditorField::KeyFromLabel(group + u' ' + label);
  return field;
}

}  // namespace

const QStringList& CObjectUsbKbm::ConfigurationItems() {
  static const QStringList items = {QStringLiteral("Using Parallax Adapter:"),
                                    QStringLiteral("Custom Configuration:")};
  return items;
}

const QStringList& CObjectUsbKbm::PortItems() {
  static const QStringList items = {QStringLiteral("Top Port"), QStringLiteral("Bottom Port")};
  return items;
}

QList<CEditorField> CObjectUsbKbm::Fields() {
  // The two configuration radios each head their own group box.
  CEditorField adapter = CEditorField::RadioGroup(
      QString(), QStringLiteral("0 the Parallax USB adapter, 1 custom pins"), ConfigurationItems(),
      &m_nConfiguration);
  adapter.m_sKey = QStringLiteral("configuration");
  adapter.m_nRadioButton = 0;
  CEditorField custom = adapter;
  custom.m_nRadioButton = 1;
  // The group is kept once, through the field that sets it.
  adapter = adapter.StoredIn(UsbKbmSlots::Configuration);

  CEditorField port = CEditorField::RadioGroup(
      QString(), QStringLiteral("adapter port the driver uses"), PortItems(), &m_nPort);
  port.m_sKey = QStringLiteral("port");
  port.m_sGroup = kAdapterGroup;
  port = port.StoredIn(UsbKbmSlots::Port);

  return {
      DescriptionField(),
      NameField(),
      adapter,
      CEditorField::Text(QStringLiteral("Basepin:"),
                         QStringLiteral("adapter's first pin of 8, even, 0 to 56"), &m_sBasePin,
                         QStringLiteral("Probably a multiple of 8. Must be an even number."))
          .InGroup(kAdapterGroup)
          .StoredIn(UsbKbmSlots::AdapterBasePin),
      port,
      CEditorField::NoteText(
          QStringLiteral("Note: Error LED will be pin 56 for top port and 57 for bottom port"))
          .InGroup(kAdapterGroup),
      custom,
      CEditorField::Text(QStringLiteral("DM Pin:"),
                         QStringLiteral("custom: USB data pin (and the next), even, 0 to 62"),
                         &m_sDmPin,
                         QStringLiteral("USB data on this pin and this pin+1.  Must be even."))
          .InGroup(kCustomGroup)
          .StoredIn(UsbKbmSlots::DmPin),
      CEditorField::Text(QStringLiteral("Activity LED Pin:"),
                         QStringLiteral("custom: activity LED pin, 0 to 63"), &m_sActivityLedPin,
                         QStringLiteral("Pin for Activity LED and Smart Pin mailbox.  Any Pin#."))
          .InGroup(kCustomGroup)
          .StoredIn(UsbKbmSlots::ActivityLedPin),
      CEditorField::Text(QStringLiteral("Error LED Pin:"),
                         QStringLiteral("custom: error LED pin, 0 to 63"), &m_sErrorLedPin,
                         QStringLiteral("Pin for error status LED. Any Pin#."))
          .InGroup(kCustomGroup)
          .StoredIn(UsbKbmSlots::ErrorLedPin),
      CEditorField::Check(QStringLiteral("Use USB Power Enable Pin"),
                          QStringLiteral("custom: drive a USB power enable pin"), &m_bUsePowerPin)
          .InGroup(kCustomGroup)
          .StoredIn(UsbKbmSlots::UsePowerPin),
      CEditorField::Text(QStringLiteral("Power Enable Pin:"),
                         QStringLiteral("custom: USB power enable pin, 0 to 63"), &m_sPowerPin,
                         QStringLiteral("Pin to enable USB power (not always required). Any Pin#"))
          .InGroup(kCustomGroup)
          .StoredIn(UsbKbmSlots::PowerPin),
      GroupedText(kMouseLimits, QStringLiteral("X:"), QStringLiteral("mouse limit X, an integer"),
                  &m_sLimitX)
          .StoredIn(UsbKbmSlots::LimitX),
      GroupedText(kMouseLimits, QStringLiteral("Y:"), QStringLiteral("mouse limit Y, an integer"),
                  &m_sLimitY)
          .StoredIn(UsbKbmSlots::LimitY),
      GroupedText(kMouseStart, QStringLiteral("X:"),
                  QStringLiteral("initial mouse position X, an integer"), &m_sStartX)
          .StoredIn(UsbKbmSlots::StartX),
      GroupedText(kMouseStart, QStringLiteral("Y:"),
                  QStringLiteral("initial mouse position Y, an integer"), &m_sStartY)
          .StoredIn(UsbKbmSlots::StartY),
      CEditorField::Check(QStringLiteral("Output mouse position"),
                          QStringLiteral("the program prints mouse positions"), &m_bOutputMouse)
          .StoredIn(UsbKbmSlots::OutputMouse),
      CEditorField::Check(QStringLiteral("Output keyboard input"),
                          QStringLiteral("the program prints keyboard input"), &m_bOutputKeyboard)
          .StoredIn(UsbKbmSlots::OutputKeyboard),
      CEditorField::Check(QStringLiteral("Do not use Error LED pin"),
                          QStringLiteral("use the driver variant without an error LED"),
                          &m_bNoErrorLed)
          .StoredIn(UsbKbmSlots::NoErrorLed),
  };
}

void CObjectUsbKbm::LoadDefaults() {
  m_nConfiguration = kParallaxAdapter;
  // Proposed on a multiple of 8, where the adapter usually sits.
  m_sBasePin = QString::number(
      ProposedBase(kDefaultAdapterBase, kAdapterPins, kAdapterPins, kHighestAdapterBase));
  m_nPort = 0;
  m_sDmPin = QStringLiteral("10");
  m_sActivityLedPin = QStringLiteral("8");
  m_sErrorLedPin = QStringLiteral("57");
  m_bUsePowerPin = true;
  m_sPowerPin = QStringLiteral("9");
  m_sLimitX = QStringLiteral("640");
  m_sLimitY = QStringLiteral("480");
  m_sStartX = QStringLiteral("100");
  m_sStartY = QStringLiteral("100");
  m_bOutputMouse = true;
  m_bOutputKeyboard = true;
  m_bNoErrorLed = false;
}

bool CObjectUsbKbm::CheckControls() {
  for (const QString* text : {&m_sLimitX, &m_sLimitY, &m_sStartX, &m_sStartY}) {
    if (!BeginsWithInteger(*text)) {
      Messages().ShowPlain(QStringLiteral("Enter an integer."));
      m_sFocusKey = KeyOf(text);
      return false;
    }
  }
  return true;
}

QList<const QString*> CObjectUsbKbm::PinTexts() {
  if (m_nConfiguration == kParallaxAdapter) return {&m_sBasePin};
  QList<const QString*> texts = {&m_sActivityLedPin, &m_sErrorLedPin, &m_sDmPin};
  if (m_bUsePowerPin) texts.append(&m_sPowerPin);
  return texts;
}

bool CObjectUsbKbm::DoOK() {
  WriteCommonRecord();
  return m_nConfiguration == kParallaxAdapter ? ClaimParallaxAdapter() : ClaimCustomPins();
}

bool CObjectUsbKbm::ClaimParallaxAdapter() {
  (*m_pObject)[UsbKbmSlots::AdapterPinCount] = kAdapterPins;
  const int base = TextToInt(m_sBasePin);
  if (PinOutside(base, kHighestAdapterBase))
    return RejectField(&m_sBasePin, PinOutOfRangeMessage(base, kHighestAdapterBase));
  if (base % 2 != 0) return RejectField(&m_sBasePin, PinNotMultipleMessage(base, 2));
  if (base % 8 != 0)
    Messages().ShowWarning(
        QStringLiteral("Warning"),
        QStringLiteral("Pin %1 is not a multiple of 8, which is usually the case.").arg(base));
  QList<CPinRole> pins;
  for (int i = 0; i < kAdapterPins; ++i) pins.append({base + i, AdapterRoles()[i]});
  return ClaimBlock(base, pins, &m_sBasePin, kAdapterPins, kHighestAdapterBase);
}

bool CObjectUsbKbm::ClaimCustomPins() {
  CPinClaim claim(*m_pDoc, m_sName);
  // Range, then in-use, pin by pin in the order the dialog's checks run.
  const auto check = [&](const QString* text, int pin, int highest, MessageStyle rangeStyle) {
    if (PinOutside(pin, highest))
      return RejectField(text, PinOutOfRangeMessage(pin, highest), rangeStyle);
    if (claim.IsHeldByOther(pin)) return RejectField(text, claim.InUseMessage(pin));
    return true;
  };

  const int activity = TextToInt(m_sActivityLedPin);
  if (!check(&m_sActivityLedPin, activity, kHighestPin, MessageStyle::Plain)) return false;
  const int error = TextToInt(m_sErrorLedPin);
  if (!check(&m_sErrorLedPin, error, kHighestPin, MessageStyle::Plain)) return false;

  const int dm = TextToInt(m_sDmPin);
  if (PinOutside(dm, kHighestDmPin))
    return RejectField(&m_sDmPin, PinOutOfRangeMessage(dm, kHighestDmPin), MessageStyle::Plain);
  if (dm % 2 != 0) return RejectField(&m_sDmPin, PinNotMultipleMessage(dm, 2));
  if (claim.IsHeldByOther(dm)) return RejectField(&m_sDmPin, claim.InUseMessage(dm));
  if (claim.IsHeldByOther(dm + 1)) return RejectField(&m_sDmPin, claim.InUseMessage(dm + 1));

  const int power = TextToInt(m_sPowerPin);
  if (m_bUsePowerPin && !check(&m_sPowerPin, power, kHighestPin, MessageStyle::Plain)) return false;

  QList<CPinRole> pins = {{dm, QStringLiteral("Custom USB Data-")},
                          {dm + 1, QStringLiteral("Custom USB Data+")},
                          {error, QStringLiteral("Custom USB Error LED")},
                          {activity, QStringLiteral("Custom USB Activity LED")}};
  if (m_bUsePowerPin) pins.append({power, QStringLiteral("Custom USB Power Enable")});
  claim.Commit(pins);
  return true;
}
