#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <variant>

#include "model/ObjectType.h"
#include "model/RecordSlot.h"

class CCodeObject;

// One named value of a kind's record, for the description of its slots.
struct CSlotInfo {
  QString m_sName;
  std::variant<CTextSlot, CIntSlot, CFlagSlot> m_slot;
};

// A kind that must already be in the project before this one can be added, and the message
// shown when it is missing.
struct CKindPrerequisite {
  ObjectType m_nKind;
  QString m_sMissingMessage;
};

// A bundled driver or media file that a kind's objects need in the project folder.
struct CKindDriverFile {
  uint16_t m_nResource;  // resource number, as the driver table lists it
  QString m_sFileName;   // name in resources/drivers/ and in the project folder
  int m_nOrder;          // write order among the kind's files
  // Written only when the record sets this flag; always when empty.
  std::optional<CFlagSlot> m_onlyWhen;
};

// A pin a record names in a text of its own, with the name its editor gives that text.
struct CPinText {
  QString m_sLabel;  // "SDA pin"
  QString m_sText;
  int m_nWidth = 1;  // pins taken from that number up: the USB D- pin names the pair
};

// The picker's button of a kind and where it stands (row and column counted from 0).
struct CPickerPlace {
  QString m_sText;
  QString m_sTooltip;
  int m_nRow;
  int m_nColumn;
};

// What a kind's objects take from the chip and need from its clock. The hub figures were
// measured with FlexSpin from the bundled drivers by scripts/measure_driver_sizes.sh (each
// kind's driver test program at -O1, less the empty program and the serial terminal); the
// cogs, clock minimums and pin-block steps are those the drivers' headers give and their
// start methods enforce.
struct CKindNeeds {
  int m_nCogsPerObject = 0;  // cogs each object's driver starts
  int m_nHubBytes = 0;       // driver code and media, once per project however many objects
  int m_nMinClockHz = 0;     // the driver refuses to start below this clock; 0: no minimum
  int m_nBasePinStep = 0;    // a pin block's first pin is a multiple of this; 0: no rule
  // False for a kind that needs a driver Kyv does not bundle: Generate Code writes nothing
  // for its objects.
  bool m_bDriverBundled = true;
};

// Everything Kyv knows about an object kind that is not the logic of its editor or the text of
// its generated blocks.
struct CKindInfo {
  ObjectType m_nKind;
  QString m_sDisplayName;  // "Simple VGA"
  QStringList m_aliases;   // kyv-cli names, the first one listed in help texts
  QString m_sIconName;     // resources/icons/<name>.svg
  CPickerPlace m_picker;
  QList<CKindPrerequisite> m_prerequisites;
  // The generated program gives the kind fixed names, so a project holds one object of it.
  bool m_bSingleInstance = false;
  QString m_sEditorTitle;        // the editor dialog's title
  QString m_sDefaultNameFormat;  // "SimpleVGA%d": %d is the kind's counter + 1
  QString m_sDescription;        // the read-only text at the top of the editor
  QList<CKindDriverFile> m_driverFiles;
  QList<CSlotInfo> m_slots;
  // The record's pin texts; no value when its pins are the block of base pin and pin count.
  std::optional<QList<CPinText>> (*m_pPinTexts)(const CCodeObject& object);
  CKindNeeds m_needs;

  // The pins the record names; numbers outside 0..63 are left out.
  QList<int> RecordedPins(const CCodeObject& object) const;
};

// Every kind, in kind-code order.
const QList<CKindInfo>& KindRegistry();
// The kind of a code; nullptr for a code that names no kind.
const CKindInfo* FindKind(int32_t kind);
// The kind a kyv-cli name stands for, letter case ignored; nullptr for none.
const CKindInfo* FindKindByAlias(const QString& alias);
