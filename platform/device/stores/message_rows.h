#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <optional>
#include <vector>

#include "platform/device/stores/mapi_types.h"

class PhoneDatabase;

// How the messaging store is kept in the phone's database: stores, a tree of folders per store,
// messages with their properties by tag, and recipients. The messaging calls and the set-up API
// share these reads and writes; callers hold the transaction around writes that belong together.
// Every function fails (0, false or nothing) when the database cannot be read or written.

// An entry id: one byte for the kind of object and its row id, 9 bytes in all.
enum class EntryKind : char { kStore = 'S', kFolder = 'F', kMessage = 'M' };
QByteArray MakeEntryId(EntryKind kind, qint64 id);
// The row id in an entry id of that kind; 0 for any other bytes.
qint64 EntryIdRow(EntryKind kind, const QByteArray& entryId);

// The special folders that a new store gets, with the store property that holds each one's
// entry id and the folder's display name.
struct SpecialFolderEntry {
  ULONG tag;
  const char* displayName;
};
inline constexpr std::array<SpecialFolderEntry, 5> kSpecialFolders = {{
    {PR_CE_IPM_DRAFTS_ENTRYID, "Drafts"},
    {PR_CE_IPM_INBOX_ENTRYID, "Inbox"},
    {PR_IPM_OUTBOX_ENTRYID, "Outbox"},
    {PR_IPM_SENTMAIL_ENTRYID, "Sent Items"},
    {PR_IPM_WASTEBASKET_ENTRYID, "Deleted Items"},
}};

// Inserts a store, with the five special folders when asked; its id, or 0.
qint64 InsertMessageStore(PhoneDatabase& db, const QString& displayName, bool withSpecialFolders);
// Inserts a folder of a store below `parentId` (0: a top folder); `specialTag` makes it the
// store's special folder of that property (0: an ordinary folder). Its id, or 0.
qint64 InsertFolder(PhoneDatabase& db, qint64 storeId, qint64 parentId, const QString& displayName,
                    ULONG specialTag);
// The id of the first subfolder of `parentId` with exactly this name: 0 when there is none,
// nothing when the database fails.
std::optional<qint64> FindSubfolder(PhoneDatabase& db, qint64 parentId, const QString& name);
// The store of a folder, of a message; 0 when the row does not exist.
qint64 FolderStore(PhoneDatabase& db, qint64 folderId);
qint64 MessageStore(PhoneDatabase& db, qint64 messageId);
// Inserts an empty message into a folder; its id, or 0.
qint64 InsertMessage(PhoneDatabase& db, qint64 folderId);
// Stores one property of a message, replacing the value of the same tag. Only PT_LONG,
// PT_SYSTIME, PT_UNICODE and PT_BINARY values are stored.
bool WriteMessageProp(PhoneDatabase& db, qint64 messageId, const SPropValue& value);
// Adds a recipient from its PR_DISPLAY_NAME_W, PR_EMAIL_ADDRESS_W and PR_RECIPIENT_TYPE values
// (a value it lacks stays missing).
bool InsertRecipient(PhoneDatabase& db, qint64 messageId, const ADRENTRY& entry);

// The properties of one object, one value per tag in the order asked; a property the object does
// not have comes back as MissingProp. False when the object does not exist or the database fails.
//   store: PR_ENTRYID, PR_DISPLAY_NAME_W, the special folders' entry-id properties;
//   folder: PR_ENTRYID, PR_DISPLAY_NAME_W;
//   message: PR_ENTRYID and every property stored for it, by exact tag;
//   recipient: PR_DISPLAY_NAME_W, PR_EMAIL_ADDRESS_W, PR_RECIPIENT_TYPE.
bool LoadStoreProps(PhoneDatabase& db, qint64 storeId, const SPropTagArray& tags,
                    std::vector<SPropValue>& values);
bool LoadFolderProps(PhoneDatabase& db, qint64 folderId, const SPropTagArray& tags,
                     std::vector<SPropValue>& values);
bool LoadMessageProps(PhoneDatabase& db, qint64 messageId, const SPropTagArray& tags,
                      std::vector<SPropValue>& values);
bool LoadRecipientProps(PhoneDatabase& db, qint64 recipientId, const SPropTagArray& tags,
                        std::vector<SPropValue>& values);

// The lists that the messaging tables show, each in the order its rows were made.
enum class TableKind {
  kStores,      // every store
  kHierarchy,   // the direct subfolders of a folder
  kContents,    // the messages of a folder
  kRecipients,  // the recipients of a message
};
// Up to `limit` row ids of the list owned by `ownerId` that follow `afterId`.
bool ListRows(PhoneDatabase& db, TableKind kind, qint64 ownerId, qint64 afterId, qint64 limit,
              std::vector<qint64>& ids);
std::optional<qint64> CountRows(PhoneDatabase& db, TableKind kind, qint64 ownerId);
// The properties of one row of such a list (see the Load functions above).
bool LoadRowProps(PhoneDatabase& db, TableKind kind, qint64 rowId, const SPropTagArray& tags,
                  std::vector<SPropValue>& values);
