#include "app/PinTableModel.h"

#include <QFont>

#include "model/UnclaimedPins.h"

namespace {

const QColor kUsedColour(250, 150, 150);
const QColor kFreeColour(150, 250, 150);
constexpr int kBold = 800;

QFont BoldFont() {
  // Only the weight is set, so the view's own font supplies the rest.
  QFont font;
  font.setWeight(static_cast<QFont::Weight>(kBold));
  return font;
}

}  // namespace

CPinTableModel::CPinTableModel(CKyvDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), m_doc(doc) {}

int CPinTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : CKyvDoc::kPinCount;
}

int CPinTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant CPinTableModel::Text(int pin, int column) const {
  // A pin a driver drives without the table holding it shows its driver, marked as such.
  if (!m_doc.m_bPinUsed[pin] && column != kPinColumn && column != kNotesColumn)
    for (const CUnclaimedPin& unclaimed : UnclaimedPins(m_doc))
      if (unclaimed.m_nPin == pin) {
        if (column == kFreeColumn) return QStringLiteral("No");
        if (column == kUsedByColumn) return unclaimed.m_sHolder;
        return QStringLiteral("%1 (%2)").arg(unclaimed.m_sRole, NotClaimedText());
      }
  switch (column) {
    case kPinColumn:
      return QString::number(pin);
    case kFreeColumn:
      return m_doc.m_bPinUsed[pin] ? QStringLiteral("No") : QStringLiteral("Yes");
    case kUsedByColumn:
      return m_doc.m_sPinUsedBy[pin];
    case kUsedForColumn:
      return m_doc.m_sPinUsedFor[pin];
    case kNotesColumn:
      return m_doc.m_sPinNotes[pin];
    default:
      return {};
  }
}

QVariant CPinTableModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
  const int pin = index.row();
  const int column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return Text(pin, column);
    case Qt::TextAlignmentRole:
      if (column == kPinColumn || column == kFreeColumn) return static_cast<int>(Qt::AlignCenter);
      return {};
    case Qt::FontRole:
      if (column == kPinColumn) return BoldFont();
      return {};
    case Qt::BackgroundRole:
      if (column == kPinColumn) return m_pinNumberBackground;
      if (column == kFreeColumn) return m_doc.m_bPinUsed[pin] ? kUsedColour : kFreeColour;
      return {};
    case Qt::ForegroundRole:
      if (column == kPinColumn) return m_pinNumberText;
      // The free and used colours are light in every look, dark ones included.
      if (column == kFreeColumn) return QColor(Qt::black);
      return {};
    default:
      return {};
  }
}

QVariant CPinTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    // The grid shows the pin numbers in their own column; a shown vertical header would agree.
    if (role == Qt::DisplayRole && section >= 0 && section < CKyvDoc::kPinCount)
      return QString::number(section);
    return {};
  }
  if (section < 0 || section >= kColumnCount) return {};
  static const QStringList titles = {QStringLiteral("I/O Pin #"), QStringLiteral("Free?"),
                                     QStringLiteral("Used By"), QStringLiteral("Used For"),
                                     QStringLiteral("Notes")};
  if (role == Qt::DisplayRole) return titles[section];
  if (role == Qt::FontRole) return BoldFont();
  return {};
}

Qt::ItemFlags CPinTableModel::flags(const QModelIndex& index) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
  Qt::ItemFlags cellFlags = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
  if (index.column() == kNotesColumn) cellFlags |= Qt::ItemIsEditable;
  return cellFlags;
}

bool CPinTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  QString& note = m_doc.m_sPinNotes[index.row()];
  const QString text = value.toString();
  if (note == text) return true;
  note = text;
  m_doc.SetModifiedFlag(true);
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit noteEdited(index.row());
  return true;
}

void CPinTableModel::SetPinNumberColours(const QColor& background, const QColor& text) {
  m_pinNumberBackground = background;
  m_pinNumberText = text;
  emit dataChanged(index(0, kPinColumn), index(CKyvDoc::kPinCount - 1, kPinColumn),
                   {Qt::BackgroundRole, Qt::ForegroundRole});
}

void CPinTableModel::Refresh() {
  // The table's shape never changes, so the views keep their selection and current cell.
  emit dataChanged(index(0, 0), index(CKyvDoc::kPinCount - 1, kColumnCount - 1));
}
