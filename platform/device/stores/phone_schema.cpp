#include "platform/device/stores/phone_schema.h"

#include <QByteArray>
#include <QString>

#include "platform/device/stores/message_rows.h"
#include "platform/device/stores/phone_database.h"

namespace {

// Marks the file as a phone database ("PHNE"), and the layout's version.
constexpr qint64 kPhoneApplicationId = 0x50484E45;
constexpr qint64 kPhoneSchemaVersion = 1;

constexpr char kCreateTables[] = R"sql(
create table phone_settings (name text primary key, value integer not null);
create table failing_calls (call text not null, subject integer,
                            successes_left integer not null default 0);
create table contact_items (oid integer primary key autoincrement, picture blob);
create table contact_properties (oid integer not null, prop_id integer not null, value,
                                 primary key (oid, prop_id)) without rowid;
create table sim_entries (entry_index integer primary key, name text not null,
                          number text not null, address_type integer not null,
                          numbering_plan integer not null);
create table message_stores (id integer primary key autoincrement, display_name text not null);
create table message_folders (id integer primary key autoincrement, store_id integer not null,
                              parent_id integer, display_name text not null, special_tag integer);
create index message_folders_by_parent on message_folders (parent_id, display_name);
create index message_folders_by_role on message_folders (store_id, special_tag);
create table messages (id integer primary key autoincrement, folder_id integer not null);
create index messages_by_folder on messages (folder_id, id);
create table message_properties (message_id integer not null, tag integer not null, value,
                                 primary key (message_id, tag)) without rowid;
create table recipients (id integer primary key autoincrement, message_id integer not null,
                         display_name text, email_address text, recipient_type integer);
create index recipients_by_message on recipients (message_id, id);
)sql";

qint64 PragmaValue(PhoneDatabase& db, const char* pragma) {
  PhoneStatement statement(db, pragma);
  return statement.QueryInt64().value_or(-1);
}

bool IsPhoneDatabase(PhoneDatabase& db) {
  return PragmaValue(db, "pragma application_id") == kPhoneApplicationId &&
         PragmaValue(db, "pragma user_version") == kPhoneSchemaVersion;
}

bool IsEmptyDatabase(PhoneDatabase& db) {
  return PragmaValue(db, "pragma application_id") == 0 &&
         PragmaValue(db, "select count(*) from sqlite_master") == 0;
}

bool MakeFreshPhone(PhoneDatabase& db) {
  return db.Exec(kCreateTables) && db.SetSetting(kSimPresentSetting, 1) &&
         db.SetSetting(kSimLowestIndexSetting, kFreshSimLowestIndex) &&
         db.SetSetting(kSimHighestIndexSetting, kFreshSimHighestIndex) &&
         db.SetSetting(kContactStorePresentSetting, 1) &&
         InsertMessageStore(db, QString::fromLatin1(kFreshMessageStoreName), true) != 0 &&
         db.Exec(QByteArray("pragma application_id = " + QByteArray::number(kPhoneApplicationId) +
                            "; pragma user_version = " + QByteArray::number(kPhoneSchemaVersion))
                     .constData());
}

}  // namespace

bool EnsurePhoneSchema(PhoneDatabase& db) {
  if (IsPhoneDatabase(db)) return true;
  if (!IsEmptyDatabase(db) || !db.Exec("pragma journal_mode = wal")) return false;
  PhoneTransaction transaction(db);
  if (!transaction.IsActive()) return false;
  // Another program may have made the phone while this one waited for the transaction.
  if (IsPhoneDatabase(db)) return transaction.Commit();
  return IsEmptyDatabase(db) && MakeFreshPhone(db) && transaction.Commit();
}
