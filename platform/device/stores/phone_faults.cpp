#include "platform/device/stores/phone_faults.h"

#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

#include "platform/device/stores/phone_database.h"

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
    "IMessage::SaveChanges",
    "IMAPITable::SetColumns",
    "IMAPITable::QueryRows",
    "IMAPITable::SeekRow",
    "IMAPITable::GetRowCount",
};

// The count of successes left of a fault that fails one call and then goes.
constexpr qint64 kFailsOnce = -1;

// Counts the faults made and removed in this process, so that connections know when to read
// them again.
std::atomic<quint64> faultChanges{0};

static_assert(kCallNames.size() <= 64, "a bit for each call");
std::uint64_t CallBit(int call) { return std::uint64_t{1} << call; }

// The calls that have faults, a bit each; nothing when the faults cannot be read.
std::optional<std::uint64_t> ReadFaultyCalls(PhoneDatabase& db) {
  PhoneStatement read(db, "select distinct call from failing_calls");
  std::uint64_t calls = 0;
  int rc;
  while ((rc = read.Step()) == SQLITE_ROW) {
    const QString name = read.ColumnText(0);
    for (std::size_t call = 0; call < kCallNames.size(); ++call) {
      if (name == QLatin1String(kCallNames[call])) calls |= CallBit(static_cast<int>(call));
    }
  }
  if (rc != SQLITE_DONE) return std::nullopt;
  return calls;
}

// Whether any fault may name this call.
bool MayFail(PhoneDatabase& db, PhoneCall call) {
  PhoneDatabase::KnownFaults& known = db.Faults();
  std::lock_guard<std::mutex> lock(known.mutex);
  const quint64 changes = faultChanges.load();
  if (known.faultChangesSeen != changes) {
    const std::optional<std::uint64_t> calls = ReadFaultyCalls(db);
    if (!calls) return true;
    known.faultChangesSeen = changes;
    known.calls = *calls;
  }
  return (known.calls & CallBit(static_cast<int>(call))) != 0;
}

}  // namespace

const char* PhoneCallName(PhoneCall call) { return kCallNames[static_cast<int>(call)]; }

bool CallFails(PhoneDatabase& db, PhoneCall call, qint64 subject) {
  if (!MayFail(db, call)) return false;
  PhoneStatement find(
      db,
      "select rowid, successes_left from failing_calls"
      " where call = ? and (subject is null or subject = ?) order by rowid limit 1");
  find.BindText(1, QString::fromLatin1(PhoneCallName(call))).Bind(2, subject);
  const int rc = find.Step();
  if (rc == SQLITE_DONE) return false;
  if (rc != SQLITE_ROW) return true;
  const qint64 fault = find.ColumnInt64(0);
  const qint64 successesLeft = find.ColumnInt64(1);
  if (successesLeft == kFailsOnce) {
    PhoneStatement remove(db, "delete from failing_calls where rowid = ?");
    remove.Bind(1, fault).Run();
    return true;
  }
  if (successesLeft <= 0) return true;
  PhoneStatement countDown(db,
                           "update failing_calls set successes_left = successes_left - 1"
                           " where rowid = ?");
  return !countDown.Bind(1, fault).Run();
}

bool AddFailingCall(PhoneDatabase& db, PhoneCall call, std::optional<qint64> subject,
                    int successesFirst, bool once) {
  PhoneStatement add(db,
                     "insert into failing_calls (call, subject, successes_left) values (?, ?, ?)");
  add.BindText(1, QString::fromLatin1(PhoneCallName(call)))
      .Bind(3, once ? kFailsOnce : successesFirst);
  if (subject) {
    add.Bind(2, *subject);
  } else {
    add.BindNull(2);
  }
  const bool added = add.Run();
  ++faultChanges;
  return added;
}

bool ClearFailingCalls(PhoneDatabase& db) {
  const bool cleared = db.Exec("delete from failing_calls");
  ++faultChanges;
  return cleared;
}
