#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <array>

#include "model/KyvDoc.h"
#include "model/ObjectType.h"

// The document's objects in list order, one row each: the list line as text, the kind's icon as
// decoration. Rows are read from the document when asked; Refresh() tells the views that the
// list changed, which also drops their selection.
class CObjectListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit CObjectListModel(const CKyvDoc& doc, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // The object shown at this index, or nullptr for an index that names none.
  CCodeObject* ObjectAt(const QModelIndex& index) const;
  void Refresh();

 private:
  const CKyvDoc& m_doc;
  std::array<QIcon, kObjectKindCount> m_kindIcons;  // drawn once, not at every paint
};
