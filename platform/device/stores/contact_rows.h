#pragma once

#include <QByteArray>

#include <map>
#include <optional>

#include "platform/device/stores/pocket_outlook.h"

#include "platform/device/stores/phone_database.h"

// How the contact store is kept in the phone's database: contacts by object id, each with its
// text and date properties and an optional picture. The contact calls and the set-up API share
// these reads and writes. Every function fails (0, false or nothing) when the database cannot be
// read or written.

using ContactProps = std::map<CEPROPID, CEPROPVAL>;

std::optional<int> CountContacts(PhoneDatabase& db);

// Finds contacts by their 1-based position in folder order. It remembers the last position found,
// so walking the folder position by position costs one index step each while the store stays
// unchanged; otherwise the position is counted from the start.
class ContactPositions {
 public:
  // The object id of the contact at `index`; 0 when there is none.
  CEOID At(PhoneDatabase& db, int index);

 private:
  std::optional<PhoneDatabase::ChangeStamp> stamp_;
  int index_ = 0;
  CEOID oid_ = 0;
};
bool ContactExists(PhoneDatabase& db, CEOID oid);
// The stored text and date properties of a contact; false when it does not exist.
bool LoadContactProps(PhoneDatabase& db, CEOID oid, ContactProps& props);
// The stored picture of a contact: nothing when it has none or does not exist.
std::optional<QByteArray> LoadContactPicture(PhoneDatabase& db, CEOID oid);
// Stores property values (only CEVT_LPWSTR and CEVT_FILETIME ids) and, when given, the picture
// (empty bytes: no picture), into the contact `oid`, or into a new contact when `oid` is 0. The
// contact's object id, or 0 when `oid` does not exist or a write fails. The caller holds the
// transaction.
CEOID SaveContact(PhoneDatabase& db, CEOID oid, const ContactProps& props,
                  const std::optional<QByteArray>& picture);
// Deletes a contact with its properties; false when it does not exist.
bool DeleteContact(PhoneDatabase& db, CEOID oid);
// True for ids whose values the store keeps (texts and dates).
bool IsStoredPropertyType(CEPROPID id);
