#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <cstdint>

#include "model/KyvDoc.h"

// How a pin is shown in the pin map.
enum class PinState {
  Free,    // not held
  Used,    // held by an object (or by a holder no object answers to)
  Serial,  // held by the serial port that programs the P2 (pins 62 and 63 in a new project)
  Boot,    // not held, but one of the pins the P2 boots from flash or SD card with (58-61)
};

// One line of the pin report: the pin table's entry and what it tells about its holder.
struct CPinReportRow {
  int m_nPin = 0;
  bool m_bUsed = false;
  PinState m_state = PinState::Free;
  QString m_sHolder;
  QString m_sKind;       // the holder's kind name, "Serial", or "" when unknown or free
  int32_t m_nKind = -1;  // the holder object's kind code; -1 when the holder is no object
  QString m_sRole;
  QString m_sNote;
  // The holder's driver drives the pin, but the pin table does not hold it (UnclaimedPins).
  bool m_bUnclaimed = false;
};

// The pins the P2's boot ROM reads flash or an SD card from.
inline constexpr int kFirstBootPin = 58;
inline constexpr int kLastBootPin = 61;
inline bool IsBootPin(int pin) { return pin >= kFirstBootPin && pin <= kLastBootPin; }
// The holder text of the pins the serial port holds.
inline const QString kSerialHolder = QStringLiteral("Serial");

// The 64 pins in pin order, with the pins drivers drive without holding them (UnclaimedPins).
QList<CPinReportRow> PinReportRows(const CKyvDoc& doc);

// The short name of a state, as the legend of the map and the report show it.
QString PinStateName(PinState state);
// What the map shows when the pointer rests on a pin: the pin and its holder and kind, then
// the role and the note on lines of their own when the pin has them.
QString PinDescription(const CPinReportRow& row);

// The report as CSV: a header line, then one line per pin with the fields pin, free, holder,
// kind, role, note and state (as the map's legend names it). UTF-8 without a byte-order mark.
QByteArray PinReportCsv(const CKyvDoc& doc);

// The report as one self-contained HTML page (no scripts, no files it refers to): the pin map
// as inline SVG, then the table. The page is well-formed XML as well, so that XML tools read it.
QByteArray PinReportHtml(const CKyvDoc& doc);
