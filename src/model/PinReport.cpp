#include "model/PinReport.h"

#include "model/CodeObject.h"
#include "model/ObjectType.h"
#include "model/UnclaimedPins.h"

namespace {

// RFC 4180: a field holding a comma, a quote or a line break is quoted, its quotes doubled.
QString CsvField(const QString& text) {
  if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
      !text.contains(u'\n'))
    return text;
  QString quoted = text;
  quoted.replace(u'"', QStringLiteral("\"\""));
  return u'"' + quoted + u'"';
}

// QString::toUtf8 turns a lone surrogate (which a project file may carry) into "?"; the
// report marks it as the replacement character instead, like the HTML page.
QString WithoutLoneSurrogates(const QString& text) {
  QString out = text;
  for (qsizetype i = 0; i < out.size(); ++i) {
    if (out[i].isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate())
      ++i;
    else if (out[i].isSurrogate())
      out[i] = QChar(QChar::ReplacementCharacter);
  }
  return out;
}

// A pin a driver drives without holding it in the pin table: shown as its object's, marked as
// not claimed; a pin another holder has keeps that holder and says so in its note.
void AddUnclaimedPins(const CKyvDoc& doc, QList<CPinReportRow>& rows) {
  for (const CUnclaimedPin& pin : UnclaimedPins(doc)) {
    CPinReportRow& row = rows[pin.m_nPin];
    const QString mark =
        QStringLiteral("%1's %2 (%3)").arg(pin.m_sHolder, pin.m_sRole, NotClaimedText());
    if (row.m_bUsed || row.m_bUnclaimed) {
      row.m_sNote += (row.m_sNote.isEmpty() ? QString() : QStringLiteral("; ")) +
                     QStringLiteral("also ") + mark;
      continue;
    }
    row.m_bUsed = true;
    row.m_bUnclaimed = true;
    row.m_state = PinState::Used;
    row.m_sHolder = pin.m_sHolder;
    row.m_nKind = OBJ_USB_KBM;
    row.m_sKind = KindDisplayName(OBJ_USB_KBM);
    row.m_sRole = pin.m_sRole;
    QString note = NotClaimedText();
    note[0] = note[0].toUpper();
    row.m_sNote = row.m_sNote.isEmpty() ? note : note + QStringLiteral("; ") + row.m_sNote;
  }
}

}  // namespace

QList<CPinReportRow> PinReportRows(const CKyvDoc& doc) {
  QList<CPinReportRow> rows;
  for (int pin = 0; pin < CKyvDoc::kPinCount; ++pin) {
    CPinReportRow row;
    row.m_nPin = pin;
    row.m_bUsed = doc.m_bPinUsed[pin];
    row.m_sHolder = doc.m_sPinUsedBy[pin];
    row.m_sRole = doc.m_sPinUsedFor[pin];
    row.m_sNote = doc.m_sPinNotes[pin];
    if (row.m_bUsed) {
      // No object may be called "Serial", so the text alone names the serial port.
      if (row.m_sHolder == kSerialHolder) {
        row.m_state = PinState::Serial;
        row.m_sKind = kSerialHolder;
      } else {
        row.m_state = PinState::Used;
        if (const CCodeObject* holder = doc.FindObject(row.m_sHolder)) {
          row.m_nKind = holder->m_nType;
          row.m_sKind = KindDisplayName(holder->m_nType);
        }
      }
    } else if (IsBootPin(pin)) {
      row.m_state = PinState::Boot;
    }
    rows.append(row);
  }
  AddUnclaimedPins(doc, rows);
  return rows;
}

QString PinStateName(PinState state) {
  switch (state) {
    case PinState::Free:
      return QStringLiteral("Free");
    case PinState::Used:
      return QStringLiteral("Used");
    case PinState::Serial:
      return QStringLiteral("Serial port");
    case PinState::Boot:
      return QStringLiteral("Boot/flash (58-61)");
  }
  return QString();
}

QString PinDescription(const CPinReportRow& row) {
  QString text = QStringLiteral("P%1: ").arg(row.m_nPin);
  if (!row.m_bUsed)
    text += row.m_state == PinState::Boot ? QStringLiteral("free (boot/flash pin)")
                                          : QStringLiteral("free");
  else if (row.m_sKind.isEmpty() || row.m_sKind == row.m_sHolder)
    text += row.m_sHolder;
  else
    text += QStringLiteral("%1 (%2)").arg(row.m_sHolder, row.m_sKind);
  if (!row.m_sRole.isEmpty()) text += QStringLiteral("\nRole: ") + row.m_sRole;
  if (!row.m_sNote.isEmpty()) text += QStringLiteral("\nNote: ") + row.m_sNote;
  return text;
}

// Lines end in CR LF: RFC 4180 prescribes it, spreadsheets on every system read it, and it is
// the line end of every other text file Kyv writes. A line break inside a note stays as it is,
// within the quotes of its field. The state comes last, so that readers of the first six
// columns keep working; it is what the map and the HTML page show in colour (a free boot pin).
QByteArray PinReportCsv(const CKyvDoc& doc) {
  QString text = QStringLiteral("Pin,Free,Holder,Kind,Role,Note,State\r\n");
  for (const CPinReportRow& row : PinReportRows(doc)) {
    const QStringList fields = {QString::number(row.m_nPin),
                                row.m_bUsed ? QStringLiteral("No") : QStringLiteral("Yes"),
                                CsvField(row.m_sHolder),
                                CsvField(row.m_sKind),
                                CsvField(row.m_sRole),
                                CsvField(row.m_sNote),
                                CsvField(PinStateName(row.m_state))};
    text += fields.join(u',') + QStringLiteral("\r\n");
  }
  return WithoutLoneSurrogates(text).toUtf8();
}
