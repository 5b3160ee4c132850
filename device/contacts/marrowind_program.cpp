#include "device/contacts/marrowind_program.h"

#include "device/contacts/marrowind_commands.h"
#include "device/resources/device_resources.h"

const DeviceProgram& MarrowindProgram() {
  static const DeviceProgram program = {
      .purpose = QStringLiteral(
          "Backs up the phone's contacts and SIM entries into a contacts backup file (.vbx) or\n"
          "lists them in a text file (.txt), and restores them from a backup file."),
      .style = FormStyle::kMarrowind,
      .resources = &MarrowindResources(),
      .form = {.maker = QStringLiteral("Velthorn"),
               .name = QStringLiteral("Marrowind"),
               .backupTitle = QStringLiteral("Backup Contacts"),
               .backupDescription =
                   QStringLiteral("Backup all Contacts from\nSIM , Outlook and Mobile "),
               .restoreTitle = QStringLiteral("Restore Contacts"),
               .restoreDescription = QStringLiteral("Restore Contacts to\nMobile from backup file"),
               .exitTitle = QStringLiteral("EXIT"),
               .link = QString::fromLatin1(kMakerWebAddress)},
      .aboutCaption = QStringLiteral("About Marrowind"),
      .aboutText = QStringLiteral("Marrowind\nVersion 2.0"),
      .homePageUrl = QStringLiteral("http://www.velthorn.example/"),
      .guideUrl = QStringLiteral("http://www.velthorn.example/guide/marrowind.html"),
      .backupCommand = ID_BACKUP_CONTACTS,
      .restoreCommand = ID_RESTORE_CONTACTS,
      .commands = {{ID_BACKUP_CONTACTS, OnBackupContacts},
                   {ID_RESTORE_CONTACTS, OnRestoreContacts}},
  };
  return program;
}
