#include "common/whole_file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/regular_file.h"

namespace {

constexpr qsizetype kBufferBytes = 64 * 1024;
constexpr int kNameAttempts = 100;

// A name for the new file in the target's folder: short, so that it fits beside a target whose
// name takes the longest the system allows, and hidden, so that no listing of a folder shows it.
QByteArray TempName() {
  return ".whole-" + QByteArray::number(QRandomGenerator::global()->generate64(), 16) + ".tmp";
}

}  // namespace

WholeFileWriter::WholeFileWriter(const QString& path, const QString& confiningFolder)
    : path_(path), confiningFolder_(confiningFolder) {}

WholeFileWriter::~WholeFileWriter() { Discard(); }

void WholeFileWriter::setFileName(const QString& path, const QString& confiningFolder) {
  path_ = path;
  confiningFolder_ = confiningFolder;
}

bool WholeFileWriter::open(OpenMode mode) {
  Discard();
  failed_ = false;
  buffer_.reserve(kBufferBytes);
  bufferStart_ = size_ = 0;
  if (mode != WriteOnly) return Fail(QStringLiteral("Only writing is supported"));
  if (!OpenFolder() || !CheckTarget() || !CreateNewFile()) {
    Discard();
    return false;
  }
  return QIODevice::open(mode);
}

// Opens the target's folder. Inside a confining folder each folder on the way is opened in turn
// without following a link, so that the new file and the rename stay where the path says.
bool WholeFileWriter::OpenFolder() {
  const QString target = QDir::cleanPath(QFileInfo(path_).absoluteFilePath());
  name_ = QFileInfo(target).fileName();
  QString root = QFileInfo(target).path();
  QStringList steps;
  if (!confiningFolder_.isEmpty()) {
    root = QDir::cleanPath(QFileInfo(confiningFolder_).absoluteFilePath());
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    if (!target.startsWith(prefix)) return Fail(QStringLiteral("Outside its folder"));
    steps = target.mid(prefix.size()).split(QLatin1Char('/'));
    steps.removeLast();  // the target's own name
  }
  folder_ = ::open(QFile::encodeName(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_ < 0) return FailWithErrno();
  for (const QString& step : steps) {
    const int next = ::openat(folder_, QFile::encodeName(step).constData(),
                              O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (next < 0) return FailWithErrno();
    ::close(folder_);
    folder_ = next;
  }
  return true;
}

// Only a regular file is replaced; its permissions pass to the new file.
bool WholeFileWriter::CheckTarget() {
  if (name_.isEmpty()) return Fail(QStringLiteral("No file name"));
  struct stat status;
  if (::fstatat(folder_, QFile::encodeName(name_).constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
    targetMode_ = -1;
    return errno == ENOENT || FailWithErrno();
  }
  if (!S_ISREG(status.st_mode)) return Fail(NotARegularFileText());
  targetMode_ = static_cast<int>(status.st_mode & 07777);
  return true;
}

// An unnamed file where the file system has them, a hidden named one elsewhere.
bool WholeFileWriter::CreateNewFile() {
  tempName_.clear();
  file_ = ::openat(folder_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
  for (int attempt = 0; file_ < 0 && attempt < kNameAttempts; ++attempt) {
    tempName_ = TempName();
    file_ = ::openat(folder_, tempName_.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (file_ < 0 && errno != EEXIST) break;
  }
  if (file_ < 0) {
    tempName_.clear();
    return FailWithErrno();
  }
  if (targetMode_ >= 0 && ::fchmod(file_, static_cast<mode_t>(targetMode_)) != 0) {
    return FailWithErrno();
  }
  return true;
}

qint64 WholeFileWriter::readData(char*, qint64) { return -1; }

qint64 WholeFileWriter::writeData(const char* data, qint64 size) {
  if (failed_) return -1;
  if (static_cast<qint64>(buffer_.size()) + size > kBufferBytes) {
    if (!FlushBuffer()) return -1;
    if (size >= kBufferBytes) return WriteOut(data, size) ? size : -1;
  }
  buffer_.insert(buffer_.end(), data, data + size);
  return size;
}

// Writes at the file's offset, which is bufferStart_; a short write goes on from where it ended.
bool WholeFileWriter::WriteOut(const char* data, qint64 size) {
  while (size > 0) {
    const ssize_t written = ::write(file_, data, static_cast<size_t>(size));
    if (written < 0 && errno == EINTR) continue;
    if (written < 0) return FailWithErrno();
    if (written == 0) return Fail(qt_error_string(ENOSPC));
    data += written;
    size -= written;
    bufferStart_ += written;
    size_ = std::max(size_, bufferStart_);
  }
  return true;
}

bool WholeFileWriter::FlushBuffer() {
  if (failed_) return false;
  const bool written = WriteOut(buffer_.data(), static_cast<qint64>(buffer_.size()));
  buffer_.clear();
  return written;
}

bool WholeFileWriter::seek(qint64 position) {
  if (!isOpen() || !FlushBuffer()) return false;
  if (::lseek(file_, position, SEEK_SET) < 0) return FailWithErrno();
  bufferStart_ = position;
  return QIODevice::seek(position);
}

qint64 WholeFileWriter::size() const {
  return std::max(size_, bufferStart_ + static_cast<qint64>(buffer_.size()));
}

bool WholeFileWriter::commit() {
  const bool committed = isOpen() && FlushBuffer() && MoveIntoPlace();
  Discard();
  return committed;
}

// The file reaches the disk before its name does: a crash after the rename finds it whole.
bool WholeFileWriter::MoveIntoPlace() {
  if (::fsync(file_) != 0) return FailWithErrno();
  if (tempName_.isEmpty()) {
    const QByteArray self = "/proc/self/fd/" + QByteArray::number(file_);
    for (int attempt = 0; tempName_.isEmpty() && attempt < kNameAttempts; ++attempt) {
      tempName_ = TempName();
      if (::linkat(AT_FDCWD, self.constData(), folder_, tempName_.constData(), AT_SYMLINK_FOLLOW) ==
          0) {
        break;
      }
      const int reason = errno;
      tempName_.clear();
      if (reason != EEXIST) return Fail(qt_error_string(reason));
    }
  }
  const int closed = ::close(file_);
  file_ = -1;
  if (closed != 0) return FailWithErrno();
  if (::renameat(folder_, tempName_.constData(), folder_, QFile::encodeName(name_).constData()) !=
      0) {
    return FailWithErrno();
  }
  tempName_.clear();
  return true;
}

void WholeFileWriter::cancelWriting() {
  if (!failed_) Fail(QStringLiteral("Writing cancelled"));
}

bool WholeFileWriter::Fail(const QString& reason) {
  if (!failed_) setErrorString(reason);
  failed_ = true;
  return false;
}

bool WholeFileWriter::FailWithErrno() { return Fail(qt_error_string(errno)); }

// Closes everything; a new file that was not moved into place is removed.
void WholeFileWriter::Discard() {
  if (file_ >= 0) ::close(file_);
  file_ = -1;
  if (!tempName_.isEmpty()) ::unlinkat(folder_, tempName_.constData(), 0);
  tempName_.clear();
  if (folder_ >= 0) ::close(folder_);
  folder_ = -1;
  buffer_.clear();
  if (isOpen()) QIODevice::close();
}

bool WriteWholeFile(const QString& path, const QByteArray& bytes, const QString& confiningFolder) {
  WholeFileWriter file(path, confiningFolder);
  return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}
