#include "editors/ObjectCamera.h"

#include "editors/EditorMessages.h"
#include "model/TextConversion.h"

namespace {

constexpr int kHighestBasePin = 48;
constexpr int kBaseStep = 8;
constexpr int kDefaultBasePin = 16;
constexpr int kPinCount = 16;
constexpr int kSdaOffset = 8;
constexpr int kSclOffset = 9;
constexpr int kLowestCaptureClockHz = 260000000;

QString RoleOf(int offset) {
  switch (offset) {
    case 8:
      return QStringLiteral("DVP I2C SDA");
    case 9:
      return QStringLiteral("DVP I2C SCL");
    case 10:
      return QStringLiteral("DVP Power Down");
    case 11:
      return QStringLiteral("DVP HREF");
    case 12:
      return QStringLiteral("DVP VSYNC");
    case 13:
      return QStringLiteral("DVP Reset");
    case 14:
      return QStringLiteral("DVP Pixel Clock (P2 Input)");
    case 15:
      return QStringLiteral("DVP XClock (P2 Output)");
    default:
      return QStringLiteral("DVP Bus");  // the eight data lines
  }
}

}  // namespace

const QStringList& CObjectCamera::CameraTypeItems() {
  static const QStringList items = {QStringLiteral("OV2640"), QStringLiteral("OV5640"),
                                    QStringLiteral("OV7675")};
  return items;
}

QList<CEditorField> CObjectCamera::Fields() {
  return {
      DescriptionField(),
      NameField(),
      CEditorField::Combo(QStringLiteral("QVGA Object:"),
                          QStringLiteral("the Simple QVGA object that shows the picture (its name "
                                         "or index)"),
                          m_qvgaItems, &m_nQvga)
          .StoredIn(CameraSlots::QvgaObject),
      CEditorField::Combo(QStringLiteral("I2C Bus:"),
                          QStringLiteral("the I2C bus object that configures the camera (its name "
                                         "or index); it is moved to basepin+8 and basepin+9"),
                          m_busItems, &m_nBus)
          .StoredIn(CameraSlots::Bus),
      CEditorField::Combo(QStringLiteral("Camera Type:"), QStringLiteral("the camera module"),
                          CameraTypeItems(), &m_nCameraType)
          .StoredIn(CameraSlots::CameraType),
      CEditorField::Text(QStringLiteral("Basepin:"),
                         QStringLiteral("first pin of the 16-pin block, 0 to 48"), &m_sBasePin,
                         QStringLiteral("Must be a multiple of 8"))
          .StoredIn(Slot::BasePin),
      CEditorField::Check(QStringLiteral("Show Camera ID"),
                          QStringLiteral("the program reads and prints the camera's ID"),
                          &m_bShowId)
          .StoredIn(CameraSlots::ShowId),
  };
}

void CObjectCamera::FillLists() {
  m_qvgaItems = NamesOfKind(OBJ_SIMPLE_QVGA);
  m_busItems = NamesOfKind(OBJ_I2C_BUS);
}

void CObjectCamera::LoadDefaults() {
  m_nQvga = m_qvgaItems.isEmpty() ? -1 : 0;
  m_nBus = m_busItems.isEmpty() ? -1 : 0;
  m_nCameraType = 0;
  m_sBasePin =
      QString::number(ProposedBase(kDefaultBasePin, kPinCount, kBaseStep, kHighestBasePin));
  m_bShowId = true;
}

bool CObjectCamera::DoOK() {
  WriteCommonRecord();
  const QString busName = (*m_pObject)[CameraSlots::Bus];

  const int base = TextToInt(m_sBasePin);
  if (PinOutside(base, kHighestBasePin))
    return RejectField(&m_sBasePin, PinOutOfRangeMessage(base, kHighestBasePin));
  if (base % kBaseStep != 0)
    return RejectField(&m_sBasePin, PinNotMultipleMessage(base, kBaseStep));
  (*m_pObject)[Slot::PinCount] = kPinCount;

  // The two bus pins may be held by the chosen bus: it is moved onto them below. Anyone else's
  // pin is a conflict, so the camera never silently takes another object's pins.
  CPinClaim claim(*m_pDoc, m_sName);
  QList<CPinRole> pins;
  QList<int> clashing;
  for (int offset = 0; offset < kPinCount; ++offset) {
    const int pin = base + offset;
    pins.append({pin, RoleOf(offset)});
    if (!claim.IsHeldByOther(pin)) continue;
    const bool busPin = offset == kSdaOffset || offset == kSclOffset;
    if (busPin && !busName.isEmpty() && claim.Holder(pin) == busName) continue;
    clashing.append(pin);
  }
  if (!clashing.isEmpty())
    return RejectField(&m_sBasePin,
                       BlockInUseMessage(base, clashing, kPinCount, kBaseStep, kHighestBasePin));
  claim.Commit(pins);

  MoveBusTo(busName, base);
  ShowClockNote();
  return true;
}

// The bus gives up its pins and names the camera's bus pins; it takes them over from the
// camera the next time its own OK is accepted.
void CObjectCamera::MoveBusTo(const QString& busName, int base) {
  if (busName.isEmpty()) return;
  for (const auto& object : m_pDoc->m_ObjectList) {
    if (object->m_nType != OBJ_I2C_BUS || object->m_sName != busName) continue;
    CPinClaim(*m_pDoc, object->m_sName).ReleaseAll();
    (*object)[I2cBusSlots::SclPin] = QString::number(base + kSclOffset);
    (*object)[I2cBusSlots::SdaPin] = QString::number(base + kSdaOffset);
  }
}

void CObjectCamera::ShowClockNote() {
  if (ClockHz() >= kLowestCaptureClockHz) return;
  Messages().ShowWarning(QStringLiteral("P2 Clock Needs Changing!"),
                         QStringLiteral("Note:  P2 Frequency too low for Camera Capture, please "
                                        "change to minimum of 260 MHz on the P2 & FlexSpin tab."));
}
