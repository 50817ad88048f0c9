#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include "model/KyvDoc.h"

// The document's pin table, one row per P2 pin: its number, whether it is free, its holder and
// role, and the user's note. Only the note can be edited; an edited note goes straight into the
// document and marks it modified. Cells are read from the document when asked; Refresh() tells
// the views that the document changed.
class CPinTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  enum Column {
    kPinColumn,
    kFreeColumn,
    kUsedByColumn,
    kUsedForColumn,
    kNotesColumn,
    kColumnCount
  };

  explicit CPinTableModel(CKyvDoc& doc, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  // The pin numbers are shaded like the headers; the view hands in the colours of its look.
  void SetPinNumberColours(const QColor& background, const QColor& text);
  void Refresh();

 signals:
  // The user changed the pin's note, and the document holds the new text.
  void noteEdited(int pin);

 private:
  QVariant Text(int pin, int column) const;

  CKyvDoc& m_doc;
  QColor m_pinNumberBackground;
  QColor m_pinNumberText;
};
