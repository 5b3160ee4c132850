#include "desktop/ui/result_row_model.h"

#include <QColor>

#include <algorithm>
#include <span>
#include <utility>

#include "desktop/store/database_connection.h"
#include "desktop/store/result_query.h"

namespace {

const char* const kHeadings[ResultRowModel::kColumnCount] = {
    "ID",       "First Name", "Middle Name", "Last Name", "Mobile Phone",
    "Work Tel", "Home Tel",   "E-Mail",      "SIM_Name"};

// Rows alternate cyan (the first row) and white.
const QColor kEvenRowBack(0, 255, 255);

}  // namespace

DatabaseFault ResultRowModel::Load(int viewMode, const QString& keyword) {
  beginResetModel();
  ResultIds result = LoadResultIds(viewMode, keyword);
  ids_ = std::move(result.ids);
  blocks_.clear();
  endResetModel();
  return result.fault;
}

DatabaseFault ResultRowModel::TakeRowsFault() {
  return std::exchange(rowsFault_, DatabaseFault::kNone);
}

const ResultRowModel::Block& ResultRowModel::FetchBlock(int block) const {
  auto found = blocks_.find(block);
  if (found != blocks_.end()) return found->second;
  // The rows on screen span a few blocks at most; the rest are read again when needed.
  if (blocks_.size() >= kCachedBlocks) blocks_.clear();

  size_t first = static_cast<size_t>(block) * kBlockRows;
  size_t count = std::min<size_t>(kBlockRows, ids_.size() - first);
  std::span<const qint64> ids(ids_.data() + first, count);
  Block rows(count);
  for (size_t i = 0; i < count; ++i) {
    rows[i] = QStringList(kColumnCount);
    rows[i][kIdColumn] = QString::number(ids[i]);
  }
  DatabaseFault fault = ReadRecords(QString::fromLatin1(kListColumns), ids,
                                    [&rows](size_t position, const SqlStatement& row) {
                                      for (int column = 1; column < kColumnCount; ++column) {
                                        rows[position][column] = row.ColumnText(column);
                                      }
                                    });
  if (fault != DatabaseFault::kNone) rowsFault_ = fault;
  return blocks_.emplace(block, std::move(rows)).first->second;
}

const QStringList& ResultRowModel::RowTexts(int row) const {
  return FetchBlock(row / kBlockRows)[row % kBlockRows];
}

int ResultRowModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(ids_.size());
}

int ResultRowModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant ResultRowModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return QVariant();
  switch (role) {
    case Qt::DisplayRole:
      return RowTexts(index.row())[index.column()];
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
      return index.row() % 2 == 0 ? kEvenRowBack : QColor(Qt::white);
    case Qt::ForegroundRole:
      return QColor(Qt::black);
  }
  return QVariant();
}

QVariant ResultRowModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      section >= kColumnCount) {
    return QVariant();
  }
  return QString::fromLatin1(kHeadings[section]);
}
