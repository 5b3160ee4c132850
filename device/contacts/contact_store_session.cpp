#include "device/contacts/contact_store_session.h"

#include <vector>

#include "device/contacts/contact_properties.h"

int CContactStoreSession::OpenContactStore() {
  if (FAILED(CoInitializeEx(COINIT_MULTITHREADED))) return 0;
  m_bComInitialized = true;
  if (FAILED(CoCreateInstance(CLSID_Application, m_pOutlookApp))) return 0;
  if (FAILED(m_pOutlookApp->Logon(0))) {
    m_pOutlookApp.reset();
    return 0;
  }
  return SUCCEEDED(SimInitialize(m_hSim)) ? 1 : 0;
}

void CContactStoreSession::CloseContactStore() {
  if (m_pOutlookApp) {
    m_pOutlookApp->Logoff();
    m_pOutlookApp.reset();
  }
  if (m_bComInitialized) {
    CoUninitialize();
    m_bComInitialized = false;
  }
  if (m_hSim) SimDeinitialize(m_hSim);
  m_index.Clear();
}

std::optional<CContactStoreSession::ContactItems> CContactStoreSession::GetContactItems() {
  std::unique_ptr<IFolder> folder;
  ContactItems contacts;
  if (FAILED(m_pOutlookApp->GetDefaultFolder(olFolderContacts, folder)) ||
      FAILED(folder->get_Items(contacts.items)) ||
      FAILED(contacts.items->get_Count(&contacts.count))) {
    return std::nullopt;
  }
  return contacts;
}

CEOID CContactStoreSession::ContactOidAt(IPOutlookItemCollection& items, int index) {
  std::unique_ptr<IContact> contact;
  CEOID oid = 0;
  if (FAILED(items.Item(index, contact)) || FAILED(contact->get_Oid(&oid))) return 0;
  return oid;
}

std::unique_ptr<IItem> CContactStoreSession::ContactItem(CEOID oid) {
  std::unique_ptr<IItem> item;
  if (FAILED(m_pOutlookApp->GetItemFromOidEx(oid, item))) return nullptr;
  return item;
}

std::unique_ptr<IItem> CContactStoreSession::CreateContact() {
  std::unique_ptr<IItem> item;
  if (FAILED(m_pOutlookApp->CreateItem(olContactItem, item))) return nullptr;
  return item;
}

DWORD CContactStoreSession::SimUsedCount() {
  DWORD used = 0;
  DWORD total = 0;
  if (FAILED(SimGetPhonebookStatus(m_hSim, SIM_PBSTORAGE_SIM, &used, &total))) return 0;
  return used;
}

std::optional<SIMCAPS> CContactStoreSession::SimIndexRange() {
  SIMCAPS caps;
  if (FAILED(SimGetDevCaps(m_hSim, SIM_CAPSTYPE_PBINDEXRANGE, &caps))) return std::nullopt;
  return caps;
}

void CContactStoreSession::ForEachSimEntry(
    DWORD used, const std::function<void(DWORD index, const SimEntry&)>& visit) {
  if (used == 0) return;
  const std::optional<SIMCAPS> range = SimIndexRange();
  if (!range) return;
  DWORD found = 0;
  // Wide enough to pass the highest index a SIM may report.
  for (qint64 index = range->dwMinPBIndex; found < used && index <= range->dwMaxPBIndex; ++index) {
    SimEntry entry;
    if (FAILED(SimReadPhonebookEntry(m_hSim, SIM_PBSTORAGE_SIM, static_cast<DWORD>(index), &entry)))
      continue;
    ++found;
    visit(static_cast<DWORD>(index), entry);
  }
}

std::optional<QString> CContactStoreSession::ContactKey(CEOID oid) {
  std::unique_ptr<IItem> item = ContactItem(oid);
  std::optional<std::vector<CEPROPVAL>> values = item ? ReadBackupValues(*item) : std::nullopt;
  if (!values) return std::nullopt;
  QString name;
  for (int part : kNamePartItems) name += FoundText((*values)[part]);
  if (!name.isEmpty()) return NameReplacementKey(name);
  return NamelessContactKey(ContactBodyOf(*values, ReadPicture(*item)));
}

int CContactStoreSession::BuildDeviceContactIndex() {
  m_index.Clear();
  const DWORD used = SimUsedCount();
  if (std::optional<ContactItems> contacts = GetContactItems()) {
    for (int i = 1; i <= contacts->count; ++i) {
      const CEOID oid = ContactOidAt(*contacts->items, i);
      std::optional<QString> key = oid != 0 ? ContactKey(oid) : std::nullopt;
      if (key) m_index.Add({kDeviceContactOutlook, oid, *key});
    }
  }
  ForEachSimEntry(used, [this](DWORD index, const SimEntry& entry) {
    m_index.Add({kDeviceContactSim, static_cast<int>(index), SimReplacementKey(entry)});
  });
  return 1;
}

void CContactStoreSession::MarkDuplicateContacts(const QString& key) {
  m_index.MarkDuplicates(key);
}

void CContactStoreSession::KeepContacts(const QString& key) { m_index.KeepContacts(key); }

bool CContactStoreSession::DeleteMarkedContacts() {
  bool locked = false;
  for (const DeviceContactEntry& entry : m_index.Entries()) {
    if (!entry.deleteFlag || entry.keep) continue;
    HRESULT deleted = S_OK;
    if (entry.kind == kDeviceContactSim) {
      deleted = SimDeletePhonebookEntry(m_hSim, SIM_PBSTORAGE_SIM, static_cast<DWORD>(entry.id));
    } else if (std::unique_ptr<IItem> item = ContactItem(entry.id)) {
      deleted = item->Delete();
    }
    locked = deleted == STG_E_LOCKVIOLATION;
    if (locked) break;
  }
  m_index.Clear();
  return !locked;
}
