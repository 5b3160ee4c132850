#pragma once

#include <QString>

class CMainFrame;

// Orvanel's two commands: start Skeldra or Marrowind from the folder Orvanel runs from, with no
// command line. Nothing is kept and nothing waits; a program that is missing or does not start
// is passed over in silence, and the launcher stays open.

inline constexpr int ID_LAUNCH_SKELDRA = 32777;
inline constexpr int ID_LAUNCH_MARROWIND = 32778;

void OnLaunchSkeldra(CMainFrame& frame);
void OnLaunchMarrowind(CMainFrame& frame);

// The path of `fileName` in the folder of `modulePath`: the path cut after its last "\" (empty
// when it has none), then the file name.
QString PathBesideModule(const QString& modulePath, const QString& fileName);
