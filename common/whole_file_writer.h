#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

#include <vector>

// Every file the programs write goes through this writer, so that a file replaces its target only
// when it is whole. The bytes go to a new file in the target's folder (unnamed where the system
// allows, so that a killed process leaves nothing behind); commit() writes out what is buffered,
// syncs the file to the disk and only then renames it over the target. When anything fails (a
// full disk, a file-size limit, a write cut short) or commit() is never reached, the target keeps
// its old bytes and the new file is removed. errorString() then gives the system's reason ("No
// space left on device").
//
// Every write, the last flush and the sync are checked here because Qt's QSaveFile of Debian 12
// (6.4.2) commits after a failed buffered write, renaming the short file over the target.
//
// No write follows a symbolic link: a target that exists as anything but a regular file (a link,
// a FIFO, a folder) is refused. With a confining folder, the target must lie inside it and no
// folder on the way from it to the target may be a link, so a name taken from a file can reach
// neither outside the folder nor, through a link, a file elsewhere. Without one (a path the user
// chose), the folders of the path are taken as they are.
//
// Costs: one sync per file, about 4 ms for a small file on the build machine's disk (0.2 ms
// without), which the exports of 100,000 contacts (0.5 to 0.9 s) do not show; and a 64 KB buffer,
// so that many small writes cost no more than one large one.
class WholeFileWriter : public QIODevice {
 public:
  explicit WholeFileWriter(const QString& path = QString(),
                           const QString& confiningFolder = QString());
  ~WholeFileWriter() override;
  WholeFileWriter(const WholeFileWriter&) = delete;
  WholeFileWriter& operator=(const WholeFileWriter&) = delete;

  // The target for the next open().
  void setFileName(const QString& path, const QString& confiningFolder = QString());

  // Starts the new file; only QIODevice::WriteOnly. False, with errorString(), when the target
  // cannot be written.
  bool open(OpenMode mode) override;
  // Replaces the target with the finished file; false (target as it was) when anything failed.
  // The writer is closed afterwards either way.
  bool commit();
  // Gives up the new file: the next commit() drops it and returns false.
  void cancelWriting();
  // True once a write has failed or the writing was given up.
  bool hasFailed() const { return failed_; }

  bool isSequential() const override { return false; }
  bool seek(qint64 position) override;
  qint64 size() const override;

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char* data, qint64 size) override;

 private:
  bool OpenFolder();
  bool CheckTarget();
  bool CreateNewFile();
  bool WriteOut(const char* data, qint64 size);
  bool FlushBuffer();
  bool MoveIntoPlace();
  bool Fail(const QString& reason);
  bool FailWithErrno();
  void Discard();

  QString path_;
  QString confiningFolder_;
  QString name_;              // the target's name in its folder
  int folder_ = -1;           // the target's folder
  int file_ = -1;             // the new file
  QByteArray tempName_;       // the new file's name, when the system gave it one at once
  int targetMode_ = -1;       // permissions of the target it replaces, -1: none
  std::vector<char> buffer_;  // bytes written since the last flush, from offset bufferStart_
  qint64 bufferStart_ = 0;
  qint64 size_ = 0;  // bytes flushed to the file, up to its furthest offset
  bool failed_ = false;
};

// The bytes as the whole file at `path`, through a WholeFileWriter. False when it failed; the
// target is then as it was.
bool WriteWholeFile(const QString& path, const QByteArray& bytes,
                    const QString& confiningFolder = QString());
