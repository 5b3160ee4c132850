#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <utility>
#include <vector>

#include "desktop/store/contact_row_statement.h"

// The values of a batch of contacts that an import reads ahead of the database (see
// read_ahead.h), as the ANSI bytes they are stored as, ready to bind: the same number of values
// for every contact, all kept as pieces of one byte array, so that a batch of hundreds of
// contacts takes a few allocations instead of one a value.
class ContactValueBatch {
 public:
  explicit ContactValueBatch(int valuesPerContact) : valuesPerContact_(valuesPerContact) {}

  int Size() const { return size_; }
  qsizetype ByteSize() const { return bytes_.size(); }
  // Adds a contact whose values are empty until set; returns its index.
  int Add();
  // Takes the last contact added back when none of its values holds anything: such a record is
  // no contact, and is neither stored nor counted. True when it did.
  bool DropLastIfBlank();
  // Copies the bytes in as the value; they may lie in the batch itself.
  void SetValue(int contact, int value, QByteArrayView bytes);
  // The bytes of a value, valid until the next value is set.
  QByteArrayView Value(int contact, int value) const {
    auto [offset, size] = pieces_[contact * valuesPerContact_ + value];
    return QByteArrayView(bytes_.constData() + offset, size);
  }
  // Sets the values of a contact on the statement, in their order from `firstPosition` on. They
  // are not copied: the batch is kept unchanged until the statement has run.
  void SetValuesOf(int contact, ContactRowStatement& statement, int firstPosition) const;

 private:
  int valuesPerContact_;
  int size_ = 0;
  QByteArray bytes_;
  std::vector<std::pair<qsizetype, qsizetype>> pieces_;  // offset and size of each value
};
