#pragma once

#include <map>
#include <optional>

#include "platform/device/stores/sim_phonebook.h"

class PhoneDatabase;

// How the SIM phonebook is kept in the phone's database: its index range among the phone's
// settings and one row per used index. The SIM calls and the set-up API share these reads and
// writes. Every function fails (false or nothing) when the database cannot be read or written.

struct SimRange {
  DWORD lowest = 0;
  DWORD highest = 0;
  bool Contains(DWORD index) const { return index >= lowest && index <= highest; }
};

// The largest index a range may reach.
inline constexpr DWORD kLargestSimIndex = 0xFFFF;

// The phonebook's index range; nothing when the stored values are not a range within
// 0 to kLargestSimIndex.
std::optional<SimRange> LoadSimRange(PhoneDatabase& db);
// The number of entries inside the range.
std::optional<DWORD> CountSimEntries(PhoneDatabase& db, const SimRange& range);
// Reads the entry at an index: true when found (texts cut to 255 characters), false when there is
// none; nothing when the database fails.
std::optional<bool> ReadSimEntry(PhoneDatabase& db, DWORD index, SimEntry* entry);
bool WriteSimEntry(PhoneDatabase& db, DWORD index, const SimEntry& entry);
// True when an entry was deleted.
bool DeleteSimEntry(PhoneDatabase& db, DWORD index);
// Every stored entry by index, in or out of the range.
std::optional<std::map<DWORD, SimEntry>> LoadSimEntries(PhoneDatabase& db);
