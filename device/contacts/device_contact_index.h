#pragma once

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
  void Add(DeviceContactEntry entry) { entries_.push_back(std::move(entry)); }
  // Marks every entry of exactly this name (case-sensitive), of either kind.
  void MarkDuplicates(const QString& name);
  void Clear() { entries_.clear(); }

  const std::vector<DeviceContactEntry>& Entries() const { return entries_; }

 private:
  std::vector<DeviceContactEntry> entries_;
};
