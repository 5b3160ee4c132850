#pragma once

#include <QString>

#include <memory>

#include "platform/device/stores/device_types.h"

// The SIM card's phonebook as the cellular library offers it: a session opened and closed, the
// phonebook's status (used and total entries), its index range, and entries read, written and
// deleted by index. Only the SIM's own phonebook (SIM_PBSTORAGE_SIM) exists.
//
// Every call returns an HRESULT: S_OK on success, a negative value on failure. A call fails on a
// null handle, when a test made it fail (PhoneSetup::FailCall), and when the phone's database
// cannot be read or written. A write or delete that another program keeps out of the database for
// longer than a call waits (kPhoneBusyTimeoutMs) fails with STG_E_LOCKVIOLATION.

inline constexpr DWORD SIM_PBSTORAGE_SIM = 0x10;
inline constexpr DWORD SIM_CAPSTYPE_PBINDEXRANGE = 8;

// Flags of the valid fields of an entry.
inline constexpr DWORD SIM_PARAM_PBE_ADDRESS = 0x1;
inline constexpr DWORD SIM_PARAM_PBE_ADDRESS_TYPE = 0x2;
inline constexpr DWORD SIM_PARAM_PBE_NUMPLAN = 0x4;
inline constexpr DWORD SIM_PARAM_PBE_TEXT = 0x8;
inline constexpr DWORD SIM_PARAM_PBE_ALL = 0xF;

inline constexpr DWORD kSimEntrySize = 1040;
// The longest name or number an entry holds (a terminator follows it).
inline constexpr int kSimTextLength = 255;

// One phonebook entry, laid out as the library reads and writes it (1040 bytes).
struct SimEntry {
  DWORD size = kSimEntrySize;
  DWORD validFields = 0;  // SIM_PARAM_PBE_* flags
  char16_t number[kSimTextLength + 1] = {};
  DWORD addressType = 0;
  DWORD numberingPlan = 0;
  char16_t name[kSimTextLength + 1] = {};

  // The texts up to their terminator (at most 255 characters even when none is there).
  QString Number() const;
  QString Name() const;
  // Stores the first 255 characters (one less when the 255th would split a surrogate pair) and a
  // terminator.
  void SetNumber(const QString& text);
  void SetName(const QString& text);
};
static_assert(sizeof(SimEntry) == kSimEntrySize);

// The index range of the phonebook (SIM_CAPSTYPE_PBINDEXRANGE).
struct SIMCAPS {
  DWORD dwMinPBIndex = 0;
  DWORD dwMaxPBIndex = 0;
};

class PhoneDatabase;

// An open SIM session; SimDeinitialize or destruction closes it. It may be used on another thread
// than the one that opened it (one thread at a time).
class SimHandle {
 public:
  explicit SimHandle(std::shared_ptr<PhoneDatabase> db) : db_(std::move(db)) {}
  PhoneDatabase& Database() const { return *db_; }

 private:
  std::shared_ptr<PhoneDatabase> db_;
};
using HSIM = std::unique_ptr<SimHandle>;

// Opens the SIM (no notifications). E_FAIL when the phone has no SIM
// (PhoneSetup::SetSimPresent) or the phone cannot be opened.
HRESULT SimInitialize(HSIM& sim);
// Closes the session; the handle becomes null.
HRESULT SimDeinitialize(HSIM& sim);
// The number of entries in use and the number of indexes (highest - lowest + 1).
// E_INVALIDARG for another storage than SIM_PBSTORAGE_SIM.
HRESULT SimGetPhonebookStatus(const HSIM& sim, DWORD storage, DWORD* used, DWORD* total);
// The lowest and highest phonebook index (capabilities kind SIM_CAPSTYPE_PBINDEXRANGE).
// E_INVALIDARG for another kind; E_FAIL when the range the phone holds is not a valid range.
HRESULT SimGetDevCaps(const HSIM& sim, DWORD capsType, SIMCAPS* caps);
// Reads the entry at an index into `entry`, whose size must be kSimEntrySize (E_INVALIDARG
// otherwise): all fields valid, texts of at most 255 characters. E_NOT_FOUND when no entry is
// at that index (a free slot, or an index outside the range).
HRESULT SimReadPhonebookEntry(const HSIM& sim, DWORD storage, DWORD index, SimEntry* entry);
// Writes (or replaces) the entry at an index; its size must be kSimEntrySize. E_INVALIDARG for an
// index outside the range.
HRESULT SimWritePhonebookEntry(const HSIM& sim, DWORD storage, DWORD index, const SimEntry& entry);
// Deletes the entry at an index; E_NOT_FOUND when there is none.
HRESULT SimDeletePhonebookEntry(const HSIM& sim, DWORD storage, DWORD index);
