#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/ansi_text.h"  // WideToAnsi: the one wide-to-ANSI conversion
#include "common/md5.h"        // the one MD5, BytesToHex and HexDigitValue

// The phone programs' digest and text helpers, under the names the phone's code knows them by.
// All of them stand on the one MD5 and hex of common/md5.h; the digest that begins a backup file
// is common/length_digest.h.

// One digest computation (RFC 1321).
class CMd5 {
 public:
  void Update(const void* bytes, std::size_t count);
  // Pads, stores the digest and starts the computation over; a second call does nothing.
  void Final();
  // Final, then the digest as 32 lowercase hex digits.
  std::string HexDigest();

 private:
  Md5Context context_;
  Md5Digest digest_{};
  bool finished_ = false;
};

// The MD5 of the text's bytes as 32 lowercase hex digits (Md5String).
inline std::string Md5HexDigest(const std::string& text) { return Md5String(text); }

// Writes a byte for each pair of digits of `hex`, high digit first, into `bytes`, which must have
// room for (hex.size() + 1) / 2 bytes (HexToDigest). Returns 1.
inline int HexToBytes(const std::string& hex, std::uint8_t* bytes) {
  return HexToDigest(bytes, hex);
}

// The text from the last "." of the path to its end; empty when there is no ".".
QString GetFileExtension(const QString& path);

// The longest start of the text, in whole characters, whose ANSI form takes at most `maxBytes`
// bytes.
QString LeftAnsiBytes(const QString& text, qsizetype maxBytes);
