#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "desktop/store/contact_fields.h"

// A column layout: for each of the 55 contact fields, in canonical order, the name of its CSV
// column. Both CSV dialogs save layouts under a title of the user's and load them back; a layout
// with title T is the text file ".\Config\" + T + ".cnf" in the working folder, one name a line.
struct ColumnConfigFile {
  std::array<QString, kContactFieldCount> names;
};

// The built-in layouts of the CSV export; their titles cannot name a file.
inline constexpr const char* kBuiltInLayouts[] = {"Default", "Google", "Outlook"};

// True for "Default", "Google" and "Outlook" in any letter case.
bool IsReservedConfigTitle(const QString& title);
// True when the title can name a layout file inside the Config folder: not empty, not "." or
// "..", and without "/", "\" or NUL, so that no title reaches outside the folder.
bool IsValidConfigTitle(const QString& title);

// "Config/" + title + ".cnf", relative to the working folder.
QString ColumnConfigPath(const QString& title);
// The titles of the layout files in the Config folder.
QStringList ListColumnConfigTitles();

// Writes the 55 names, an LF (CR LF on disk) between lines and none after the last, in code page
// 936. The file is replaced only when completely written. False when it cannot be written.
bool WriteColumnConfigFile(const QString& title, const ColumnConfigFile& layout);
// Reads up to 55 lines, each taken whole without its line end; missing lines are empty names and
// lines after the 55th are ignored. Nothing when the file cannot be read or is far larger than
// any layout (over 1 MiB).
std::optional<ColumnConfigFile> ReadColumnConfigFile(const QString& title);
