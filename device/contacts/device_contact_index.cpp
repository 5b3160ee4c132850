#include "device/contacts/device_contact_index.h"

void CDeviceContactIndex::MarkDuplicates(const QString& name) {
  for (DeviceContactEntry& entry : entries_) {
    if (!entry.deleteFlag && entry.name == name) entry.deleteFlag = true;
  }
}
