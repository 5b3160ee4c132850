#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// MD5 message digest (RFC 1321) and the hex texts of a digest that contact files use.

using Md5Digest = std::array<std::uint8_t, 16>;

class Md5Context {
 public:
  Md5Context() { Reset(); }

  void Update(const void* data, std::size_t size);
  // Pads and hashes what is left, returns the digest and starts over with a fresh state.
  Md5Digest Finish();

 private:
  void Reset();
  void Transform(const std::uint8_t block[64]);

  std::uint32_t state_[4];
  std::uint64_t bitCount_;
  std::uint8_t buffer_[64];
  std::size_t bufferUsed_;
};

Md5Digest Md5Of(const void* data, std::size_t size);

// The digest of the string's bytes (no terminator) as 32 lowercase hex digits.
std::string Md5String(const std::string& text);

// Each byte as two lowercase hex digits ("%02x"): the one hex writer of both sides.
std::string BytesToHex(std::size_t count, const std::uint8_t* bytes);

// The hex text of a digest. (The design's DigestToHex, "%x" with a "0" in front of a single
// digit, is the same text, so it has no code of its own.)
inline std::string DigestToHexString(const Md5Digest& digest) {
  return BytesToHex(digest.size(), digest.data());
}

// '1'-'9' give 1-9 and 'a'-'f' give 10-15; every other character, upper-case letters included,
// gives 0. Files written by earlier versions depend on this.
int HexDigitValue(char c);

// Writes a byte for each pair of characters of `hex` into `destination`, which must have room
// for (hex.size() + 1) / 2 bytes. An odd last character makes a byte of its own as the high
// half. Always returns 1.
int HexToDigest(std::uint8_t* destination, const std::string& hex);
