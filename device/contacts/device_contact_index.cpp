#include "device/contacts/device_contact_index.h"

#include <QCryptographicHash>

QString NameReplacementKey(const QString& name) { return QLatin1Char('N') + name; }

// A digest rather than the record itself: the record holds the picture.
QString NamelessContactKey(const PhoneContactBody& body) {
  return QLatin1Char('P') +
         QString::fromLatin1(
             QCryptographicHash::hash(PhoneRecordBytes(body), QCryptographicHash::Sha256).toHex());
}

QString SimReplacementKey(const SimEntry& entry) {
  const QString name = entry.Name();
  return name.isEmpty() ? QLatin1Char('S') + entry.Number() : NameReplacementKey(name);
}

void CDeviceContactIndex::Add(DeviceContactEntry entry) {
  positionsByKey_[entry.key].push_back(entries_.size());
  if (entry.kind == kDeviceContactSim) {
    simSlotsByKey_[entry.key].push_back(entries_.size());
  }
  entries_.push_back(std::move(entry));
}

void CDeviceContactIndex::MarkDuplicates(const QString& key) {
  const auto found = positionsByKey_.constFind(key);
  if (found == positionsByKey_.cend()) return;
  for (std::size_t position : *found) entries_[position].deleteFlag = true;
}

void CDeviceContactIndex::KeepContacts(const QString& key) {
  const auto found = positionsByKey_.constFind(key);
  if (found == positionsByKey_.cend()) return;
  for (std::size_t position : *found) entries_[position].keep = true;
  simSlotsByKey_.remove(key);
}

std::optional<DWORD> CDeviceContactIndex::TakeSimSlot(const QString& key) {
  const auto found = simSlotsByKey_.find(key);
  if (found == simSlotsByKey_.end() || found->empty()) return std::nullopt;
  DeviceContactEntry& entry = entries_[found->front()];
  found->pop_front();
  entry.keep = true;
  return static_cast<DWORD>(entry.id);
}

void CDeviceContactIndex::Clear() {
  entries_.clear();
  positionsByKey_.clear();
  simSlotsByKey_.clear();
}
