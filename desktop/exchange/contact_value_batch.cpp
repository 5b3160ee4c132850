#include "desktop/exchange/contact_value_batch.h"

#include <algorithm>

#include "common/ansi_text.h"
#include "desktop/store/contact_record.h"

void ContactValueBatch::Restart(int valuesPerContact) {
  valuesPerContact_ = valuesPerContact;
  size_ = 0;
  end_ = BatchEnd::kMore;
  bytes_.resize(0);  // unlike clear(), keeps the memory
  pieces_.clear();
}

int ContactValueBatch::Add() {
  pieces_.resize(pieces_.size() + valuesPerContact_);
  return size_++;
}

bool ContactValueBatch::DropLastIfBlank() {
  if (size_ == 0) return false;
  auto last = pieces_.end() - valuesPerContact_;
  if (std::any_of(last, pieces_.end(), [](auto piece) { return piece.second > 0; })) return false;
  pieces_.erase(last, pieces_.end());
  --size_;
  return true;
}

void ContactValueBatch::SetValue(int contact, int value, QByteArrayView bytes) {
  pieces_[contact * valuesPerContact_ + value] = {bytes_.size(), bytes.size()};
  bytes_.append(bytes);
}

void ContactValueBatch::SetText(int contact, int value, QStringView text) {
  const qsizetype offset = bytes_.size();
  AppendAnsi(text, &bytes_);
  pieces_[contact * valuesPerContact_ + value] = {offset, bytes_.size() - offset};
}

void ContactValueBatch::SetValuesOf(int contact, ContactRowStatement& statement,
                                    int firstPosition) const {
  for (int value = 0; value < valuesPerContact_; ++value) {
    statement.SetAnsiText(firstPosition + value, Value(contact, value));
  }
}

BoundRecord ContactValueBatch::BindFieldValues(int contact, ContactRowInsert& insert) const {
  insert.SetInteger(kImportTypePosition, kPhoneContact);
  SetValuesOf(contact, insert, kImportNamePosition);  // the name, then the fields
  return {&insert, Value(contact, kNameValue)};
}

std::vector<const char*> FieldValuesInsertColumns() {
  std::vector<const char*> fields;
  for (const ContactField& field : kContactFields) fields.push_back(field.column);
  return ImportInsertColumns(fields);
}
