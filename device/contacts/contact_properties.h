#pragma once

#include <QByteArray>

#include <array>
#include <optional>
#include <vector>

#include "common/contacts_backup_file.h"
#include "platform/device/stores/pocket_outlook.h"

// The contact store's property behind a contact value; the picture has none of its own here
// (it is PIMPR_PICTURE, read and written as a stream).
CEPROPID PropertyOf(ContactFieldId id);

// The properties behind the items of a phone contact record in the contacts backup file: the 55
// texts in item order, then the birthday and the anniversary; the picture (item 57) is the
// stream.
inline constexpr int kBackupPropertyCount = kBackupItemPicture;
extern const std::array<CEPROPID, kBackupPropertyCount> kBackupPropertyIds;

// The items whose texts, joined with no separator, name a contact when a restore looks for the
// contacts it replaces: title, first, middle and last name, suffix (not the nickname).
inline constexpr std::array<int, 5> kNamePartItems = {
    BackupItemOf(ContactFieldId::kTitle), BackupItemOf(ContactFieldId::kFirstName),
    BackupItemOf(ContactFieldId::kMiddleName), BackupItemOf(ContactFieldId::kLastName),
    BackupItemOf(ContactFieldId::kSuffix)};

// The values of every item but the picture, read with one GetProps, in item order; nothing when
// they cannot be read.
std::optional<std::vector<CEPROPVAL>> ReadBackupValues(IItem& item);
// The picture's bytes, read through its stream; empty when it has none or cannot be read.
QByteArray ReadPicture(IItem& item);
// A contact as a backup file holds it: its texts in ANSI (empty when the contact lacks them), its
// dates as calendar dates in local time (every field -1 when the time cannot be converted) and
// its picture.
PhoneContactBody ContactBodyOf(const std::vector<CEPROPVAL>& values, const QByteArray& picture);

// The text of a property value; empty when the item does not have the property.
QString FoundText(const CEPROPVAL& value);
inline bool IsFound(const CEPROPVAL& value) { return (value.wFlags & CEDB_PROPNOTFOUND) == 0; }
