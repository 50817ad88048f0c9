#include "editors/I2CScanner.h"

#include "editors/EditorMessages.h"
#include "model/TextConversion.h"

namespace {
constexpr int kHighestPin = 63;
constexpr int kDefaultSclPin = 56;
}  // namespace

const QStringList& CI2CScanner::PullupItems() {
  static const QStringList items = {QStringLiteral("None"), QStringLiteral("1.5 kOhm"),
                                    QStringLiteral("3.3 kOhm"), QStringLiteral("15 kOhm")};
  return items;
}

const QStringList& CI2CScanner::SpeedItems() {
  static const QStringList items = {QStringLiteral("100"), QStringLiteral("400"),
                                    QStringLiteral("1000")};
  return items;
}

QList<CEditorField> CI2CScanner::Fields() {
  return {
      DescriptionField(),
      NameField(),
      CEditorField::Text(QStringLiteral("SCL Pin:"), QStringLiteral("clock pin, 0 to 63"), &m_sScl)
          .StoredIn(I2cBusSlots::SclPin),
      CEditorField::Text(QStringLiteral("SDA Pin:"), QStringLiteral("data pin, 0 to 63"), &m_sSda)
          .StoredIn(I2cBusSlots::SdaPin),
      CEditorField::RadioGroup(QStringLiteral("Internal Pullups"),
                               QStringLiteral("internal pull-up resistor on both pins"),
                               PullupItems(), &m_nPullup)
          .StoredIn(I2cBusSlots::Pullup),
      CEditorField::EditableCombo(QStringLiteral("Speed (kHz):"),
                                  QStringLiteral("bus speed in kHz; any other value may be typed"),
                                  SpeedItems(), &m_sSpeed)
          .StoredIn(I2cBusSlots::SpeedKHz),
      CEditorField::Check(QStringLiteral("Scan the I2C bus for devices and display result"),
                          QStringLiteral("the program scans the bus and prints what answers"),
                          &m_bScan)
          .StoredIn(I2cBusSlots::Scan),
  };
}

void CI2CScanner::LoadDefaults() {
  // SDA stays next to SCL, as on the usual accessory boards.
  const int scl = ProposedBase(kDefaultSclPin, 2, 1, kHighestPin - 1);
  m_sScl = QString::number(scl);
  m_sSda = QString::number(scl + 1);
  m_sSpeed = QStringLiteral("100");
  m_nPullup = 0;
  m_bScan = true;
}

bool CI2CScanner::DoOK() {
  WriteCommonRecord();
  // The bus keeps its pins in SclPin and SdaPin; its base pin is always 0.
  (*m_pObject)[Slot::BasePin] = QStringLiteral("0");

  // A camera carries its bus on two pins of its own block, so its pins may be taken over.
  const CKyvDoc& doc = *m_pDoc;
  const auto heldByCamera = [&doc](const QString& holder) {
    return doc.FindObjectType(holder) == OBJ_CAMERA;
  };
  CPinClaim claim(*m_pDoc, m_sName);

  const int scl = TextToInt(m_sScl);
  if (PinOutside(scl, kHighestPin))
    return RejectField(&m_sScl, PinOutOfRangeMessage(scl, kHighestPin));
  if (claim.FirstConflict({scl}, heldByCamera))
    return RejectField(&m_sScl, claim.InUseMessage(scl));

  const int sda = TextToInt(m_sSda);
  if (PinOutside(sda, kHighestPin))
    return RejectField(&m_sSda, PinOutOfRangeMessage(sda, kHighestPin), MessageStyle::Plain);
  if (claim.FirstConflict({sda}, heldByCamera))
    return RejectField(&m_sSda, claim.InUseMessage(sda));

  claim.Commit({{scl, QStringLiteral("SCL")}, {sda, QStringLiteral("SDA")}});
  return true;
}
