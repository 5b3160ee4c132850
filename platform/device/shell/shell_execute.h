#pragma once

#include <QString>

// The shell's "execute" of a document or address: "open" with a web address shows the page in
// the browser.
struct ShellExecuteInfo {
  QString verb;
  QString file;
};

// False when the verb is not "open" or nothing could open the file.
bool ShellExecuteEx(const ShellExecuteInfo& info);
