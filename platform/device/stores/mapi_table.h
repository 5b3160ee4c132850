#pragma once

#include <memory>

#include "platform/device/stores/mapi_types.h"
#include "platform/device/stores/message_rows.h"

class PhoneDatabase;

// A table of the messaging store: the message stores (IMAPISession::GetMsgStoresTable), the
// subfolders of a folder (IMAPIFolder::GetHierarchyTable), the messages of a folder
// (IMAPIFolder::GetContentsTable) or the recipients of a message (IMessage::GetRecipientTable).
// Rows come in the order their objects were made; the table reads the store as it is at each
// call, with a cursor that remembers the last row handed out.
//
// Columns and default column sets:
//   stores and subfolders: PR_ENTRYID, PR_DISPLAY_NAME_W;
//   messages: PR_ENTRYID (any property of a message may be a column);
//   recipients: PR_DISPLAY_NAME_W, PR_EMAIL_ADDRESS_W, PR_RECIPIENT_TYPE.
// A row lacking a column's value holds a PT_ERROR value in its place.
//
// Every call returns S_OK on success and MAPI_E_CALL_FAILED when made to fail or when the
// phone's database fails.
class IMAPITable {
 public:
  IMAPITable(std::shared_ptr<PhoneDatabase> db, TableKind kind, qint64 ownerId);

  // Chooses the columns of the rows that follow; MAPI_E_INVALID_PARAMETER for no columns.
  HRESULT SetColumns(const SPropTagArray& columns);
  // The next rows, at most `rowCount` (MAPI_E_INVALID_PARAMETER when it is not positive); no rows
  // at the end of the table. On failure `rows` is empty and the cursor stays.
  HRESULT QueryRows(LONG rowCount, SRowSet& rows);
  // Moves the cursor back to the first row: only BOOKMARK_BEGINNING with 0 rows is supported
  // (MAPI_E_INVALID_PARAMETER otherwise).
  HRESULT SeekRow(BOOKMARK bookmark, LONG rowCount);
  // The number of rows in the table.
  HRESULT GetRowCount(ULONG* count);

 private:
  std::shared_ptr<PhoneDatabase> db_;
  TableKind kind_;
  qint64 ownerId_;
  SPropTagArray columns_;
  qint64 lastRowId_ = 0;
};
