#include "app/ObjectListModel.h"

#include <QGuiApplication>

#include "app/FindingIcons.h"
#include "app/KindIcons.h"
#include "model/PinRanges.h"

namespace {

FindingSeverity WorstSeverity(const QList<CFinding>& findings) {
  FindingSeverity worst = FindingSeverity::Note;
  for (const CFinding& finding : findings) worst = std::min(worst, finding.m_nSeverity);
  return worst;
}

// One line per finding, as kyv-cli check prints them.
QString FindingLines(const QList<CFinding>& findings) {
  QStringList lines;
  for (const CFinding& finding : findings)
    lines.append(SeverityName(finding.m_nSeverity) + QStringLiteral(": ") + finding.m_sText);
  return lines.join(u'\n');
}

}  // namespace

CObjectListModel::CObjectListModel(const CKyvDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc) {
  m_nShownRows = rowCount();
}

int CObjectListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_doc.m_ObjectList.size());
}

int CObjectListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

CCodeObject* CObjectListModel::ObjectAt(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  const auto row = static_cast<size_t>(index.row());
  return row < m_doc.m_ObjectList.size() ? m_doc.m_ObjectList[row].get() : nullptr;
}

QModelIndex CObjectListModel::IndexOf(const CCodeObject* object) const {
  for (size_t row = 0; row < m_doc.m_ObjectList.size(); ++row)
    if (m_doc.m_ObjectList[row].get() == object) return index(static_cast<int>(row), kNameColumn);
  return {};
}

QVariant CObjectListModel::data(const QModelIndex& index, int role) const {
  const CCodeObject* object = ObjectAt(index);
  if (!object) return {};
  const QList<CFinding> findings = m_findings.value(object->m_sName);
  if (role == kWorstSeverityRole)
    return findings.isEmpty() ? QVariant() : QVariant(static_cast<int>(WorstSeverity(findings)));
  switch (index.column()) {
    case kNameColumn:
      if (role == Qt::ForegroundRole || role == Qt::ToolTipRole)
        return FindingsData(findings, role);
      return NameData(*object, role);
    case kKindColumn:
      return role == Qt::DisplayRole ? object->GetKindName() : QVariant();
    case kPinsColumn:
      return role == Qt::DisplayRole ? CompressedPins(PinsHeldBy(m_doc, object->m_sName))
                                     : QVariant();
    case kFindingsColumn:
      return FindingsData(findings, role);
    default:
      return {};
  }
}

QVariant CObjectListModel::NameData(const CCodeObject& object, int role) const {
  if (role == Qt::DisplayRole) return object.m_sName;
  if (role == Qt::DecorationRole && object.m_nType >= 0 && object.m_nType < kObjectKindCount) {
    // Made when a row of the kind is first shown: loading the SVG icon engine is not worth
    // paying for at start-up, where the list is empty.
    QIcon& icon = m_kindIcons[object.m_nType];
    if (icon.isNull()) icon = KindIcon(object.m_nType);
    return icon;
  }
  return {};
}

QVariant CObjectListModel::FindingsData(const QList<CFinding>& findings, int role) const {
  if (findings.isEmpty()) return {};
  switch (role) {
    case Qt::DisplayRole:
      return QString::number(findings.size());
    case Qt::DecorationRole:
      return FindingIcon(WorstSeverity(findings));
    case Qt::ToolTipRole:
      return FindingLines(findings);
    case Qt::ForegroundRole: {
      const QColor colour = FindingTextColour(WorstSeverity(findings), QGuiApplication::palette());
      return colour.isValid() ? QVariant(colour) : QVariant();
    }
    default:
      return {};
  }
}

QVariant CObjectListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kNameColumn:
      return QStringLiteral("Name");
    case kKindColumn:
      return QStringLiteral("Kind");
    case kPinsColumn:
      return QStringLiteral("Pins");
    case kFindingsColumn:
      return QStringLiteral("Problems");
    default:
      return {};
  }
}

void CObjectListModel::TakeFindings() {
  m_findings.clear();
  for (const CFinding& finding : CheckProject(m_doc))
    // A finding about the whole project is no fault of each object that adds to it.
    if (!finding.m_bAboutProject)
      for (const QString& name : finding.m_objects) m_findings[name].append(finding);
}

void CObjectListModel::Refresh() {
  beginResetModel();
  TakeFindings();
  m_nShownRows = rowCount();
  endResetModel();
}

void CObjectListModel::RefreshFindings() {
  if (rowCount() != m_nShownRows) {
    Refresh();
    return;
  }
  TakeFindings();
  if (m_nShownRows > 0) emit dataChanged(index(0, 0), index(m_nShownRows - 1, kColumnCount - 1));
}
