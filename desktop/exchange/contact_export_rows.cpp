#include "desktop/exchange/contact_export_rows.h"

#include "desktop/resources/resource_ids.h"
#include "platform/windows/message_service.h"

ContactExportRows::ContactExportRows(const QString& databasePath)
    : db_(databasePath),
      fault_(CheckContactTable(db_)),
      rows_(db_, QStringLiteral("select * from Contact_Table order by ContactType asc")) {
  if (fault_ != DatabaseFault::kNone) return;
  SqlStatement count(db_, QStringLiteral("select count(*) from Contact_Table"));
  int rc = count.Step();
  fault_ = FaultOfResult(rc);
  if (rc == SQLITE_ROW) count_ = count.ColumnInt64(0);
}

bool ContactExportRows::Open() {
  if (fault_ == DatabaseFault::kNone) return true;
  ShowTips(kIconError, DatabaseFaultText(fault_));
  return false;
}

bool ContactExportRows::Next() {
  if (fault_ != DatabaseFault::kNone) return false;
  int rc = rows_.Step();
  if (rc == SQLITE_ROW) return true;
  fault_ = FaultOfResult(rc);
  return false;
}
