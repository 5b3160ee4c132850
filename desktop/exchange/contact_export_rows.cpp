#include "desktop/exchange/contact_export_rows.h"

#include "desktop/resources/resource_ids.h"
#include "platform/windows/message_service.h"

ContactExportRows::ContactExportRows(const QString& databasePath)
    : db_(databasePath),
      count_(db_.QueryCount(QStringLiteral("select count(*) from Contact_Table"))),
      rows_(db_, QStringLiteral("select * from Contact_Table order by ContactType asc")) {}

bool ContactExportRows::Open() {
  if (!db_.IsOpen()) {
    ShowTips(kIconError, QStringLiteral("Can't open database!"));
    return false;
  }
  if (count_ < 0 || !rows_.IsValid()) {
    ShowTips(kIconError, QStringLiteral("Can't read database!"));
    return false;
  }
  return true;
}
