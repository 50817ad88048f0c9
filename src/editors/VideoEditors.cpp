#include "editors/VideoEditors.h"

#include <cstdlib>

#include "editors/EditorMessages.h"
#include "model/TextConversion.h"

namespace {

constexpr int kDefaultBasePin = 48;
constexpr int kHighestBasePin = 56;
constexpr int kHdmiClockHz = 312500000;
constexpr int kHdmiClockTolerance = 31250000;

const QStringList& VgaRoles() {
  static const QStringList roles = {QStringLiteral("HSync"), QStringLiteral("Blue"),
                                    QStringLiteral("Green"), QStringLiteral("Red"),
                                    QStringLiteral("VSync")};
  return roles;
}

const QStringList& HdmiRoles() {
  static const QStringList roles = {QStringLiteral("HDMI CLK-"), QStringLiteral("HDMI CLK+"),
                                    QStringLiteral("HDMI BLU-"), QStringLiteral("HDMI BLU+"),
                                    QStringLiteral("HDMI GRN-"), QStringLiteral("HDMI GRN+"),
                                    QStringLiteral("HDMI RED-"), QStringLiteral("HDMI RED+")};
  return roles;
}

const CVideoKind& SimpleVgaKind() {
  static const CVideoKind kind{
      OBJ_SIMPLE_VGA, QStringLiteral("Must be a multiple of 4"), 4, 5, VgaRoles(), false};
  return kind;
}

const CVideoKind& SimpleQvgaKind() {
  static const CVideoKind kind{
      OBJ_SIMPLE_QVGA, QStringLiteral("Must be a multiple of 4"), 4, 5, VgaRoles(), false};
  return kind;
}

const CVideoKind& SimpleHdmiKind() {
  static const CVideoKind kind{
      OBJ_SIMPLE_HDMI, QStringLiteral("Must be a multiple of 8"), 8, 8, HdmiRoles(), true};
  return kind;
}

const CVideoKind& Tiled1080pKind() {
  static const CVideoKind kind{
      OBJ_TILED_1080P, QStringLiteral("Must be a multiple of 4"), 4, 5, VgaRoles(), false};
  return kind;
}

}  // namespace

CSimpleVGA::CSimpleVGA() : CVideoEditor(SimpleVgaKind()) {}
CSimpleQvga::CSimpleQvga() : CVideoEditor(SimpleQvgaKind()) {}
CSimpleHDMI::CSimpleHDMI() : CVideoEditor(SimpleHdmiKind()) {}
CObject1080p::CObject1080p() : CVideoEditor(Tiled1080pKind()) {}

QList<CEditorField> CVideoEditor::Fields() {
  return {
      DescriptionField(), NameField(),
      CEditorField::Text(QStringLiteral("Basepin:"),
                         QStringLiteral("first pin of the %1-pin block, 0 to %2, a multiple of %3")
                             .arg(m_kind.m_nPinCount)
                             .arg(kHighestBasePin)
                             .arg(m_kind.m_nBaseStep),
                         &m_sBasePin, m_kind.m_sBasePinHint)
          .StoredIn(VideoSlots::BasePin)};
}

void CVideoEditor::LoadDefaults() {
  m_sBasePin = QString::number(
      ProposedBase(kDefaultBasePin, m_kind.m_nPinCount, m_kind.m_nBaseStep, kHighestBasePin));
}

bool CVideoEditor::DoOK() {
  WriteCommonRecord();

  const int base = TextToInt(m_sBasePin);
  if (PinOutside(base, kHighestBasePin))
    return RejectField(&m_sBasePin, PinOutOfRangeMessage(base, kHighestBasePin));
  if (base % m_kind.m_nBaseStep != 0)
    return RejectField(&m_sBasePin, PinNotMultipleMessage(base, m_kind.m_nBaseStep));
  (*m_pObject)[VideoSlots::PinCount] = m_kind.m_nPinCount;

  QList<CPinRole> pins;
  for (int i = 0; i < m_kind.m_nPinCount; ++i) pins.append({base + i, m_kind.m_roles[i]});
  if (!ClaimBlock(base, pins, &m_sBasePin, m_kind.m_nBaseStep, kHighestBasePin)) return false;

  if (m_kind.m_bClockNote) ShowClockNote();
  return true;
}

void CVideoEditor::ShowClockNote() {
  const long long offset = static_cast<long long>(ClockHz()) - kHdmiClockHz;
  if (std::llabs(offset) <= kHdmiClockTolerance) return;
  Messages().ShowWarning(QStringLiteral("P2 Clock May Need Changing!"),
                         QStringLiteral("Note:  Picky monitors may require P2 clock to be set "
                                        "closer to 312.5 MHz for HDMI in WVGA resolution."));
}
