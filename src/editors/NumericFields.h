#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <variant>

#include "model/RecordSlot.h"

class CCodeObject;
class CKyvDoc;

// A record slot holding a number the generated program uses, with the range its driver or the
// P2 documents. Text slots are copied into the main file as they stand, so they must hold
// nothing but the number; number slots are written in decimal and must be within range.
struct CNumericField {
  int32_t m_nKind = 0;
  QString m_sLabel;  // as the editor shows it
  std::variant<CTextSlot, CIntSlot> m_slot;
  int64_t m_nMin = 0;
  int64_t m_nMax = 0;
  int m_nBase = 10;  // 16: hexadecimal digits, as the registers go behind "$"
};

// Every kind's numeric slots. Pins have checks of their own (pin texts, pin blocks).
const QList<CNumericField>& NumericFields();

// "" when the text is a whole number within the field's range: decimal (an optional "-", then
// digits) or hexadecimal digits, underscores allowed between digits, blanks around ignored.
// Else what is wrong, naming the field and the text:
// "Speed (kHz) "1 + pinread(3)" is not a whole number from 1 to 1000."
QString NumberTextProblem(const CNumericField& field, const QString& text);
// The same for a value already converted.
QString NumberValueProblem(const CNumericField& field, int64_t value);

// What is wrong with the numbers a record holds, in table order; empty when nothing is.
QStringList StoredNumberProblems(const CCodeObject& record);

// The same for the project settings the main file takes as numbers: the terminal baud, which
// goes into ser.start() and _setbaud() when "-b Specify terminal baud" is set.
QStringList SettingNumberProblems(const CKyvDoc& doc);
