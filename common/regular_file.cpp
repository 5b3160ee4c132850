#include "common/regular_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString NotARegularFileText() { return QStringLiteral("Not a regular file"); }

bool OpenRegularFile(QFile& file, const QString& path, QString* reason) {
  auto fail = [&](const QString& why) {
    if (reason) *reason = why;
    return false;
  };
  // Non-blocking, so that opening a FIFO returns at once; for a regular file the flag changes
  // nothing.
  const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (handle < 0) return fail(QString::fromLocal8Bit(std::strerror(errno)));
  struct stat status;
  if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(handle);
    return fail(NotARegularFileText());
  }
  file.setFileName(path);
  if (file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
  ::close(handle);
  return fail(file.errorString());
}
