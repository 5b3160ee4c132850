#pragma once

#include <QHash>
#include <QString>

#include <vector>

// The contacts that were on the phone before a restore, by name: a restored record marks the
// entries of its name, and they are deleted once every record is in, so the restored copy
// replaces them.

inline constexpr int kDeviceContactOutlook = 1;
inline constexpr int kDeviceContactSim = 2;

struct DeviceContactEntry {
  int kind = kDeviceContactOutlook;
  int id = 0;    // object id (Outlook) or phonebook index (SIM)
  QString name;  // Outlook: title, first, middle, last name and suffix joined; SIM: the text
  bool deleteFlag = false;
};

class CDeviceContactIndex {
 public:
  void Add(DeviceContactEntry entry);
  // Marks every entry of exactly this name (case-sensitive), of either kind.
  void MarkDuplicates(const QString& name);
  void Clear();

  // The entries in the order they were added.
  const std::vector<DeviceContactEntry>& Entries() const { return entries_; }

 private:
  std::vector<DeviceContactEntry> entries_;
  // The positions of the entries of each name, so a restore marks in time independent of the
  // number of contacts.
  QHash<QString, std::vector<std::size_t>> positionsByName_;
};
