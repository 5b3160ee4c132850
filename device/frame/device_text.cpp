#include "device/frame/device_text.h"

#include <cstdio>

void CMd5::Update(const void* bytes, std::size_t count) { context_.Update(bytes, count); }

void CMd5::Final() {
  if (finished_) return;
  digest_ = context_.Finish();
  finished_ = true;
}

std::string CMd5::HexDigest() {
  Final();
  return BytesToHex(digest_.size(), digest_.data());
}

std::string Md5HexDigest(const std::string& text) { return Md5String(text); }

std::string BytesToHex(std::size_t count, const std::uint8_t* bytes) {
  std::string hex;
  hex.reserve(count * 2);
  for (std::size_t i = 0; i < count; ++i) {
    char digits[3];
    std::snprintf(digits, sizeof(digits), "%02x", bytes[i]);
    hex += digits;
  }
  return hex;
}

int HexToBytes(const std::string& hex, std::uint8_t* bytes) { return HexToDigest(bytes, hex); }

QString GetFileExtension(const QString& path) {
  qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
  return dot >= 0 ? path.mid(dot) : QString();
}
