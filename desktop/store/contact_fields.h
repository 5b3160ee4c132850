#pragma once

#include <array>
#include <stdexcept>
#include <string_view>

#include "common/contact_schema.h"

// Contact_Table: where each contact value (common/contact_schema.h) stands among its columns.
// Each field's record member and label are in desktop/store/contact_record.h.

inline constexpr int kContactColumnCount = 62;

// A column of Contact_Table: the column of a contact value, or one of the table's own columns.
struct ContactTableColumn {
  ContactFieldId field;       // when `own` is null
  const char* own = nullptr;  // the name of a column that holds no contact value
};

namespace contact_table_internal {

constexpr std::array<ContactTableColumn, kContactColumnCount> MakeTable() {
  using enum ContactFieldId;
  constexpr auto own = [](const char* name) { return ContactTableColumn{kFirstName, name}; };
  return {{
      own("ID"),       {kTitle},        {kFirstName}, {kMiddleName},   {kLastName},
      {kSuffix},       {kNickName},     {kCompany},   {kDepartment},   {kJobTitle},
      {kFileAs},       {kWorkStreet},   {kWorkCity},  {kWorkState},    {kWorkZip},
      {kWorkCountry},  {kHomeStreet},   {kHomeCity},  {kHomeState},    {kHomeZip},
      {kHomeCountry},  {kOtherStreet},  {kOtherCity}, {kOtherState},   {kOtherZip},
      {kOtherCountry}, {kMobilePhone},  {kWebPage},   {kEMail},        {kPager},
      {kCompanyTel},   {kWorkTel},      {kWorkTel2},  {kWorkFax},      {kCarTel},
      {kHomeTel},      {kHomeTel2},     {kHomeFax},   {kSpouse},       {kChildren},
      {kIm},           {kIm2},          {kIm3},       {kEMail2},       {kEMail3},
      {kRadioTel},     {kOfficeLoc},    {kAssistant}, {kAssistantTel}, {kManager},
      {kCustomerId},   {kAccount},      {kGoveId},    {kCategories},   {kRingTone},
      {kBirthday},     {kAnniversary},  {kPicture},   {kNotes},        own("ContactType"),
      own("hasPic"),   own("SIM_Name"),
  }};
}

}  // namespace contact_table_internal

// The columns in table order, the order of a `select *` row.
inline constexpr std::array<ContactTableColumn, kContactColumnCount> kContactTable =
    contact_table_internal::MakeTable();

// Column names of Contact_Table in table order.
inline constexpr std::array<const char*, kContactColumnCount> kContactColumns = [] {
  std::array<const char*, kContactColumnCount> names{};
  for (int i = 0; i < kContactColumnCount; ++i) {
    names[i] = kContactTable[i].own ? kContactTable[i].own : ColumnNameOf(kContactTable[i].field);
  }
  return names;
}();

namespace contact_table_internal {

// The column of each contact value, by Index(): every value has exactly one.
inline constexpr std::array<int, kContactValueCount> kColumnOfValue = [] {
  std::array<int, kContactValueCount> columns{};
  columns.fill(-1);
  for (int i = 0; i < kContactColumnCount; ++i) {
    if (kContactTable[i].own) continue;
    int& column = columns[Index(kContactTable[i].field)];
    if (column >= 0) throw std::logic_error("a value in two columns");
    column = i;
  }
  for (int column : columns) {
    if (column < 0) throw std::logic_error("a value without a column");
  }
  return columns;
}();

}  // namespace contact_table_internal

// The position of a value's column in a `select *` row.
constexpr int ColumnOf(ContactFieldId id) {
  return contact_table_internal::kColumnOfValue[Index(id)];
}

// The columns of the five parts of the address that starts at `street` (see AddressFields()).
constexpr std::array<int, 5> AddressColumns(ContactFieldId street) {
  std::array<int, 5> columns{};
  for (int part = 0; part < 5; ++part) columns[part] = ColumnOf(AddressFields(street)[part]);
  return columns;
}

// The position of one of the table's own columns.
constexpr int OwnColumn(std::string_view name) {
  for (int i = 0; i < kContactColumnCount; ++i) {
    if (kContactTable[i].own && name == kContactTable[i].own) return i;
  }
  throw std::logic_error("no such column");
}

// Positions of the columns the program names, in a `select *` row.
enum ContactColumn : int {
  kColumnId = OwnColumn("ID"),
  kColumnTitle = ColumnOf(ContactFieldId::kTitle),
  kColumnFirstName = ColumnOf(ContactFieldId::kFirstName),
  kColumnMiddleName = ColumnOf(ContactFieldId::kMiddleName),
  kColumnLastName = ColumnOf(ContactFieldId::kLastName),
  kColumnCompany = ColumnOf(ContactFieldId::kCompany),
  kColumnFileAs = ColumnOf(ContactFieldId::kFileAs),
  kColumnMobilePhone = ColumnOf(ContactFieldId::kMobilePhone),
  kColumnCategories = ColumnOf(ContactFieldId::kCategories),
  kColumnRingTone = ColumnOf(ContactFieldId::kRingTone),
  kColumnBirthday = ColumnOf(ContactFieldId::kBirthday),
  kColumnAnniversary = ColumnOf(ContactFieldId::kAnniversary),
  kColumnPicture = ColumnOf(ContactFieldId::kPicture),
  kColumnNotes = ColumnOf(ContactFieldId::kNotes),
  kColumnContactType = OwnColumn("ContactType"),
  kColumnHasPic = OwnColumn("hasPic"),
  kColumnSimName = OwnColumn("SIM_Name"),
};

// ContactType values.
inline constexpr int kPhoneContact = 1;
inline constexpr int kSimContact = 2;

namespace contact_table_internal {

inline constexpr std::array<int, kBackupItemCount> kBackupItemColumns = [] {
  std::array<int, kBackupItemCount> columns{};
  for (int item = 0; item < kBackupItemCount; ++item) {
    columns[item] = ColumnOf(kBackupItemFields[item]);
  }
  return columns;
}();

}  // namespace contact_table_internal

// The column of each item of a phone contact record in the contacts backup file.
constexpr const std::array<int, kBackupItemCount>& BackupItemColumns() {
  return contact_table_internal::kBackupItemColumns;
}
