#include "desktop/exchange/contact_value_batch.h"

#include <algorithm>

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

void ContactValueBatch::SetValuesOf(int contact, ContactRowStatement& statement,
                                    int firstPosition) const {
  for (int value = 0; value < valuesPerContact_; ++value) {
    statement.SetAnsiText(firstPosition + value, Value(contact, value));
  }
}
