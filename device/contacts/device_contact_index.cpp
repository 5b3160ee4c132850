#include "device/contacts/device_contact_index.h"

void CDeviceContactIndex::Add(DeviceContactEntry entry) {
  positionsByName_[entry.name].push_back(entries_.size());
  entries_.push_back(std::move(entry));
}

void CDeviceContactIndex::MarkDuplicates(const QString& name) {
  const auto found = positionsByName_.constFind(name);
  if (found == positionsByName_.cend()) return;
  for (std::size_t position : *found) entries_[position].deleteFlag = true;
}

void CDeviceContactIndex::Clear() {
  entries_.clear();
  positionsByName_.clear();
}
