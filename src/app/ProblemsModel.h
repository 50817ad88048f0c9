#pragma once

#include <QAbstractTableModel>
#include <QList>

#include "editors/ProjectChecks.h"

class CKyvDoc;

// True for the findings that the settings tab fixes: the clock and the SD card.
bool IsAboutSettings(const CFinding& finding);

// What the project checks find in a document, one row per finding in the checks' order:
// severity (icon and word), the sentence that says what to do, and the objects it is about.
// Every cell's tooltip holds the whole sentence and the pins.
class CProblemsModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column { kSeverityColumn = 0, kTextColumn = 1, kObjectColumn = 2, kColumnCount = 3 };

  explicit CProblemsModel(const CKyvDoc& doc, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  // Checks the document again. The views are told only when the findings changed, so a
  // refresh after every keystroke keeps their selection.
  void Refresh();

  const QList<CFinding>& Findings() const { return m_findings; }
  int Count(FindingSeverity severity) const;

 private:
  const CKyvDoc& m_doc;
  QList<CFinding> m_findings;
};
