#include "device/sms/skeldra_program.h"

#include "device/resources/device_resources.h"
#include "device/sms/sms_commands.h"

const DeviceProgram& SkeldraProgram() {
  static const DeviceProgram program = {
      .purpose = QStringLiteral(
          "Backs up the phone's text messages, folder by folder, into an SMS backup file (.qrd)\n"
          "or lists them in a text file (.txt), and restores them from a backup file."),
      .style = FormStyle::kSkeldra,
      .resources = &SkeldraResources(),
      .form = {.maker = QStringLiteral("Velthorn"),
               .name = QStringLiteral("Skeldra "),
               .backupTitle = QStringLiteral("Backup SMS"),
               .backupDescription = QStringLiteral("Backup mobile phone SMS and transfer to pc"),
               .restoreTitle = QStringLiteral("Restore SMS"),
               .restoreDescription = QStringLiteral("Restore SMS from qrd file to mobile phone  "),
               .exitTitle = QStringLiteral("EXIT"),
               .link = QStringLiteral("NONE")},
      .aboutCaption = QStringLiteral("About Tribbok"),
      .aboutText = QStringLiteral("Skeldra\nVersion 2.1"),
      .homePageUrl = QStringLiteral("http://www.velthorn.example/"),
      .guideUrl = QStringLiteral("http://www.velthorn.example/guide/skeldra.html"),
      .backupCommand = ID_BACKUP_MESSAGES,
      .restoreCommand = ID_RESTORE_MESSAGES,
      .commands = {{ID_BACKUP_MESSAGES, BackupMessages}, {ID_RESTORE_MESSAGES, RestoreMessages}},
  };
  return program;
}
