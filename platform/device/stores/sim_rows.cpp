#include "platform/device/stores/sim_rows.h"

#include "platform/device/stores/phone_database.h"
#include "platform/device/stores/phone_schema.h"

namespace {

void FillEntry(const PhoneStatement& row, int firstColumn, SimEntry* entry) {
  *entry = SimEntry{};
  entry->validFields = SIM_PARAM_PBE_ALL;
  entry->SetName(row.ColumnText(firstColumn));
  entry->SetNumber(row.ColumnText(firstColumn + 1));
  entry->addressType = static_cast<DWORD>(row.ColumnInt64(firstColumn + 2));
  entry->numberingPlan = static_cast<DWORD>(row.ColumnInt64(firstColumn + 3));
}

}  // namespace

std::optional<SimRange> LoadSimRange(PhoneDatabase& db) {
  const qint64 lowest = db.Setting(kSimLowestIndexSetting, -1);
  const qint64 highest = db.Setting(kSimHighestIndexSetting, -1);
  if (lowest < 0 || highest < lowest || highest > kLargestSimIndex) return std::nullopt;
  return SimRange{static_cast<DWORD>(lowest), static_cast<DWORD>(highest)};
}

std::optional<DWORD> CountSimEntries(PhoneDatabase& db, const SimRange& range) {
  PhoneStatement count(db, "select count(*) from sim_entries where entry_index between ? and ?");
  std::optional<qint64> used = count.Bind(1, range.lowest).Bind(2, range.highest).QueryInt64();
  if (!used) return std::nullopt;
  return static_cast<DWORD>(*used);
}

std::optional<bool> ReadSimEntry(PhoneDatabase& db, DWORD index, SimEntry* entry) {
  PhoneStatement read(db,
                      "select name, number, address_type, numbering_plan from sim_entries"
                      " where entry_index = ?");
  const int rc = read.Bind(1, index).Step();
  if (rc == SQLITE_DONE) return false;
  if (rc != SQLITE_ROW) return std::nullopt;
  FillEntry(read, 0, entry);
  return true;
}

bool WriteSimEntry(PhoneDatabase& db, DWORD index, const SimEntry& entry) {
  PhoneStatement write(db,
                       "insert or replace into sim_entries (entry_index, name, number,"
                       " address_type, numbering_plan) values (?, ?, ?, ?, ?)");
  return write.Bind(1, index)
      .BindText(2, entry.Name())
      .BindText(3, entry.Number())
      .Bind(4, entry.addressType)
      .Bind(5, entry.numberingPlan)
      .Run();
}

bool DeleteSimEntry(PhoneDatabase& db, DWORD index) {
  PhoneStatement erase(db, "delete from sim_entries where entry_index = ?");
  return erase.Bind(1, index).Run() && sqlite3_changes(db.Handle()) > 0;
}

std::optional<std::map<DWORD, SimEntry>> LoadSimEntries(PhoneDatabase& db) {
  PhoneStatement read(db,
                      "select entry_index, name, number, address_type, numbering_plan"
                      " from sim_entries order by entry_index");
  std::map<DWORD, SimEntry> entries;
  int rc;
  while ((rc = read.Step()) == SQLITE_ROW) {
    FillEntry(read, 1, &entries[static_cast<DWORD>(read.ColumnInt64(0))]);
  }
  if (rc != SQLITE_DONE) return std::nullopt;
  return entries;
}
