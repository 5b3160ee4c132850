#include "desktop/ui/export_target.h"

#include <QFile>

#include <filesystem>
#include <system_error>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "platform/windows/message_service.h"

bool AcceptExportTarget(const QString& path) {
  // A target that does not exist yet is no file of ours.
  std::error_code missing;
  bool isDatabase = std::filesystem::equivalent(QFile::encodeName(path).toStdString(),
                                                kContactDatabaseFile, missing);
  if (!isDatabase) return true;
  ShowTips(kIconError, QStringLiteral("Can't export to Contact.cdt, the contact database!"));
  return false;
}
