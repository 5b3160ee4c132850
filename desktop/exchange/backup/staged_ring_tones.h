#pragma once

#include <QString>
#include <QTemporaryFile>

#include <vector>

#include "common/contacts_backup_file.h"

// The ring-tone files of a contacts backup, read from the file before the import commits and
// written into the ring-tone folder only once it has: an import that is rolled back writes and
// replaces no ring tone, and a damaged ring-tone table is found while everything can still be
// taken back.
//
// Their bytes wait in a temporary file beside the database: on the same disk as the ring-tone
// folder, so a disk too full for them is found before the commit; unnamed where the system
// allows, so nothing is left behind by a killed import; and a file of any size takes the memory
// of one ring tone.
class StagedRingTones {
 public:
  explicit StagedRingTones(const QString& databasePath);

  // Reads the ring-tone table, which follows the last record. False when the file ends inside
  // it.
  bool Read(ContactsBackupReader& reader);

  struct Written {
    int unwritable = 0;         // entries whose file could not be written
    bool unusableName = false;  // an entry was skipped: its name gives no file name

    bool operator==(const Written&) const = default;
  };
  // Writes each entry into the ring-tone folder under the last component of its name, replacing
  // a file of that name whole (never two entries one after the other), or leaving it as it was.
  // An entry that holds no tone (the phone could not read its file) never replaces a file that
  // is there. A name that is a link, or a ring-tone folder that is one, is not written.
  Written Write();

 private:
  struct Entry {
    QString path;  // empty when the name gives no file name
    qint64 offset = 0;
    qint64 size = 0;
    bool staged = false;   // its bytes are in the temporary file
    bool missing = false;  // it holds no tone (IsMissingRingTone)
  };

  bool Stage(const QByteArray& data, Entry* entry);
  bool WriteEntry(const Entry& entry);

  QString databasePath_;
  QTemporaryFile staging_;
  std::vector<Entry> entries_;
};
