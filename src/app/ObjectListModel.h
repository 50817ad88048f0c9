#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QIcon>
#include <array>

#include "editors/ProjectChecks.h"
#include "model/KyvDoc.h"
#include "model/ObjectType.h"

// The document's objects in list order, one row each: name with the kind's icon, the kind, the
// pins it holds in the pin table, and what the project checks found about it. Rows are read from
// the document when asked; the findings are taken at each refresh.
class CObjectListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kNameColumn, kKindColumn, kPinsColumn, kFindingsColumn, kColumnCount };
  // The worst severity of the row's findings as an int (FindingSeverity); none without findings.
  static constexpr int kWorstSeverityRole = Qt::UserRole;

  explicit CObjectListModel(const CKyvDoc& doc, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // The object shown in this index's row, or nullptr for an index that names none.
  CCodeObject* ObjectAt(const QModelIndex& index) const;
  // The first column's index of the row that shows this object; invalid when none does.
  QModelIndex IndexOf(const CCodeObject* object) const;

  // Tells the views that the list changed, which also drops their selection.
  void Refresh();
  // Checks the project again and repaints every row, keeping the selection; a list whose
  // length changed since it was last shown is refreshed in full.
  void RefreshFindings();

 private:
  QVariant NameData(const CCodeObject& object, int role) const;
  QVariant FindingsData(const QList<CFinding>& findings, int role) const;
  void TakeFindings();

  const CKyvDoc& m_doc;
  mutable std::array<QIcon, kObjectKindCount> m_kindIcons;  // made once, not at every paint
  QHash<QString, QList<CFinding>> m_findings;               // by the object names they name
  int m_nShownRows = 0;                                     // the row count the views last heard of
};
