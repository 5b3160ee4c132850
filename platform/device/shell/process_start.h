#pragma once

#include <QString>

// Starting programs by file name. Paths here are in the phone's form, with "\" between folders;
// "/" is taken as well. A "\" inside a local folder or file name, which a phone path cannot hold,
// stands in the phone's form as U+F05C, as Cygwin writes it.

// The phone's form of a local path.
QString PhoneFormPath(const QString& localPath);

// The full path of the running program, in the phone's form.
QString GetModuleFileName();

// Starts the program at `imagePath` with no arguments and does not wait for it. The phone
// programs are built under their plain names, so a path ending in ".exe" that names no file
// starts the executable of the same name without ".exe". A relative path is taken from the
// working folder; the search path is never searched. False when nothing was started.
bool CreateProcess(const QString& imagePath);
