#include "app/ProblemsModel.h"

#include <algorithm>

#include "app/FindingIcons.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// "Error", "Warning", "Note".
QString SeverityWord(FindingSeverity severity) {
  QString word = SeverityName(severity);
  word.front() = word.front().toUpper();
  return word;
}

QString ObjectText(const CFinding& finding) {
  // A finding about the whole project stays one line; its objects are in the tooltip.
  if (!finding.m_objects.isEmpty() && !finding.m_bAboutProject)
    return finding.m_objects.join(u", "_s);
  return IsAboutSettings(finding) ? u"Settings"_s : u"Project"_s;
}

QString ToolTip(const CFinding& finding) {
  QString tip = finding.m_sText;
  if (!finding.m_pins.isEmpty()) {
    QStringList pins;
    for (const int pin : finding.m_pins) pins.append(QString::number(pin));
    tip += (finding.m_pins.size() == 1 ? u"\nPin: "_s : u"\nPins: "_s) + pins.join(u", "_s);
  }
  if (finding.m_bAboutProject && !finding.m_objects.isEmpty())
    tip += u"\nObjects: "_s + finding.m_objects.join(u", "_s);
  return tip;
}

}  // namespace

bool IsAboutSettings(const CFinding& finding) {
  return finding.m_sCode.startsWith(u"clock-"_s) || finding.m_sCode.startsWith(u"sd-"_s);
}

CProblemsModel::CProblemsModel(const CKyvDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc), m_findings(CheckProject(doc)) {}

int CProblemsModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_findings.size());
}

int CProblemsModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant CProblemsModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= m_findings.size()) return {};
  const CFinding& finding = m_findings[index.row()];
  if (role == Qt::ToolTipRole) return ToolTip(finding);
  switch (index.column()) {
    case kSeverityColumn:
      if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return SeverityWord(finding.m_nSeverity);
      if (role == Qt::DecorationRole) return FindingIcon(finding.m_nSeverity);
      return {};
    case kTextColumn:
      return role == Qt::DisplayRole ? QVariant(finding.m_sText) : QVariant();
    case kObjectColumn:
      return role == Qt::DisplayRole ? QVariant(ObjectText(finding)) : QVariant();
    default:
      return {};
  }
}

QVariant CProblemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kSeverityColumn:
      return u"Severity"_s;
    case kTextColumn:
      return u"Problem"_s;
    case kObjectColumn:
      return u"Object"_s;
    default:
      return {};
  }
}

void CProblemsModel::Refresh() {
  QList<CFinding> findings = CheckProject(m_doc);
  if (findings == m_findings) return;
  beginResetModel();
  m_findings = std::move(findings);
  endResetModel();
}

int CProblemsModel::Count(FindingSeverity severity) const {
  return static_cast<int>(std::count_if(
      m_findings.cbegin(), m_findings.cend(),
      [severity](const CFinding& finding) { return finding.m_nSeverity == severity; }));
}
