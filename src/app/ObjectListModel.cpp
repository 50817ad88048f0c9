#include "app/ObjectListModel.h"

#include "app/KindIcons.h"
#include "model/ObjectListText.h"

CObjectListModel::CObjectListModel(const CKyvDoc& doc, QObject* parent)
    : QAbstractListModel(parent), m_doc(doc) {
  for (int kind = 0; kind < kObjectKindCount; ++kind) m_kindIcons[kind] = KindIcon(kind);
}

int CObjectListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_doc.m_ObjectList.size());
}

CCodeObject* CObjectListModel::ObjectAt(const QModelIndex& index) const {
  if (!index.isValid() || index.model() != this || index.column() != 0) return nullptr;
  const auto row = static_cast<size_t>(index.row());
  return row < m_doc.m_ObjectList.size() ? m_doc.m_ObjectList[row].get() : nullptr;
}

QVariant CObjectListModel::data(const QModelIndex& index, int role) const {
  const CCodeObject* object = ObjectAt(index);
  if (!object) return {};
  switch (role) {
    case Qt::DisplayRole:
      return ObjectListLine(*object);
    case Qt::DecorationRole:
      if (object->m_nType >= 0 && object->m_nType < kObjectKindCount)
        return m_kindIcons[object->m_nType];
      return {};
    default:
      return {};
  }
}

void CObjectListModel::Refresh() {
  beginResetModel();
  endResetModel();
}
