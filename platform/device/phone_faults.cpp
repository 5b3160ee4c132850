#include "platform/device/phone_faults.h"

#include <QString>

#include <array>

#include "platform/device/phone_database.h"

namespace {

constexpr std::array<const char*, static_cast<int>(PhoneCall::kGetRowCount) + 1> kCallNames = {
    "CoInitializeEx",
    "CoCreateInstance",
    "IPOutlookApp2::Logon",
    "IPOutlookApp2::GetDefaultFolder",
    "IFolder::get_Items",
    "IPOutlookItemCollection::get_Count",
    "IPOutlookItemCollection::Item",
    "IContact::get_Oid",
    "IPOutlookApp2::GetItemFromOidEx",
    "IPOutlookApp2::CreateItem",
    "IItem::GetProps",
    "IItem::SetProps",
    "IItem::Save",
    "IItem::Delete",
    "IItem::OpenProperty",
    "IStream::Seek",
    "IStream::Read",
    "IStream::Write",
    "SimInitialize",
    "SimGetPhonebookStatus",
    "SimGetDevCaps",
    "SimReadPhonebookEntry",
    "SimWritePhonebookEntry",
    "SimDeletePhonebookEntry",
    "MAPILogonEx",
    "IMAPISession::GetMsgStoresTable",
    "IMAPISession::OpenMsgStore",
    "IMsgStore::GetProps",
    "IMsgStore::OpenEntry",
    "IMAPIFolder::GetProps",
    "IMAPIFolder::GetHierarchyTable",
    "IMAPIFolder::GetContentsTable",
    "IMAPIFolder::CreateFolder",
    "IMAPIFolder::CreateMessage",
    "IMAPIFolder::OpenEntry",
    "IMessage::GetProps",
    "IMessage::SetProps",
    "IMessage::GetRecipientTable",
    "IMessage::ModifyRecipients",
    "IMAPITable::SetColumns",
    "IMAPITable::QueryRows",
    "IMAPITable::SeekRow",
    "IMAPITable::GetRowCount",
};

}  // namespace

const char* PhoneCallName(PhoneCall call) { return kCallNames[static_cast<int>(call)]; }

bool CallFails(PhoneDatabase& db, PhoneCall call, qint64 subject) {
  PhoneStatement find(
      db,
      "select rowid, successes_left from failing_calls"
      " where call = ? and (subject is null or subject = ?) order by rowid limit 1");
  find.BindText(1, QString::fromLatin1(PhoneCallName(call))).Bind(2, subject);
  const int rc = find.Step();
  if (rc == SQLITE_DONE) return false;
  if (rc != SQLITE_ROW || find.ColumnInt64(1) <= 0) return true;
  PhoneStatement countDown(db,
                           "update failing_calls set successes_left = successes_left - 1"
                           " where rowid = ?");
  return !countDown.Bind(1, find.ColumnInt64(0)).Run();
}

bool AddFailingCall(PhoneDatabase& db, PhoneCall call, std::optional<qint64> subject,
                    int successesFirst) {
  PhoneStatement add(db,
                     "insert into failing_calls (call, subject, successes_left) values (?, ?, ?)");
  add.BindText(1, QString::fromLatin1(PhoneCallName(call))).Bind(3, successesFirst);
  if (subject) {
    add.Bind(2, *subject);
  } else {
    add.BindNull(2);
  }
  return add.Run();
}

bool ClearFailingCalls(PhoneDatabase& db) { return db.Exec("delete from failing_calls"); }
