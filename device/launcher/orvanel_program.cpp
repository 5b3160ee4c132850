#include "device/launcher/orvanel_program.h"

#include "device/launcher/launcher_commands.h"
#include "device/resources/device_resources.h"

const DeviceProgram& OrvanelProgram() {
  static const DeviceProgram program = {
      .purpose = QStringLiteral("Starts Skeldra (text messages) and Marrowind (contacts), which "
                                "stand in its own folder."),
      .style = FormStyle::kMarrowind,
      .resources = &OrvanelResources(),
      .form = {.maker = QStringLiteral("Velthorn"),
               .name = QStringLiteral("Orvanel"),
               .backupTitle = QStringLiteral("Skeldra"),
               .backupDescription = QStringLiteral("Transfer sms between\nmobile and computer"),
               .restoreTitle = QStringLiteral("Marrowind"),
               .restoreDescription =
                   QStringLiteral("Transfer contacts between\nmobile and computer"),
               .exitTitle = QStringLiteral("EXIT"),
               .link = QString::fromLatin1(kMakerWebAddress)},
      .aboutCaption = QStringLiteral("About Orvanel"),
      .aboutText = QStringLiteral("Orvanel\nVersion 2.0"),
      .homePageUrl = QStringLiteral("http://www.velthorn.example/"),
      .guideUrl = QStringLiteral("http://www.velthorn.example/guide/orvanel.html"),
      .backupCommand = ID_LAUNCH_SKELDRA,
      .restoreCommand = ID_LAUNCH_MARROWIND,
      .commands = {{ID_LAUNCH_SKELDRA, OnLaunchSkeldra}, {ID_LAUNCH_MARROWIND, OnLaunchMarrowind}},
  };
  return program;
}
