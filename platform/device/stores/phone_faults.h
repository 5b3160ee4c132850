#pragma once

#include <QtGlobal>

#include <optional>

class PhoneDatabase;

// Calls of the phone's stores that a test can make fail (PhoneSetup::FailCall). A failing call
// returns E_FAIL (a negative result) and changes nothing. Each call has a subject, the id that
// FailCall may narrow it to:
//   - the contact store: Item, the 1-based index; get_Oid and GetItemFromOidEx, the object id;
//     the IItem and IStream calls, the item's object id (0 for a new item not yet saved);
//     the other calls, 0;
//   - the SIM phonebook: read, write and delete, the entry's index; the other calls, 0;
//   - the messaging store: OpenMsgStore, the store's id; IMsgStore::OpenEntry and
//     IMAPIFolder::OpenEntry, the id of the folder or message opened; the other IMsgStore,
//     IMAPIFolder and IMessage calls, the id of the store, folder or message they are called on
//     (0 for a message not yet stored); IMAPITable calls, the id of the folder whose hierarchy or
//     contents they list or of the message whose recipients they list (0 for the stores table);
//     MAPILogonEx and GetMsgStoresTable, 0.
// The ids are those PhoneSetup hands out.
//
// Faults are kept in the phone's database. Every call asks for them, so a connection remembers
// which calls have faults at all and reads that again only after a fault was made or removed in
// this process: a fault made by another process reaches the connections opened after it, and a
// fault is made on its own (not inside PhoneSetup::InOneTransaction), so that it is there to be
// read.
enum class PhoneCall {
  // Pocket Outlook
  kCoInitializeEx,
  kCoCreateInstance,
  kLogon,
  kGetDefaultFolder,
  kGetItems,
  kGetCount,
  kItem,
  kGetOid,
  kGetItemFromOidEx,
  kCreateItem,
  kItemGetProps,
  kItemSetProps,
  kItemSave,
  kItemDelete,
  kItemOpenProperty,
  kStreamSeek,
  kStreamRead,
  kStreamWrite,
  // SIM phonebook
  kSimInitialize,
  kSimGetPhonebookStatus,
  kSimGetDevCaps,
  kSimReadPhonebookEntry,
  kSimWritePhonebookEntry,
  kSimDeletePhonebookEntry,
  // Messaging
  kMAPILogonEx,
  kGetMsgStoresTable,
  kOpenMsgStore,
  kMsgStoreGetProps,
  kMsgStoreOpenEntry,
  kFolderGetProps,
  kGetHierarchyTable,
  kGetContentsTable,
  kCreateFolder,
  kCreateMessage,
  kFolderOpenEntry,
  kMessageGetProps,
  kMessageSetProps,
  kGetRecipientTable,
  kModifyRecipients,
  kSaveChanges,
  kSetColumns,
  kQueryRows,
  kSeekRow,
  kGetRowCount,
};

// The call's name as the phone's database keeps it ("IItem::GetProps", "SimInitialize", ...).
const char* PhoneCallName(PhoneCall call);

// True when a test made this call fail for this subject. A fault set to let some calls succeed
// first counts them down here, and a fault of one call goes once it failed it. Also true when the
// faults of the call cannot be read (a broken database), so nothing runs on a database that cannot
// be trusted.
bool CallFails(PhoneDatabase& db, PhoneCall call, qint64 subject = 0);

// Records a fault (PhoneSetup::FailCall, or PhoneSetup::FailCallOnce when `once`); false when it
// cannot be written.
bool AddFailingCall(PhoneDatabase& db, PhoneCall call, std::optional<qint64> subject,
                    int successesFirst, bool once = false);
// Removes every fault; false when that fails.
bool ClearFailingCalls(PhoneDatabase& db);
