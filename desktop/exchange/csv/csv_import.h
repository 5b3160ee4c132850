#pragma once

#include <QString>

#include <array>

#include "desktop/exchange/csv/csv_import_boxes.h"
#include "desktop/exchange/csv/csv_reader.h"
#include "desktop/store/contact_fields.h"
#include "desktop/store/database_connection.h"

// The boxes whose values the import reads as a name or a date (box order: csv_import_boxes.h).
inline constexpr int kCsvFirstNameBox = CsvImportBoxOf(ContactFieldId::kFirstName);
inline constexpr int kCsvMiddleNameBox = CsvImportBoxOf(ContactFieldId::kMiddleName);
inline constexpr int kCsvLastNameBox = CsvImportBoxOf(ContactFieldId::kLastName);
inline constexpr int kCsvBirthdayBox = CsvImportBoxOf(ContactFieldId::kBirthday);
inline constexpr int kCsvAnniversaryBox = CsvImportBoxOf(ContactFieldId::kAnniversary);

// The column of Contact_Table each box fills, in box order.
extern const std::array<const char*, kContactFieldCount> kCsvImportBoxColumns;

// For each box, the index of the CSV column that feeds its field, or -1 for none.
using CsvColumnMap = std::array<int, kContactFieldCount>;

// How a CSV import ended, with what its messages need.
struct CsvImportOutcome {
  int succeeded = 0;
  int failed = 0;
  // kNotFound or kTooLarge when the file cannot be read or holds a record over the bound (see
  // CsvRecordReader): then nothing of it is in and nothing is counted.
  CsvReadResult read = CsvReadResult::kRead;
  // Why the database took no record (it cannot be opened, is not the program's, another program
  // is using it): then every record counts as failed.
  DatabaseFault fault = DatabaseFault::kNone;

  bool operator==(const CsvImportOutcome&) const = default;
};

// Imports the data records (all but the first, the header) of the CSV file at `csvPath` (see
// CsvRecordReader) into Contact_Table of the database at `databasePath` as phone contacts,
// reading one record at a time. A field takes the text of its mapped column as it is (empty
// when unmapped or when the record is shorter); Birthday and Anniversary turn month/day/year
// into year-month-day. Each record replaces the contacts of its composed name "Last,First
// Middle" stored before the import (see ContactReplacer); a record whose fields are all empty
// (a blank line, or nothing mapped) is no contact: it is neither stored nor counted. All records
// go in under one transaction; a record that fails is counted and the others still go in. When
// the database cannot take the records (see `fault`) or gives the transaction up, nothing is in
// and every record counts as failed.
CsvImportOutcome ImportCsvFile(const QString& csvPath, const CsvColumnMap& columns,
                               const QString& databasePath);
