#pragma once

#include <array>

// The columns of Contact_Table and the 55 contact fields, listed once for every dialog, layout
// and exchange format of the program.

inline constexpr int kContactFieldCount = 55;
inline constexpr int kContactColumnCount = 62;

// Positions of the columns in a `select *` row of Contact_Table.
enum ContactColumn : int {
  kColumnId = 0,
  kColumnTitle = 1,
  kColumnFirstName = 2,
  kColumnMiddleName = 3,
  kColumnLastName = 4,
  kColumnCompany = 7,
  kColumnFileAs = 10,
  kColumnMobilePhone = 26,
  kColumnCategories = 53,
  kColumnRingTone = 54,
  kColumnBirthday = 55,
  kColumnAnniversary = 56,
  kColumnPicture = 57,
  kColumnNotes = 58,
  kColumnContactType = 59,
  kColumnHasPic = 60,
  kColumnSimName = 61,
};

// ContactType values.
inline constexpr int kPhoneContact = 1;
inline constexpr int kSimContact = 2;

// Column names of Contact_Table in table order.
extern const std::array<const char*, kContactColumnCount> kContactColumns;
// The position of a column in a `select *` row, by its name; -1 for a name the table lacks.
int FindContactColumn(const char* name);

struct ContactField {
  int number;  // 1 to 55: the canonical order
  const char* column;
  int columnIndex;  // position in a `select *` row
  int backupItem;   // item of a phone contact in the contacts backup file
  const char* meaning;
};

// The 55 contact fields in canonical order (kContactFields[n - 1] is field n).
extern const std::array<ContactField, kContactFieldCount> kContactFields;

// Column index of each item 0 to 57 of a phone contact record in the contacts backup file:
// the 55 strings (the contact fields without the two dates, plus Categories and Ring_Tone),
// the two dates and the picture.
inline constexpr int kBackupItemCount = 58;
const std::array<int, kBackupItemCount>& BackupItemColumns();
