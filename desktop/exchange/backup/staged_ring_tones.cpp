#include "desktop/exchange/backup/staged_ring_tones.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

#include "common/ansi_text.h"
#include "common/whole_file_writer.h"
#include "desktop/exchange/backup/ring_tone_folder.h"

StagedRingTones::StagedRingTones(const QString& databasePath)
    : databasePath_(databasePath),
      staging_(QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("ring-XXXXXX"))) {}

bool StagedRingTones::Read(ContactsBackupReader& reader) {
  std::int32_t count;
  if (!reader.ReadRingToneCount(&count)) return false;
  for (std::int32_t i = 0; i < count; ++i) {
    RingToneEntry read;
    if (!reader.ReadRingTone(&read)) return false;
    Entry& entry = entries_.emplace_back();
    entry.path = RingToneFilePath(databasePath_, AnsiToWide(read.name));
    entry.missing = IsMissingRingTone(read.data);
    if (!entry.path.isEmpty()) entry.staged = Stage(read.data, &entry);
  }
  return true;
}

bool StagedRingTones::Stage(const QByteArray& data, Entry* entry) {
  if (!staging_.isOpen() && !staging_.open()) return false;
  entry->offset = staging_.size();
  entry->size = data.size();
  return staging_.seek(entry->offset) && staging_.write(data) == data.size();
}

StagedRingTones::Written StagedRingTones::Write() {
  Written written;
  if (!entries_.empty()) QDir().mkpath(RingToneFolder(databasePath_));
  for (const Entry& entry : entries_) {
    if (entry.path.isEmpty()) {
      written.unusableName = true;
    } else if (entry.missing && QFileInfo(entry.path).exists()) {
      continue;  // the phone had lost its file: the good copy here stays
    } else if (!entry.staged || !WriteEntry(entry)) {
      ++written.unwritable;
    }
  }
  return written;
}

// Copied a piece at a time, so that a large ring tone takes little memory. Nothing is written
// through a link or outside the folder of the database.
bool StagedRingTones::WriteEntry(const Entry& entry) {
  constexpr qint64 kPiece = 1024 * 1024;
  WholeFileWriter file(entry.path, QFileInfo(databasePath_).absolutePath());
  if (!file.open(QIODevice::WriteOnly) || !staging_.seek(entry.offset)) return false;
  for (qint64 left = entry.size; left > 0;) {
    QByteArray piece = staging_.read(std::min(kPiece, left));
    if (piece.isEmpty() || file.write(piece) != piece.size()) return false;
    left -= piece.size();
  }
  return file.commit();
}
