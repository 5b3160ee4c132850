#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>

#include "device/contacts/device_contact_index.h"
#include "platform/device/stores/pocket_outlook.h"
#include "platform/device/stores/sim_phonebook.h"

// The contacts jobs' link to the phone: the contact store (Pocket Outlook) and the SIM phonebook,
// opened together on the UI thread before the worker starts, used by the one worker, and closed
// when the job goes away. A restore also keeps here the index of the contacts that were on the
// phone before it (CDeviceContactIndex).
class CContactStoreSession {
 public:
  CContactStoreSession() = default;
  ~CContactStoreSession() { CloseContactStore(); }
  CContactStoreSession(const CContactStoreSession&) = delete;
  CContactStoreSession& operator=(const CContactStoreSession&) = delete;

  // Logs on to the contact store and opens the SIM: true when both opened (whatever did open is
  // closed by CloseContactStore).
  bool OpenContactStore();
  void CloseContactStore();

  // The contacts folder's items with their count; nothing when the folder, its items or their
  // count cannot be got.
  struct ContactItems {
    std::unique_ptr<IPOutlookItemCollection> items;
    int count = 0;
  };
  std::optional<ContactItems> GetContactItems();
  // The object id of the contact at `index` (from 1); 0 when it or its id cannot be got.
  CEOID ContactOidAt(IPOutlookItemCollection& items, int index);
  // The contact of an object id as an item; null when it cannot be got.
  std::unique_ptr<IItem> ContactItem(CEOID oid);
  // A new, unsaved contact; null when it cannot be made.
  std::unique_ptr<IItem> CreateContact();

  // The number of used SIM entries; 0 when the status cannot be read.
  DWORD SimUsedCount();
  // The SIM's lowest and highest phonebook index; nothing when the range is not known.
  std::optional<SIMCAPS> SimIndexRange();
  // Reads the SIM entries from the lowest index to the highest, stopping once `used` entries were
  // found, and hands each one found to `visit`. Nothing when `used` is 0 or the range is not
  // known; indexes that cannot be read are passed over.
  void ForEachSimEntry(DWORD used, const std::function<void(DWORD index, const SimEntry&)>& visit);
  const HSIM& Sim() const { return m_hSim; }

  // Lists every contact and SIM entry now on the phone with its replacement key
  // (device_contact_index.h), unmarked. A contact whose properties cannot be read is left out:
  // listed under a wrong key, it could be replaced by a record that is not its own.
  void BuildDeviceContactIndex();
  // Marks the listed contacts of exactly this key.
  void MarkDuplicateContacts(const QString& key);
  // Keeps the listed contacts of this key (a record of theirs was not restored).
  void KeepContacts(const QString& key);
  // A listed SIM entry's index for a restored entry of the same key to overwrite
  // (CDeviceContactIndex::TakeSimSlot).
  std::optional<DWORD> TakeSimSlot(const QString& key) { return m_index.TakeSimSlot(key); }
  // Deletes the marked contacts and SIM entries that are not kept, and empties the index. Other
  // failures are passed over, but a delete refused because another program holds the phone's
  // store ends the deletions (each would wait for it again): false then.
  bool DeleteMarkedContacts();
  const CDeviceContactIndex& DeviceContactIndex() const { return m_index; }

 private:
  // The replacement key of a stored contact; nothing when the contact or its properties cannot
  // be read.
  std::optional<QString> ContactKey(CEOID oid);

  bool m_bComInitialized = false;
  std::unique_ptr<IPOutlookApp2> m_pOutlookApp;
  HSIM m_hSim;
  CDeviceContactIndex m_index;
};
