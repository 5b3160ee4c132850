#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/device/stores/device_types.h"

class PhoneDatabase;
class ContactPositions;

// The phone's contact store as the Pocket Outlook object model offers it: an application object
// that logs on, the contacts folder with its item collection, contacts by 1-based index and by
// object id, their properties read in one call and set one by one, new contacts, and the contact's
// picture as a stream. Objects free themselves (no Release); each object holds its own link to the
// phone's database, so it stays usable after the object it came from is gone, and may be used on
// another thread than the one that made it (one thread at a time).
//
// Every call returns an HRESULT: S_OK on success, a negative value on failure. A call fails when a
// test made it fail (PhoneSetup::FailCall), when its object no longer exists, and when the phone's
// database cannot be read or written. A write (Save, Delete) that another program keeps out of the
// database for longer than a call waits (kPhoneBusyTimeoutMs) fails with STG_E_LOCKVIOLATION.

using CEPROPID = DWORD;  // property id: the value's type (CEVT_*) in the low word
using CEOID = LONG;      // object id of a contact: positive, never reused

// Value types (low word of a property id).
inline constexpr WORD CEVT_LPWSTR = 0x1F;
inline constexpr WORD CEVT_FILETIME = 0x40;
inline constexpr WORD PropIdType(CEPROPID id) { return static_cast<WORD>(id & 0xFFFF); }

// The contact's picture: read and written only as a stream (OpenProperty).
inline constexpr CEPROPID PIMPR_PICTURE = 0xFF0064;

// Value flag: the item does not have this property.
inline constexpr WORD CEDB_PROPNOTFOUND = 0x0100;

inline constexpr int olFolderContacts = 10;
inline constexpr int olContactItem = 2;

inline constexpr DWORD COINIT_MULTITHREADED = 0;
inline constexpr DWORD GENERIC_READ = 0x80000000;
inline constexpr DWORD GENERIC_WRITE = 0x40000000;

// Stream seek origins.
inline constexpr DWORD STREAM_SEEK_SET = 0;
inline constexpr DWORD STREAM_SEEK_CUR = 1;
inline constexpr DWORD STREAM_SEEK_END = 2;
inline constexpr HRESULT STG_E_INVALIDFUNCTION = static_cast<HRESULT>(0x80030001);

// One property value: a text (CEVT_LPWSTR) or a date (CEVT_FILETIME), by the id's type.
struct CEVALUNION {
  QString lpwstr{};
  FILETIME filetime{};
};

struct CEPROPVAL {
  CEPROPID propid = 0;
  WORD wFlags = 0;  // CEDB_PROPNOTFOUND when the item lacks the property
  CEVALUNION val{};
};

struct CLSID {
  DWORD Data1;
  WORD Data2;
  WORD Data3;
  BYTE Data4[8];
  bool operator==(const CLSID&) const = default;
};

// The Pocket Outlook application object.
inline constexpr CLSID CLSID_Application = {
    0x05058F23, 0x20BE, 0x11D2, {0x8F, 0x18, 0x00, 0x00, 0xF8, 0x7A, 0x43, 0x35}};

class IPOutlookApp2;
class IFolder;
class IPOutlookItemCollection;
class IContact;
class IItem;
class IStream;

// Prepares the calling thread for the contact store: S_OK (nothing else to do here), E_FAIL when
// made to fail or the phone cannot be opened.
HRESULT CoInitializeEx(DWORD coInit);
void CoUninitialize();

// Creates the application object of `clsid`. REGDB_E_CLASSNOTREG for any class but
// CLSID_Application and when the phone has no contact store (PhoneSetup::SetContactStorePresent);
// E_FAIL when the phone cannot be opened or the call is made to fail.
HRESULT CoCreateInstance(const CLSID& clsid, std::unique_ptr<IPOutlookApp2>& app);

class IPOutlookApp2 {
 public:
  explicit IPOutlookApp2(std::shared_ptr<PhoneDatabase> db) : db_(std::move(db)) {}

  // Logs on (no window is needed: any value). The calls below fail with E_FAIL until it did.
  HRESULT Logon(LONG hwnd);
  HRESULT Logoff();
  // The default folder of a kind: only olFolderContacts exists (E_INVALIDARG for others).
  HRESULT GetDefaultFolder(int folderKind, std::unique_ptr<IFolder>& folder);
  // The contact with this object id; E_NOT_FOUND when there is none.
  HRESULT GetItemFromOidEx(CEOID oid, std::unique_ptr<IItem>& item);
  // A new, unsaved item of a kind: only olContactItem (E_INVALIDARG for others). It becomes a
  // contact of the store when it is saved.
  HRESULT CreateItem(int itemKind, std::unique_ptr<IItem>& item);

 private:
  std::shared_ptr<PhoneDatabase> db_;
  bool loggedOn_ = false;
};

class IFolder {
 public:
  explicit IFolder(std::shared_ptr<PhoneDatabase> db) : db_(std::move(db)) {}
  HRESULT get_Items(std::unique_ptr<IPOutlookItemCollection>& items);

 private:
  std::shared_ptr<PhoneDatabase> db_;
};

// The contacts in folder order (the order they were saved in). The collection is live: count and
// indexes follow contacts saved or deleted since it was got.
class IPOutlookItemCollection {
 public:
  explicit IPOutlookItemCollection(std::shared_ptr<PhoneDatabase> db);
  ~IPOutlookItemCollection();
  HRESULT get_Count(int* count);
  // The contact at `index`, from 1; E_INVALIDARG outside 1 to the count.
  HRESULT Item(int index, std::unique_ptr<IContact>& contact);

 private:
  std::shared_ptr<PhoneDatabase> db_;
  std::unique_ptr<ContactPositions> positions_;
};

class IContact {
 public:
  IContact(std::shared_ptr<PhoneDatabase> db, CEOID oid) : db_(std::move(db)), oid_(oid) {}
  HRESULT get_Oid(CEOID* oid);

 private:
  std::shared_ptr<PhoneDatabase> db_;
  CEOID oid_;
};

// A contact item: the saved contact (object id) or a new one (object id 0 until saved). Property
// changes and a picture written to its stream are kept with the item and stored by Save.
class IItem {
 public:
  IItem(std::shared_ptr<PhoneDatabase> db, CEOID oid);

  // One value per id, in the order asked; a property the item does not have comes back with
  // CEDB_PROPNOTFOUND in wFlags (the picture always does: it is read as a stream). Unsaved changes
  // are seen. E_FAIL when the saved contact no longer exists.
  HRESULT GetProps(const std::vector<CEPROPID>& ids, std::vector<CEPROPVAL>& values);
  // Sets text and date properties (kept until Save); E_INVALIDARG, nothing set, for an id of
  // another type.
  HRESULT SetProps(const std::vector<CEPROPVAL>& values);
  // Stores the item's changes and picture in one transaction; a new item becomes a contact at the
  // end of the folder and gets its object id. E_FAIL when the saved contact no longer exists.
  HRESULT Save();
  // Deletes the saved contact with its properties and picture. E_FAIL for an unsaved item or a
  // contact that no longer exists.
  HRESULT Delete();
  // Opens the picture (PIMPR_PICTURE) as a stream. GENERIC_READ: the current picture, E_NOT_FOUND
  // when the item has none. GENERIC_WRITE (with or without GENERIC_READ): an empty stream whose
  // bytes become the item's picture, stored by Save. E_INVALIDARG for another property.
  HRESULT OpenProperty(CEPROPID id, DWORD access, std::unique_ptr<IStream>& stream);

  CEOID Oid() const { return oid_; }

 private:
  std::shared_ptr<PhoneDatabase> db_;
  CEOID oid_;
  std::map<CEPROPID, CEPROPVAL> changes_;
  std::shared_ptr<QByteArray> newPicture_;  // set once a picture stream was opened for writing
};

// A picture stream: a position in the picture's bytes.
class IStream {
 public:
  IStream(std::shared_ptr<PhoneDatabase> db, CEOID oid, std::shared_ptr<QByteArray> bytes,
          bool writable);

  // Moves the position (may pass the end); the new position into `newPosition` when not null.
  // STG_E_INVALIDFUNCTION for a position before the start or an unknown origin.
  HRESULT Seek(qint64 move, DWORD origin, quint64* newPosition);
  // Reads up to `count` bytes from the position; fewer (or 0) at the end.
  HRESULT Read(void* buffer, ULONG count, ULONG* read);
  // Writes at the position, extending the picture; STG_E_ACCESSDENIED on a stream opened for
  // reading only.
  HRESULT Write(const void* data, ULONG count, ULONG* written);

 private:
  std::shared_ptr<PhoneDatabase> db_;
  CEOID oid_;
  std::shared_ptr<QByteArray> bytes_;
  bool writable_;
  quint64 position_ = 0;
};
