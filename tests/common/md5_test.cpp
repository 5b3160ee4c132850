#include "common/md5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Md5, Rfc1321TestSuite) {
  EXPECT_EQ(Md5String(""), "d41d8cd98f00b204e9800998ecf8427e");
  EXPECT_EQ(Md5String("a"), "0cc175b9c0f1b6a831c399e269772661");
  EXPECT_EQ(Md5String("abc"), "900150983cd24fb0d6963f7d28e17f72");
  EXPECT_EQ(Md5String("message digest"), "f96b697d7cb7938d525a2f31aaf161d0");
  EXPECT_EQ(Md5String("abcdefghijklmnopqrstuvwxyz"), "c3fcd3d76192e4007dfb496cca67e13b");
  EXPECT_EQ(Md5String("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"),
            "d174ab98d277d9f5a5611c2c9f419d9f");
  EXPECT_EQ(Md5String("1234567890123456789012345678901234567890123456789012345678901234567890"
                      "1234567890"),
            "57edf4a22be3c955ac49da2e2107b67a");
}

TEST(Md5, PaddingAtBlockBoundaries) {
  EXPECT_EQ(Md5String(std::string(55, 'a')), "ef1772b6dff9a122358552954ad0df65");
  EXPECT_EQ(Md5String(std::string(56, 'a')), "3b0c8ac703f828b04c6c197006d17218");
  EXPECT_EQ(Md5String(std::string(64, 'a')), "014842d480b571495a4a0363793f7367");
}

TEST(Md5, IncrementalUpdatesGiveTheSameDigestAndContextStartsOver) {
  Md5Context context;
  std::string text = "The quick brown fox jumps over the lazy dog, twice over and more.";
  for (char c : text) context.Update(&c, 1);
  Md5Digest digest = context.Finish();
  EXPECT_EQ(DigestToHexString(digest), "d22af216e924c16a145676f8679a7e0c");
  // Finishing resets: the next digest is of what follows alone.
  context.Update("abc", 3);
  EXPECT_EQ(DigestToHexString(context.Finish()), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(Md5, StringStopsAtTheTerminator) {
  std::string withNul("abc\0def", 7);
  EXPECT_EQ(Md5String(withNul), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(DigestHex, EachByteIsTwoDigits) {
  Md5Digest digest{0x00, 0xFF, 0x0A, 0x10, 0x01, 0xab, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x7f};
  EXPECT_EQ(DigestToHexString(digest), "00ff0a1001ab0000000000000000007f");
  EXPECT_EQ(BytesToHex(0, nullptr), "");
}

TEST(DigestHex, HexDigitValueCountsOnlyLowerCaseDigits) {
  EXPECT_EQ(HexDigitValue('0'), 0);
  EXPECT_EQ(HexDigitValue('7'), 7);
  EXPECT_EQ(HexDigitValue('a'), 10);
  EXPECT_EQ(HexDigitValue('f'), 15);
  EXPECT_EQ(HexDigitValue('A'), 0);
  EXPECT_EQ(HexDigitValue('F'), 0);
  EXPECT_EQ(HexDigitValue('g'), 0);
  EXPECT_EQ(HexDigitValue(' '), 0);
}

TEST(DigestHex, HexToDigestPairsAndOddLength) {
  std::uint8_t bytes[4] = {9, 9, 9, 9};
  EXPECT_EQ(HexToDigest(bytes, "00ff0a"), 1);
  EXPECT_EQ(bytes[0], 0x00);
  EXPECT_EQ(bytes[1], 0xFF);
  EXPECT_EQ(bytes[2], 0x0A);
  EXPECT_EQ(bytes[3], 9);  // untouched

  HexToDigest(bytes, "FF");
  EXPECT_EQ(bytes[0], 0x00);

  HexToDigest(bytes, "abc");
  EXPECT_EQ(bytes[0], 0xAB);
  EXPECT_EQ(bytes[1], 0xC0);
}

TEST(DigestHex, HexRoundTripOfEveryDigit) {
  const std::string hex = "0123456789abcdeffedcba9876543210";
  Md5Digest digest{};
  HexToDigest(digest.data(), hex);
  EXPECT_EQ(DigestToHexString(digest), hex);
}

}  // namespace
