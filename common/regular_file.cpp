#include "common/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool OpenRegularFile(QFile& file, const QString& path) {
  // Non-blocking, so that opening a FIFO returns at once; for a regular file the flag changes
  // nothing.
  const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (handle < 0) return false;
  struct stat status;
  if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode)) {
    ::close(handle);
    return false;
  }
  file.setFileName(path);
  if (file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
  ::close(handle);
  return false;
}
