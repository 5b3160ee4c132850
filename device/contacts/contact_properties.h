#pragma once

#include <array>

#include "common/contacts_backup_file.h"
#include "platform/device/pocket_outlook.h"

// The contact store's properties behind the items of a phone contact record in the contacts
// backup file: the 55 texts in item order, then the birthday and the anniversary. The picture
// (item 57) is PIMPR_PICTURE, read and written as a stream.

inline constexpr int kBackupPropertyCount = kBackupItemPicture;
extern const std::array<CEPROPID, kBackupPropertyCount> kBackupPropertyIds;

// The items whose texts, joined with no separator, name a contact when a restore looks for the
// contacts it replaces: title, first, middle and last name, suffix (not the nickname).
inline constexpr std::array<int, 5> kNamePartItems = {0, 1, 2, 3, 5};

// The text of a property value; empty when the item does not have the property.
QString FoundText(const CEPROPVAL& value);
inline bool IsFound(const CEPROPVAL& value) { return (value.wFlags & CEDB_PROPNOTFOUND) == 0; }
