#pragma once

#include <QFile>
#include <QString>

// Opens an existing file for reading (binary) only when it is a regular file. Anything else at the
// path (a FIFO, a device, a folder) is refused without waiting on it: opening a FIFO for reading
// would block until another program opens it for writing, and reading a device may never end.
// False when the path names no regular file or it cannot be read; `reason` then says why, as the
// system does ("No such file or directory", "Not a regular file").
bool OpenRegularFile(QFile& file, const QString& path, QString* reason = nullptr);

// The text of a file that is no regular file, as every reader and writer gives it.
QString NotARegularFileText();
