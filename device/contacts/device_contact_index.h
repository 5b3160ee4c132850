#pragma once

#include <QHash>
#include <QString>

#include <deque>
#include <optional>
#include <vector>

#include "common/contacts_backup_file.h"
#include "platform/device/stores/sim_phonebook.h"

// The contacts that were on the phone before a restore, by replacement key: a restored record
// marks the entries of its key, and they are deleted once every record is in, so the restored
// copy replaces them. Only what was there before the restore is listed, so the records of one
// file never replace each other.
//
// A named contact or SIM entry has its name as key, so a phone contact and a SIM entry of one
// name replace each other. One without a name has its whole content as key (a phone contact:
// everything a backup file holds of it; a SIM entry: its number), so it replaces only an
// identical one.

inline constexpr int kDeviceContactOutlook = 1;
inline constexpr int kDeviceContactSim = 2;

struct DeviceContactEntry {
  int kind = kDeviceContactOutlook;
  int id = 0;   // object id (Outlook) or phonebook index (SIM)
  QString key;  // NameReplacementKey, NamelessContactKey or SimReplacementKey
  bool deleteFlag = false;
  bool keep = false;  // never deleted: a record of its key was not restored, or it was overwritten
};

// The key of a name (not empty): title, first, middle and last name and suffix joined for a
// phone contact, the text of a SIM entry.
QString NameReplacementKey(const QString& name);
// The key of a phone contact without a name, from the record a backup file holds of it.
QString NamelessContactKey(const PhoneContactBody& body);
// The key of a SIM entry: its name, or its number when it has no name.
QString SimReplacementKey(const SimEntry& entry);

class CDeviceContactIndex {
 public:
  void Add(DeviceContactEntry entry);
  // Marks every entry of exactly this key (case-sensitive), of either kind.
  void MarkDuplicates(const QString& key);
  // Keeps every entry of this key: a record of it was not restored, so nothing of it may go.
  void KeepContacts(const QString& key);
  // The phonebook index of the first listed SIM entry of this key not yet taken, for a restored
  // entry of the key to overwrite, so a full SIM still takes the file's entries of the names it
  // holds; the listed entry is kept from then on (it is the restored one). Nothing when none is
  // left, or when the key is kept.
  std::optional<DWORD> TakeSimSlot(const QString& key);
  void Clear();

  // The entries in the order they were added.
  const std::vector<DeviceContactEntry>& Entries() const { return entries_; }

 private:
  std::vector<DeviceContactEntry> entries_;
  // The positions of the entries of each key, so a restore marks in time independent of the
  // number of contacts.
  QHash<QString, std::vector<std::size_t>> positionsByKey_;
  // The positions of the SIM entries of each key not yet overwritten, in index order.
  QHash<QString, std::deque<std::size_t>> simSlotsByKey_;
};
