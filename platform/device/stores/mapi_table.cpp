#include "platform/device/stores/mapi_table.h"

#include "platform/device/stores/phone_database.h"
#include "platform/device/stores/phone_faults.h"

namespace {

SPropTagArray DefaultColumns(TableKind kind) {
  switch (kind) {
    case TableKind::kStores:
    case TableKind::kHierarchy:
      return {PR_ENTRYID, PR_DISPLAY_NAME_W};
    case TableKind::kContents:
      return {PR_ENTRYID};
    case TableKind::kRecipients:
      break;
  }
  return {PR_DISPLAY_NAME_W, PR_EMAIL_ADDRESS_W, PR_RECIPIENT_TYPE};
}

}  // namespace

IMAPITable::IMAPITable(std::shared_ptr<PhoneDatabase> db, TableKind kind, qint64 ownerId)
    : db_(std::move(db)), kind_(kind), ownerId_(ownerId), columns_(DefaultColumns(kind)) {}

HRESULT IMAPITable::SetColumns(const SPropTagArray& columns) {
  if (CallFails(*db_, PhoneCall::kSetColumns, ownerId_)) return MAPI_E_CALL_FAILED;
  if (columns.empty()) return MAPI_E_INVALID_PARAMETER;
  columns_ = columns;
  return S_OK;
}

HRESULT IMAPITable::QueryRows(LONG rowCount, SRowSet& rows) {
  rows.clear();
  if (CallFails(*db_, PhoneCall::kQueryRows, ownerId_)) return MAPI_E_CALL_FAILED;
  if (rowCount <= 0) return MAPI_E_INVALID_PARAMETER;
  PhoneReadTransaction reading(*db_);
  std::vector<qint64> ids;
  if (!ListRows(*db_, kind_, ownerId_, lastRowId_, rowCount, ids)) return MAPI_E_CALL_FAILED;
  SRowSet read;
  for (qint64 id : ids) {
    SRow row;
    if (!LoadRowProps(*db_, kind_, id, columns_, row)) return MAPI_E_CALL_FAILED;
    read.push_back(std::move(row));
  }
  if (!ids.empty()) lastRowId_ = ids.back();
  rows = std::move(read);
  return S_OK;
}

HRESULT IMAPITable::SeekRow(BOOKMARK bookmark, LONG rowCount) {
  if (CallFails(*db_, PhoneCall::kSeekRow, ownerId_)) return MAPI_E_CALL_FAILED;
  if (bookmark != BOOKMARK_BEGINNING || rowCount != 0) return MAPI_E_INVALID_PARAMETER;
  lastRowId_ = 0;
  return S_OK;
}

HRESULT IMAPITable::GetRowCount(ULONG* count) {
  if (CallFails(*db_, PhoneCall::kGetRowCount, ownerId_)) return MAPI_E_CALL_FAILED;
  std::optional<qint64> rows = CountRows(*db_, kind_, ownerId_);
  if (!rows) return MAPI_E_CALL_FAILED;
  *count = static_cast<ULONG>(*rows);
  return S_OK;
}
