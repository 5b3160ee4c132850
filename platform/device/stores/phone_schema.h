#pragma once

class PhoneDatabase;

// The layout of the phone's database and the contents of a fresh phone.
//
// A fresh phone has an empty contact store, a SIM card with the free indexes 1 to 250, and one
// message store "SMS" with its five special folders (Drafts, Inbox, Outbox, Sent Items,
// Deleted Items), all empty.

// Names and fresh-phone values of the phone's settings.
inline constexpr char kSimPresentSetting[] = "sim_present";
inline constexpr char kSimLowestIndexSetting[] = "sim_lowest_index";
inline constexpr char kSimHighestIndexSetting[] = "sim_highest_index";
inline constexpr char kContactStorePresentSetting[] = "contact_store_present";
inline constexpr int kFreshSimLowestIndex = 1;
inline constexpr int kFreshSimHighestIndex = 250;
inline constexpr char kFreshMessageStoreName[] = "SMS";

// Makes sure the database is a phone database: an empty database becomes a fresh phone (in WAL
// mode, in one transaction, so two programs starting at once make one phone); a phone database
// is left as it is. False for anything else (another program's database, a broken file), which
// is left untouched.
bool EnsurePhoneSchema(PhoneDatabase& db);
