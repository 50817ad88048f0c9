#include "model/PinMapLayout.h"
#include "model/PinReport.h"

namespace {

// Every line of the page ends in CR LF, as every other text file Kyv writes.
const QString kEol = QStringLiteral("\r\n");

constexpr PinState kStates[] = {PinState::Free, PinState::Used, PinState::Serial, PinState::Boot};

// The fill of a pin cell; free and used as the I/O Pin View colours them.
QString StateColour(PinState state) {
  switch (state) {
    case PinState::Free:
      return QStringLiteral("#96fa96");
    case PinState::Used:
      return QStringLiteral("#fa9696");
    case PinState::Serial:
      return QStringLiteral("#96c8fa");
    case PinState::Boot:
      return QStringLiteral("#fad278");
  }
  return QString();
}

QString StateClass(PinState state) {
  switch (state) {
    case PinState::Free:
      return QStringLiteral("free");
    case PinState::Used:
      return QStringLiteral("used");
    case PinState::Serial:
      return QStringLiteral("serial");
    case PinState::Boot:
      return QStringLiteral("boot");
  }
  return QString();
}

// Text for XML content and attribute values. Project texts may hold anything a file carried:
// characters XML forbids (controls, lone surrogates, U+FFFE/U+FFFF) become U+FFFD, so the page
// always parses.
QString XmlText(const QString& text) {
  QString out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      out += c;
      out += text[++i];
    } else if (c == u'&') {
      out += QStringLiteral("&amp;");
    } else if (c == u'<') {
      out += QStringLiteral("&lt;");
    } else if (c == u'>') {
      out += QStringLiteral("&gt;");
    } else if (c == u'"') {
      out += QStringLiteral("&quot;");
    } else if ((c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') || c.isSurrogate() ||
               c.unicode() >= 0xfffe) {
      out += QChar(QChar::ReplacementCharacter);
    } else {
      out += c;
    }
  }
  return out;
}

QString Number(qreal value) { return QString::number(value); }

QString RectAttributes(const QRectF& rect) {
  return QStringLiteral("x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"")
      .arg(Number(rect.x()), Number(rect.y()), Number(rect.width()), Number(rect.height()));
}

// A role shown in full in the tooltip but cut to what fits in a cell.
QString CellRole(const QString& role) {
  constexpr qsizetype kFits = 10;
  if (role.size() <= kFits) return role;
  qsizetype cut = kFits - 1;
  if (role[cut - 1].isHighSurrogate()) --cut;
  return role.left(cut) + QChar(0x2026);
}

QString PinCell(const CPinReportRow& row) {
  const QRectF cell = PinMapLayout::CellRect(row.m_nPin);
  QString svg = QStringLiteral("<g id=\"pin%1\">").arg(row.m_nPin) + kEol;
  svg += QStringLiteral("<title>%1</title>").arg(XmlText(PinDescription(row))) + kEol;
  // Boot/flash pins keep a dashed frame when an object uses them.
  svg += QStringLiteral("<rect %1 rx=\"3\" fill=\"%2\" stroke=\"#505050\"%3/>")
             .arg(RectAttributes(cell), StateColour(row.m_state),
                  IsBootPin(row.m_nPin) ? QStringLiteral(" stroke-dasharray=\"4 2\"") : QString()) +
         kEol;
  svg += QStringLiteral("<text x=\"%1\" y=\"%2\" font-weight=\"bold\">%3</text>")
             .arg(Number(cell.x() + 4), Number(cell.y() + 13))
             .arg(row.m_nPin) +
         kEol;
  if (!row.m_sRole.isEmpty())
    svg += QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">%3</text>")
               .arg(Number(cell.center().x()), Number(cell.bottom() - 8),
                    XmlText(CellRole(row.m_sRole))) +
           kEol;
  return svg + QStringLiteral("</g>") + kEol;
}

QString PinMapSvg(const QList<CPinReportRow>& rows) {
  const QSizeF size = PinMapLayout::Size();
  QString svg = QStringLiteral(
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                    "viewBox=\"0 0 %1 %2\" font-family=\"sans-serif\" font-size=\"11\">")
                    .arg(Number(size.width()), Number(size.height())) +
                kEol;
  svg += QStringLiteral("<title>P2 pin map</title>") + kEol;
  for (int group = 0; group < PinMapLayout::kGroupCount; ++group) {
    const int first = group * PinMapLayout::kPinsPerGroup;
    const QString name = PinMapLayout::GroupName(group);
    const QRectF label = PinMapLayout::GroupLabelRect(group);
    svg += QStringLiteral("<g id=\"%1\">").arg(name) + kEol;
    svg += QStringLiteral("<text x=\"%1\" y=\"%2\" font-weight=\"bold\">%3</text>")
               .arg(Number(label.x()), Number(label.center().y() + 4), name) +
           kEol;
    for (int pin = first; pin < first + PinMapLayout::kPinsPerGroup; ++pin)
      svg += PinCell(rows[pin]);
    svg += QStringLiteral("</g>") + kEol;
  }
  for (int entry = 0; entry < PinMapLayout::kLegendEntries; ++entry) {
    const QRectF swatch = PinMapLayout::LegendSwatchRect(entry);
    const QRectF text = PinMapLayout::LegendTextRect(entry);
    svg += QStringLiteral("<rect %1 fill=\"%2\" stroke=\"#505050\"/>")
               .arg(RectAttributes(swatch), StateColour(kStates[entry])) +
           kEol;
    svg += QStringLiteral("<text x=\"%1\" y=\"%2\">%3</text>")
               .arg(Number(text.x()), Number(text.bottom() - 4),
                    XmlText(PinStateName(kStates[entry]))) +
           kEol;
  }
  return svg + QStringLiteral("</svg>") + kEol;
}

QString PinTable(const QList<CPinReportRow>& rows) {
  QString html = QStringLiteral("<table>") + kEol;
  html += QStringLiteral(
              "<thead><tr><th>Pin</th><th>Free</th><th>Holder</th><th>Kind</th><th>Role</th>"
              "<th>Note</th></tr></thead>") +
          kEol + QStringLiteral("<tbody>") + kEol;
  for (const CPinReportRow& row : rows) {
    html += QStringLiteral("<tr class=\"%1\"><td>%2</td><td>%3</td>")
                .arg(StateClass(row.m_state))
                .arg(row.m_nPin)
                .arg(row.m_bUsed ? QStringLiteral("No") : QStringLiteral("Yes"));
    for (const QString* text : {&row.m_sHolder, &row.m_sKind, &row.m_sRole, &row.m_sNote})
      html += QStringLiteral("<td>%1</td>").arg(XmlText(*text));
    html += QStringLiteral("</tr>") + kEol;
  }
  return html + QStringLiteral("</tbody>") + kEol + QStringLiteral("</table>") + kEol;
}

QString StyleSheet() {
  QString css = QStringLiteral(
      "body { font-family: sans-serif; margin: 1em; }\r\n"
      "table { border-collapse: collapse; margin-top: 1em; }\r\n"
      "th, td { border: 1px solid #8c8c8c; padding: 2px 6px; text-align: left;"
      " vertical-align: top; white-space: pre-wrap; }\r\n"
      "th { background: #e0e0e0; }\r\n");
  for (PinState state : kStates)
    css += QStringLiteral("tr.%1 td:nth-child(2) { background: %2; }")
               .arg(StateClass(state), StateColour(state)) +
           kEol;
  return css;
}

}  // namespace

QByteArray PinReportHtml(const CKyvDoc& doc) {
  const QList<CPinReportRow> rows = PinReportRows(doc);
  const QString title = XmlText(QStringLiteral("Pin report: ") + doc.GetTitle());
  QString html = QStringLiteral("<!DOCTYPE html>") + kEol;
  html += QStringLiteral("<html xmlns=\"http://www.w3.org/1999/xhtml\" lang=\"en\">") + kEol;
  html += QStringLiteral("<head>") + kEol;
  html += QStringLiteral("<meta charset=\"utf-8\"/>") + kEol;
  html += QStringLiteral("<meta name=\"generator\" content=\"Kyv\"/>") + kEol;
  html += QStringLiteral("<title>%1</title>").arg(title) + kEol;
  html += QStringLiteral("<style>") + kEol + StyleSheet() + QStringLiteral("</style>") + kEol;
  html += QStringLiteral("</head>") + kEol + QStringLiteral("<body>") + kEol;
  html += QStringLiteral("<h1>%1</h1>").arg(title) + kEol;
  html += PinMapSvg(rows);
  html += PinTable(rows);
  html += QStringLiteral("</body>") + kEol + QStringLiteral("</html>") + kEol;
  return html.toUtf8();
}
