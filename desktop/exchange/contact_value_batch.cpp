#include "desktop/exchange/contact_value_batch.h"

int ContactValueBatch::Add() {
  pieces_.resize(pieces_.size() + valuesPerContact_);
  return size_++;
}

void ContactValueBatch::SetValue(int contact, int value, QByteArrayView bytes) {
  pieces_[contact * valuesPerContact_ + value] = {bytes_.size(), bytes.size()};
  bytes_.append(bytes);
}

void ContactValueBatch::SetValuesOf(int contact, ContactRowStatement& statement,
                                    int firstPosition) const {
  for (int value = 0; value < valuesPerContact_; ++value) {
    statement.SetAnsiText(firstPosition + value, Value(contact, value));
  }
}
