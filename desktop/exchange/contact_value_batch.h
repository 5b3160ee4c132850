#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringView>

#include <utility>
#include <vector>

#include "desktop/exchange/import_pipeline.h"
#include "desktop/exchange/read_ahead.h"
#include "desktop/store/contact_fields.h"
#include "desktop/store/contact_row_statement.h"

// The values of a batch of contacts that an import reads ahead of the database (see
// read_ahead.h), as the ANSI bytes they are stored as, ready to bind: the same number of values
// for every contact, all kept as pieces of one byte array, so that a batch of hundreds of
// contacts takes a few allocations instead of one a value, and none once it is used again.
class ContactValueBatch {
 public:
  // Empties the batch for contacts of `valuesPerContact` values each, keeping its memory for
  // them.
  void Restart(int valuesPerContact);

  int Size() const { return size_; }
  qsizetype ByteSize() const { return bytes_.size(); }
  // What follows the batch.
  BatchEnd End() const { return end_; }
  void SetEnd(BatchEnd end) { end_ = end; }

  // Adds a contact whose values are empty until set; returns its index.
  int Add();
  // Takes the last contact added back when none of its values holds anything: such a record is
  // no contact, and is neither stored nor counted. True when it did.
  bool DropLastIfBlank();
  // Copies the bytes in as the value; they may lie in the batch itself.
  void SetValue(int contact, int value, QByteArrayView bytes);
  // Sets the text, converted to ANSI bytes, as the value.
  void SetText(int contact, int value, QStringView text);
  // The bytes of a value, valid until the next value is set.
  QByteArrayView Value(int contact, int value) const {
    auto [offset, size] = pieces_[contact * valuesPerContact_ + value];
    return QByteArrayView(bytes_.constData() + offset, size);
  }
  // Sets the values of a contact on the statement, in their order from `firstPosition` on. They
  // are not copied: the batch is kept unchanged until the statement has run.
  void SetValuesOf(int contact, ContactRowStatement& statement, int firstPosition) const;
  // Binds a contact of a batch of field values (see FieldValuesInsertColumns) to their insert as
  // a phone contact.
  BoundRecord BindFieldValues(int contact, ContactRowInsert& insert) const;

 private:
  int valuesPerContact_ = 0;
  int size_ = 0;
  BatchEnd end_ = BatchEnd::kMore;
  QByteArray bytes_;
  std::vector<std::pair<qsizetype, qsizetype>> pieces_;  // offset and size of each value
};

// The values of a phone contact as the CSV and vCard imports read them: its composed name, then
// the 55 contact fields, field n as value n.
inline constexpr int kNameValue = 0;
inline constexpr int kFieldValueCount = 1 + kContactFieldCount;
// The columns of the insert of such contacts.
std::vector<const char*> FieldValuesInsertColumns();
