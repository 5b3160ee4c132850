#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <map>
#include <vector>

#include "desktop/store/contact_database.h"

// The rows of the list view: every record of a view mode, in view order, with the nine list
// columns. Only the records' IDs are read up front; the columns are read from the database in
// blocks of rows when the list first asks for one, and a bounded number of blocks is kept.
class ResultRowModel : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Reads the result set of a mode; the rows before are dropped. Returns the fault that kept it
  // from being read (no rows then).
  DatabaseFault Load(int viewMode, const QString& keyword);
  // The fault met since the last call while reading the columns of rows the list asked for
  // (those rows stay blank), or kNone; the list asks while painting, where it cannot say so.
  DatabaseFault TakeRowsFault();

  // The texts of a row: `ID` as decimal text, then the other eight columns.
  const QStringList& RowTexts(int row) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;

  static constexpr int kColumnCount = 9;
  static constexpr int kIdColumn = 0;
  static constexpr int kSimNameColumn = 8;
  static constexpr int kBlockRows = 256;
  static constexpr size_t kCachedBlocks = 32;

 private:
  using Block = std::vector<QStringList>;
  const Block& FetchBlock(int block) const;

  std::vector<qint64> ids_;
  mutable std::map<int, Block> blocks_;
  mutable DatabaseFault rowsFault_ = DatabaseFault::kNone;
};
