#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/ansi_text.h"  // WideToAnsi: the one wide-to-ANSI conversion
#include "common/md5.h"        // HexDigitValue: the one hex digit reader

// The phone programs' digest and text helpers. Backup files carry a salted MD5 digest: the
// writer formats the file's salt text with the file length, takes Md5HexDigest of it and stores
// the 16 bytes of HexToBytes; a reader turns the stored bytes back into hex with BytesToHex and
// compares the two texts. All of it stands on the one MD5 of desktop/store/md5.h.

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

// The MD5 of the text's bytes as 32 lowercase hex digits.
std::string Md5HexDigest(const std::string& text);

// Two lowercase hex digits per byte.
std::string BytesToHex(std::size_t count, const std::uint8_t* bytes);

// Writes a byte for each pair of digits of `hex`, high digit first, into `bytes`, which must have
// room for (hex.size() + 1) / 2 bytes. Digits are read by HexDigitValue. Returns 1.
int HexToBytes(const std::string& hex, std::uint8_t* bytes);

// The text from the last "." of the path to its end; empty when there is no ".".
QString GetFileExtension(const QString& path);

// The longest start of the text, in whole characters, whose ANSI form takes at most `maxBytes`
// bytes.
QString LeftAnsiBytes(const QString& text, qsizetype maxBytes);
