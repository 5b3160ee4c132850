#include "platform/device/stores/message_rows.h"

#include <QtEndian>

#include <map>

#include "platform/device/stores/phone_database.h"

namespace {

constexpr qsizetype kEntryIdSize = 9;

SPropValue DecodeStoredValue(ULONG tag, const PhoneStatement& row, int column) {
  SPropValue value{tag, {}};
  switch (PROP_TYPE(tag)) {
    case PT_LONG:
      value.Value.ul = static_cast<ULONG>(row.ColumnInt64(column));
      break;
    case PT_SYSTIME:
      value.Value.ft = MakeFileTime(static_cast<std::uint64_t>(row.ColumnInt64(column)));
      break;
    case PT_UNICODE:
      value.Value.lpszW = row.ColumnText(column);
      break;
    case PT_BINARY:
      value.Value.bin = row.ColumnBlob(column);
      break;
    default:
      return MissingProp(tag);
  }
  return value;
}

SPropValue TextOrMissing(ULONG tag, const PhoneStatement& row, int column) {
  return row.ColumnIsNull(column) ? MissingProp(tag) : DecodeStoredValue(tag, row, column);
}

SPropValue EntryIdValue(EntryKind kind, qint64 id) {
  return SPropValue{PR_ENTRYID, PropValue{.bin = MakeEntryId(kind, id)}};
}

const SPropValue* FindValue(const ADRENTRY& entry, ULONG tag) {
  for (const SPropValue& value : entry) {
    if (value.ulPropTag == tag) return &value;
  }
  return nullptr;
}

// Binds the value of an entry's property, or null when the entry lacks it.
void BindEntryValue(PhoneStatement& statement, int index, const ADRENTRY& entry, ULONG tag) {
  const SPropValue* value = FindValue(entry, tag);
  if (value == nullptr) {
    statement.BindNull(index);
  } else if (PROP_TYPE(tag) == PT_LONG) {
    statement.Bind(index, value->Value.ul);
  } else {
    statement.BindText(index, value->Value.lpszW);
  }
}

struct TableQueries {
  const char* list;   // ?1 owner, ?2 after id, ?3 limit
  const char* count;  // ?1 owner
};

TableQueries QueriesOf(TableKind kind) {
  switch (kind) {
    case TableKind::kStores:  // the stores belong to no owner: it is always 0
      return {"select id from message_stores where ?1 = 0 and id > ?2 order by id limit ?3",
              "select count(*) from message_stores where ?1 = 0"};
    case TableKind::kHierarchy:
      // The special folders are the tops of a store's trees, never anyone's subfolders. As a
      // folder has one parent, a walk down from a special folder could only go round a circle
      // through that folder itself; so none does, however the parents of the folders run (a
      // database edited by hand may make them a circle).
      return {
          "select id from message_folders where parent_id = ?1 and special_tag is null"
          " and id > ?2 order by id limit ?3",
          "select count(*) from message_folders where parent_id = ?1 and special_tag is null"};
    case TableKind::kContents:
      return {"select id from messages where folder_id = ?1 and id > ?2 order by id limit ?3",
              "select count(*) from messages where folder_id = ?1"};
    case TableKind::kRecipients:
      break;
  }
  return {"select id from recipients where message_id = ?1 and id > ?2 order by id limit ?3",
          "select count(*) from recipients where message_id = ?1"};
}

}  // namespace

QByteArray MakeEntryId(EntryKind kind, qint64 id) {
  QByteArray bytes(kEntryIdSize, '\0');
  bytes[0] = static_cast<char>(kind);
  qToLittleEndian<qint64>(id, bytes.data() + 1);
  return bytes;
}

qint64 EntryIdRow(EntryKind kind, const QByteArray& entryId) {
  if (entryId.size() != kEntryIdSize || entryId[0] != static_cast<char>(kind)) return 0;
  const qint64 id = qFromLittleEndian<qint64>(entryId.constData() + 1);
  return id > 0 ? id : 0;
}

qint64 InsertMessageStore(PhoneDatabase& db, const QString& displayName, bool withSpecialFolders) {
  PhoneStatement insert(db, "insert into message_stores (display_name) values (?)");
  if (!insert.BindText(1, displayName).Run()) return 0;
  const qint64 storeId = sqlite3_last_insert_rowid(db.Handle());
  if (!withSpecialFolders) return storeId;
  for (const SpecialFolderEntry& special : kSpecialFolders) {
    if (InsertFolder(db, storeId, 0, QString::fromLatin1(special.displayName), special.tag) == 0) {
      return 0;
    }
  }
  return storeId;
}

qint64 InsertFolder(PhoneDatabase& db, qint64 storeId, qint64 parentId, const QString& displayName,
                    ULONG specialTag) {
  PhoneStatement insert(db,
                        "insert into message_folders (store_id, parent_id, display_name,"
                        " special_tag) values (?, ?, ?, ?)");
  insert.Bind(1, storeId).BindText(3, displayName);
  if (parentId != 0) {
    insert.Bind(2, parentId);
  } else {
    insert.BindNull(2);
  }
  if (specialTag != 0) {
    insert.Bind(4, specialTag);
  } else {
    insert.BindNull(4);
  }
  return insert.Run() ? sqlite3_last_insert_rowid(db.Handle()) : 0;
}

std::optional<qint64> FindSubfolder(PhoneDatabase& db, qint64 parentId, const QString& name) {
  PhoneStatement find(db,
                      "select id from message_folders where parent_id = ? and display_name = ?"
                      " order by id limit 1");
  find.Bind(1, parentId).BindText(2, name);
  const int rc = find.Step();
  if (rc == SQLITE_DONE) return 0;
  if (rc != SQLITE_ROW) return std::nullopt;
  return find.ColumnInt64(0);
}

qint64 FolderStore(PhoneDatabase& db, qint64 folderId) {
  PhoneStatement find(db, "select store_id from message_folders where id = ?");
  return find.Bind(1, folderId).QueryInt64().value_or(0);
}

qint64 MessageStore(PhoneDatabase& db, qint64 messageId) {
  PhoneStatement find(db,
                      "select f.store_id from messages m join message_folders f"
                      " on f.id = m.folder_id where m.id = ?");
  return find.Bind(1, messageId).QueryInt64().value_or(0);
}

qint64 InsertMessage(PhoneDatabase& db, qint64 folderId) {
  PhoneStatement insert(db, "insert into messages (folder_id) values (?)");
  return insert.Bind(1, folderId).Run() ? sqlite3_last_insert_rowid(db.Handle()) : 0;
}

bool WriteMessageProp(PhoneDatabase& db, qint64 messageId, const SPropValue& value) {
  PhoneStatement write(db,
                       "insert or replace into message_properties (message_id, tag, value)"
                       " values (?, ?, ?)");
  write.Bind(1, messageId).Bind(2, value.ulPropTag);
  switch (PROP_TYPE(value.ulPropTag)) {
    case PT_LONG:
      write.Bind(3, value.Value.ul);
      break;
    case PT_SYSTIME:
      write.Bind(3, static_cast<qint64>(FileTimeValue(value.Value.ft)));
      break;
    case PT_UNICODE:
      write.BindText(3, value.Value.lpszW);
      break;
    case PT_BINARY:
      write.BindBlob(3, value.Value.bin);
      break;
    default:
      return false;
  }
  return write.Run();
}

bool InsertRecipient(PhoneDatabase& db, qint64 messageId, const ADRENTRY& entry) {
  PhoneStatement insert(db,
                        "insert into recipients (message_id, display_name, email_address,"
                        " recipient_type) values (?, ?, ?, ?)");
  insert.Bind(1, messageId);
  BindEntryValue(insert, 2, entry, PR_DISPLAY_NAME_W);
  BindEntryValue(insert, 3, entry, PR_EMAIL_ADDRESS_W);
  BindEntryValue(insert, 4, entry, PR_RECIPIENT_TYPE);
  return insert.Run();
}

bool LoadStoreProps(PhoneDatabase& db, qint64 storeId, const SPropTagArray& tags,
                    std::vector<SPropValue>& values) {
  PhoneStatement store(db, "select display_name from message_stores where id = ?");
  if (store.Bind(1, storeId).Step() != SQLITE_ROW) return false;
  PhoneStatement special(db,
                         "select id from message_folders where store_id = ? and special_tag = ?"
                         " order by id limit 1");
  values.clear();
  for (ULONG tag : tags) {
    if (tag == PR_ENTRYID) {
      values.push_back(EntryIdValue(EntryKind::kStore, storeId));
    } else if (tag == PR_DISPLAY_NAME_W) {
      values.push_back(TextOrMissing(tag, store, 0));
    } else if (PROP_TYPE(tag) == PT_BINARY) {
      special.Bind(1, storeId).Bind(2, tag);
      const int rc = special.Step();
      if (rc != SQLITE_ROW && rc != SQLITE_DONE) return false;
      values.push_back(rc == SQLITE_ROW
                           ? SPropValue{tag, PropValue{.bin = MakeEntryId(EntryKind::kFolder,
                                                                          special.ColumnInt64(0))}}
                           : MissingProp(tag));
      special.Reset();
    } else {
      values.push_back(MissingProp(tag));
    }
  }
  return true;
}

bool LoadFolderProps(PhoneDatabase& db, qint64 folderId, const SPropTagArray& tags,
                     std::vector<SPropValue>& values) {
  PhoneStatement folder(db, "select display_name from message_folders where id = ?");
  if (folder.Bind(1, folderId).Step() != SQLITE_ROW) return false;
  values.clear();
  for (ULONG tag : tags) {
    if (tag == PR_ENTRYID) {
      values.push_back(EntryIdValue(EntryKind::kFolder, folderId));
    } else if (tag == PR_DISPLAY_NAME_W) {
      values.push_back(TextOrMissing(tag, folder, 0));
    } else {
      values.push_back(MissingProp(tag));
    }
  }
  return true;
}

bool LoadMessageProps(PhoneDatabase& db, qint64 messageId, const SPropTagArray& tags,
                      std::vector<SPropValue>& values) {
  PhoneStatement message(db, "select 1 from messages where id = ?");
  if (message.Bind(1, messageId).Step() != SQLITE_ROW) return false;
  PhoneStatement stored(db, "select tag, value from message_properties where message_id = ?");
  stored.Bind(1, messageId);
  std::map<ULONG, SPropValue> found;
  int rc;
  while ((rc = stored.Step()) == SQLITE_ROW) {
    const auto tag = static_cast<ULONG>(stored.ColumnInt64(0));
    if (!stored.ColumnIsNull(1)) found[tag] = DecodeStoredValue(tag, stored, 1);
  }
  if (rc != SQLITE_DONE) return false;
  values.clear();
  for (ULONG tag : tags) {
    const auto value = found.find(tag);
    if (tag == PR_ENTRYID) {
      values.push_back(EntryIdValue(EntryKind::kMessage, messageId));
    } else {
      values.push_back(value != found.end() ? value->second : MissingProp(tag));
    }
  }
  return true;
}

bool LoadRecipientProps(PhoneDatabase& db, qint64 recipientId, const SPropTagArray& tags,
                        std::vector<SPropValue>& values) {
  PhoneStatement recipient(db,
                           "select display_name, email_address, recipient_type from recipients"
                           " where id = ?");
  if (recipient.Bind(1, recipientId).Step() != SQLITE_ROW) return false;
  values.clear();
  for (ULONG tag : tags) {
    const int column = tag == PR_DISPLAY_NAME_W    ? 0
                       : tag == PR_EMAIL_ADDRESS_W ? 1
                       : tag == PR_RECIPIENT_TYPE  ? 2
                                                   : -1;
    values.push_back(column < 0 ? MissingProp(tag) : TextOrMissing(tag, recipient, column));
  }
  return true;
}

bool ListRows(PhoneDatabase& db, TableKind kind, qint64 ownerId, qint64 afterId, qint64 limit,
              std::vector<qint64>& ids) {
  PhoneStatement list(db, QueriesOf(kind).list);
  list.Bind(1, ownerId).Bind(2, afterId).Bind(3, limit);
  ids.clear();
  int rc;
  while ((rc = list.Step()) == SQLITE_ROW) ids.push_back(list.ColumnInt64(0));
  return rc == SQLITE_DONE;
}

std::optional<qint64> CountRows(PhoneDatabase& db, TableKind kind, qint64 ownerId) {
  PhoneStatement count(db, QueriesOf(kind).count);
  return count.Bind(1, ownerId).QueryInt64();
}

bool LoadRowProps(PhoneDatabase& db, TableKind kind, qint64 rowId, const SPropTagArray& tags,
                  std::vector<SPropValue>& values) {
  switch (kind) {
    case TableKind::kStores:
      return LoadStoreProps(db, rowId, tags, values);
    case TableKind::kHierarchy:
      return LoadFolderProps(db, rowId, tags, values);
    case TableKind::kContents:
      return LoadMessageProps(db, rowId, tags, values);
    case TableKind::kRecipients:
      break;
  }
  return LoadRecipientProps(db, rowId, tags, values);
}
