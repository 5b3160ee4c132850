#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

// What a contact holds, defined once for both programs: every value by name, with its column in
// the desktop's Contact_Table and its item in a phone contact record of the contacts backup file.
// What only the desktop knows (the record member, the dialogs' labels) is in
// desktop/store/contact_record.h, the phone's property ids in device/contacts/contact_properties.
// Every format lists the values it carries by these names, in a table of its own.
//
// To add a value: a name in ContactFieldId and its line in kContactSchema (the counts below
// follow); on the desktop, its column in the table's create statement and its line in the
// Contact_Table layout and, for one of the contact fields, a ContactRecord member and its line in
// kContactFields; on the phone, its property in contact_properties.cpp; then a line in the table
// of each exchange format and dialog that carries it. A table that names every field fails to
// compile while it misses one.

// The 55 contact fields in their canonical order (the column layouts and the exchange dialogs
// count them from 1), then the values that only the database and the backup file carry. The
// five parts of an address stand together: street, city, state, zip, country.
enum class ContactFieldId : int {
  kFirstName,
  kMiddleName,
  kLastName,
  kTitle,
  kSuffix,
  kNickName,
  kCompany,
  kDepartment,
  kJobTitle,
  kFileAs,
  kMobilePhone,
  kWebPage,
  kEMail,
  kPager,
  kWorkStreet,
  kWorkCity,
  kWorkState,
  kWorkZip,
  kWorkCountry,
  kHomeStreet,
  kHomeCity,
  kHomeState,
  kHomeZip,
  kHomeCountry,
  kOtherStreet,
  kOtherCity,
  kOtherState,
  kOtherZip,
  kOtherCountry,
  kCompanyTel,
  kWorkTel,
  kWorkTel2,
  kWorkFax,
  kCarTel,
  kHomeTel,
  kHomeTel2,
  kHomeFax,
  kSpouse,
  kChildren,
  kIm,
  kIm2,
  kIm3,
  kEMail2,
  kEMail3,
  kRadioTel,
  kOfficeLoc,
  kAssistant,
  kAssistantTel,
  kManager,
  kCustomerId,
  kAccount,
  kGoveId,
  kBirthday,
  kAnniversary,
  kNotes,
  // Not among the contact fields.
  kCategories,
  kRingTone,
  kPicture,
};

inline constexpr int kContactFieldCount = 55;
inline constexpr int kContactValueCount = 58;

struct ContactFieldFacts {
  ContactFieldId id;
  const char* column;  // in Contact_Table
  int backupItem;      // in a phone contact record of the contacts backup file
};

namespace contact_schema_internal {

constexpr std::array<ContactFieldFacts, kContactValueCount> MakeSchema() {
  using enum ContactFieldId;
  return {{
      {kFirstName, "First_Name", 1},
      {kMiddleName, "Middle_Name", 2},
      {kLastName, "Last_Name", 3},
      {kTitle, "Title", 0},
      {kSuffix, "Suffix", 5},
      {kNickName, "Nick_Name", 4},
      {kCompany, "Company", 6},
      {kDepartment, "Department", 7},
      {kJobTitle, "Job_Title", 8},
      {kFileAs, "File_As", 51},
      {kMobilePhone, "Mobile_Phone", 18},
      {kWebPage, "Web_Page", 19},
      {kEMail, "E_Mail", 17},
      {kPager, "Pager", 32},
      {kWorkStreet, "Work_Street", 11},
      {kWorkCity, "Work_City", 12},
      {kWorkState, "Work_State", 13},
      {kWorkZip, "Work_Zip", 14},
      {kWorkCountry, "Work_Country", 15},
      {kHomeStreet, "Home_Street", 22},
      {kHomeCity, "Home_City", 23},
      {kHomeState, "Home_State", 24},
      {kHomeZip, "Home_Zip", 25},
      {kHomeCountry, "Home_Country", 26},
      {kOtherStreet, "Other_Street", 27},
      {kOtherCity, "Other_City", 28},
      {kOtherState, "Other_State", 29},
      {kOtherZip, "Other_Zip", 30},
      {kOtherCountry, "Other_Country", 31},
      {kCompanyTel, "Company_Tel", 35},
      {kWorkTel, "Work_Tel", 9},
      {kWorkTel2, "Work_Tel2", 36},
      {kWorkFax, "Work_Fax", 10},
      {kCarTel, "Car_Tel", 33},
      {kHomeTel, "Home_Tel", 21},
      {kHomeTel2, "Home_Tel2", 37},
      {kHomeFax, "Home_Fax", 34},
      {kSpouse, "Spouse", 49},
      {kChildren, "Children", 50},
      {kIm, "IM", 16},
      {kIm2, "IM2", 39},
      {kIm3, "IM3", 40},
      {kEMail2, "E_Mail2", 41},
      {kEMail3, "E_Mail3", 42},
      {kRadioTel, "Radio_Tel", 38},
      {kOfficeLoc, "Office_Loc", 20},
      {kAssistant, "Assistant", 43},
      {kAssistantTel, "Assistant_Tel", 44},
      {kManager, "Manager", 45},
      {kCustomerId, "Customer_ID", 48},
      {kAccount, "Account", 47},
      {kGoveId, "Gove_ID", 46},
      {kBirthday, "Birthday", 55},
      {kAnniversary, "Anniversary", 56},
      {kNotes, "Notes", 53},
      {kCategories, "Categories", 52},
      {kRingTone, "Ring_Tone", 54},
      {kPicture, "Picture", 57},
  }};
}

}  // namespace contact_schema_internal

inline constexpr std::array<ContactFieldFacts, kContactValueCount> kContactSchema =
    contact_schema_internal::MakeSchema();
static_assert(
    [] {
      for (int i = 0; i < kContactValueCount; ++i) {
        if (static_cast<int>(kContactSchema[i].id) != i) return false;
      }
      return true;
    }(),
    "kContactSchema lists the values in the order of ContactFieldId");

constexpr int Index(ContactFieldId id) { return static_cast<int>(id); }
constexpr const ContactFieldFacts& FactsOf(ContactFieldId id) { return kContactSchema[Index(id)]; }
constexpr const char* ColumnNameOf(ContactFieldId id) { return FactsOf(id).column; }
constexpr int BackupItemOf(ContactFieldId id) { return FactsOf(id).backupItem; }

// The backup file carries every value, one item each.
inline constexpr int kBackupItemCount = kContactValueCount;

// The value of each item of a phone contact record, in item order.
inline constexpr std::array<ContactFieldId, kBackupItemCount> kBackupItemFields = [] {
  std::array<ContactFieldId, kBackupItemCount> fields{};
  std::array<bool, kBackupItemCount> taken{};
  for (const ContactFieldFacts& facts : kContactSchema) {
    if (facts.backupItem < 0 || facts.backupItem >= kBackupItemCount || taken[facts.backupItem])
      throw std::logic_error("backup items are not one per value");
    taken[facts.backupItem] = true;
    fields[facts.backupItem] = facts.id;
  }
  return fields;
}();

// The five fields of the address that starts at `street`: street, city, state, zip, country.
constexpr std::array<ContactFieldId, 5> AddressFields(ContactFieldId street) {
  std::array<ContactFieldId, 5> parts{};
  for (int part = 0; part < 5; ++part) parts[part] = ContactFieldId(Index(street) + part);
  return parts;
}

// A value given for a field, in the tables of the formats.
template <typename T>
struct FieldValue {
  ContactFieldId field;
  T value;
};

// An array with the value of each field (by Index()) from entries that name their fields; fields
// not named hold T{}. A field named twice or outside the first `Count` fails to compile.
template <typename T, int Count, std::size_t N>
consteval std::array<T, Count> ValuesByField(const FieldValue<T> (&entries)[N]) {
  std::array<T, Count> values{};
  std::array<bool, Count> named{};
  for (const FieldValue<T>& entry : entries) {
    const int index = Index(entry.field);
    if (index >= Count || named[index]) throw std::logic_error("a field named twice or unknown");
    named[index] = true;
    values[index] = entry.value;
  }
  return values;
}
