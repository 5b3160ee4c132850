#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <vector>

#include "platform/device/stores/mapi_table.h"
#include "platform/device/stores/mapi_types.h"

class PhoneDatabase;

// The phone's messaging store as its messaging interface offers it: a session that lists and
// opens message stores, a store's special folders found through its entry-id properties, folders
// with their subfolder and message tables, new folders and messages, message properties and
// recipients. Objects free themselves (no Release); each holds its own link to the phone's
// database, so it stays usable after the object it came from is gone, and may be used on another
// thread than the one that made it (one thread at a time). A message keeps the changes made to it
// until SaveChanges writes them all in one transaction, so no message is ever stored in part.
//
// Every call returns an HRESULT: S_OK on success (MAPI_W_ERRORS_RETURNED, a warning, where noted),
// a negative value on failure. A call fails with MAPI_E_CALL_FAILED when a test made it fail
// (PhoneSetup::FailCall) and when the phone's database cannot be read or written; a write that
// another program keeps from the database for longer than a call waits (kPhoneBusyTimeoutMs)
// fails with STG_E_LOCKVIOLATION (CreateFolder, SaveChanges). Entry ids are
// opaque bytes that only the store that made them understands.

class IMsgStore;
class IMAPIFolder;
class IMessage;

class IMAPISession {
 public:
  explicit IMAPISession(std::shared_ptr<PhoneDatabase> db) : db_(std::move(db)) {}

  // The table of message stores (PR_ENTRYID, PR_DISPLAY_NAME_W).
  HRESULT GetMsgStoresTable(std::unique_ptr<IMAPITable>& table);
  // Opens the store of an entry id from the stores table; MAPI_E_INVALID_ENTRYID for other bytes,
  // MAPI_E_NOT_FOUND for a store that no longer exists.
  HRESULT OpenMsgStore(const QByteArray& entryId, std::unique_ptr<IMsgStore>& store);
  // Ends the session: its own calls fail with MAPI_E_CALL_FAILED afterwards. Objects got from it
  // stay usable.
  HRESULT Logoff();

 private:
  std::shared_ptr<PhoneDatabase> db_;
  bool loggedOn_ = true;
};

// Logs on to the phone's messaging (no profile, no password). MAPI_E_LOGON_FAILED when the phone
// cannot be opened or the call is made to fail.
HRESULT MAPILogonEx(std::unique_ptr<IMAPISession>& session);

class IMsgStore {
 public:
  IMsgStore(std::shared_ptr<PhoneDatabase> db, qint64 storeId);

  // The store's properties: PR_ENTRYID, PR_DISPLAY_NAME_W and the entry ids of its special folders
  // (PR_CE_IPM_DRAFTS_ENTRYID, PR_CE_IPM_INBOX_ENTRYID, PR_IPM_OUTBOX_ENTRYID,
  // PR_IPM_SENTMAIL_ENTRYID, PR_IPM_WASTEBASKET_ENTRYID). One value per tag in the order asked.
  // S_OK when every value was found; MAPI_W_ERRORS_RETURNED when some are missing (a store without
  // that special folder), with PT_ERROR values in their places.
  HRESULT GetProps(const SPropTagArray& tags, std::vector<SPropValue>& values);
  // Opens a folder of this store by its entry id; MAPI_E_INVALID_ENTRYID for bytes that are not a
  // folder's entry id, MAPI_E_NOT_FOUND for a folder that does not exist or lies in another store.
  HRESULT OpenEntry(const QByteArray& entryId, std::unique_ptr<IMAPIFolder>& folder);

 private:
  std::shared_ptr<PhoneDatabase> db_;
  qint64 storeId_;
};

class IMAPIFolder {
 public:
  IMAPIFolder(std::shared_ptr<PhoneDatabase> db, qint64 storeId, qint64 folderId);

  // PR_ENTRYID and PR_DISPLAY_NAME_W; S_OK or MAPI_W_ERRORS_RETURNED as IMsgStore::GetProps.
  HRESULT GetProps(const SPropTagArray& tags, std::vector<SPropValue>& values);
  // The table of the direct subfolders (PR_ENTRYID, PR_DISPLAY_NAME_W).
  HRESULT GetHierarchyTable(std::unique_ptr<IMAPITable>& table);
  // The table of the folder's messages (PR_ENTRYID).
  HRESULT GetContentsTable(std::unique_ptr<IMAPITable>& table);
  // Makes a subfolder named `name`. When a subfolder of exactly that name exists: with
  // OPEN_IF_EXISTS in `flags` it is opened, otherwise MAPI_E_COLLISION. MAPI_E_INVALID_PARAMETER
  // for an empty name; MAPI_E_NOT_FOUND when this folder no longer exists.
  HRESULT CreateFolder(const QString& name, ULONG flags, std::unique_ptr<IMAPIFolder>& folder);
  // A new message in this folder. It has no properties and is not in the folder until its first
  // SaveChanges stores it; a message released before that leaves nothing.
  HRESULT CreateMessage(std::unique_ptr<IMessage>& message);
  // Opens a message of this store by its entry id; MAPI_E_INVALID_ENTRYID for bytes that are not
  // a message's entry id, MAPI_E_NOT_FOUND for a message that does not exist or lies in another
  // store.
  HRESULT OpenEntry(const QByteArray& entryId, std::unique_ptr<IMessage>& message);

 private:
  std::shared_ptr<PhoneDatabase> db_;
  qint64 storeId_;
  qint64 folderId_;
};

class IMessage {
 public:
  IMessage(std::shared_ptr<PhoneDatabase> db, qint64 folderId, qint64 messageId);

  // One value per tag in the order asked: PR_ENTRYID and the stored properties by exact tag.
  // S_OK only when every value was found; MAPI_W_ERRORS_RETURNED (a warning, not zero) when any
  // is missing, with PT_ERROR values in their places. A message not yet stored has no properties;
  // changes not yet saved are not seen.
  HRESULT GetProps(const SPropTagArray& tags, std::vector<SPropValue>& values);
  // Sets values for the next SaveChanges, replacing values of the same tags. Values of types
  // PT_LONG, PT_SYSTIME, PT_UNICODE and PT_BINARY only; MAPI_E_INVALID_PARAMETER for another type
  // and MAPI_E_COMPUTED for PR_ENTRYID (nothing is set then).
  HRESULT SetProps(const std::vector<SPropValue>& values);
  // The stored recipients' table; MAPI_E_NO_RECIPIENTS (no table) when the message has none.
  HRESULT GetRecipientTable(std::unique_ptr<IMAPITable>& table);
  // Adds recipients for the next SaveChanges (flags MODRECIP_ADD; MAPI_E_NO_SUPPORT for other
  // flags), each from its PR_DISPLAY_NAME_W, PR_EMAIL_ADDRESS_W and PR_RECIPIENT_TYPE values.
  HRESULT ModifyRecipients(ULONG flags, const ADRLIST& recipients);
  // Writes the values and recipients set since the last save in one transaction, all or none;
  // the first save stores a new message in its folder. MAPI_E_NOT_FOUND when the folder or
  // message no longer exists. What failed to save stays set for another try.
  HRESULT SaveChanges();

 private:
  // The message's id, storing a new message in its folder first; 0 when the folder or message is
  // gone or the write fails. Called inside the caller's transaction.
  qint64 StoredMessageId();

  std::shared_ptr<PhoneDatabase> db_;
  qint64 folderId_;
  qint64 messageId_;  // 0 until stored
  std::map<ULONG, SPropValue> unsavedValues_;
  ADRLIST unsavedRecipients_;
};
