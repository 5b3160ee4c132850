#include "device/launcher/launcher_commands.h"

#include "platform/device/shell/process_start.h"

namespace {

void LaunchBesideModule(const QString& fileName) {
  CreateProcess(PathBesideModule(GetModuleFileName(), fileName));
}

}  // namespace

QString PathBesideModule(const QString& modulePath, const QString& fileName) {
  return modulePath.left(modulePath.lastIndexOf(QLatin1Char('\\')) + 1) + fileName;
}

void OnLaunchSkeldra(CMainFrame&) { LaunchBesideModule(QStringLiteral("Skeldra.exe")); }

void OnLaunchMarrowind(CMainFrame&) { LaunchBesideModule(QStringLiteral("Marrowind.exe")); }
