#include "device/frame/device_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(DeviceMd5Test, FeedingInPiecesAcrossBlockEdgesGivesTheSameDigest) {
  std::string text(200, 'x');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<char>('a' + i % 26);
  for (std::size_t first : {0, 1, 55, 56, 63, 64, 65, 119, 128}) {
    CMd5 md5;
    md5.Update(text.data(), first);
    md5.Update(text.data() + first, text.size() - first);
    EXPECT_EQ(md5.HexDigest(), Md5HexDigest(text)) << first;
  }
}

TEST(DeviceMd5Test, ASecondFinalKeepsTheDigest) {
  CMd5 md5;
  md5.Update("abc", 3);
  md5.Final();
  md5.Update("more", 4);
  md5.Final();
  EXPECT_EQ(md5.HexDigest(), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(DeviceHexTest, BytesAndHexConvertBothWays) {
  const std::uint8_t bytes[] = {0x00, 0x0A, 0xFF};
  EXPECT_EQ(BytesToHex(3, bytes), "000aff");
  std::uint8_t back[3] = {1, 1, 1};
  EXPECT_EQ(HexToBytes("000aff", back), 1);
  EXPECT_EQ(back[0], 0x00);
  EXPECT_EQ(back[1], 0x0A);
  EXPECT_EQ(back[2], 0xFF);
  EXPECT_EQ(BytesToHex(0, nullptr), "");
}

TEST(DeviceHexTest, ABackupDigestSurvivesTheRoundTrip) {
  // A writer stores the digest of its salt text as bytes; a reader compares the hex texts.
  std::string expected = Md5HexDigest("24KRVTQ_MaloBexin");
  std::uint8_t stored[16];
  HexToBytes(expected, stored);
  EXPECT_EQ(BytesToHex(16, stored), expected);
}

TEST(FileExtensionTest, IsTheTextFromTheLastDot) {
  EXPECT_EQ(GetFileExtension("\\My Documents\\VBX_20110305_0742.vbx"), ".vbx");
  EXPECT_EQ(GetFileExtension("list.backup.txt"), ".txt");
  EXPECT_EQ(GetFileExtension("list.TXT"), ".TXT");
  EXPECT_EQ(GetFileExtension("\\My Documents\\list"), "");
  EXPECT_EQ(GetFileExtension("list."), ".");
}

TEST(DeviceTextTest, LeftAnsiBytesKeepsWholeCharactersThatFit) {
  const QString chinese = QString::fromUtf8("你好");       // two bytes each
  const QString emoji = QString::fromUtf8("a\U0001F600");  // four bytes, two UTF-16 units
  const std::tuple<QString, qsizetype, QString> kCases[] = {
      {"abc", 3, "abc"},
      {"abc", 2, "ab"},
      {chinese, 4, chinese},
      {chinese, 3, chinese.left(1)},
      {emoji, 4, "a"},
      {emoji, 5, emoji},
      {QString(300, 'x'), 1023, QString(300, 'x')},
      {QString(2000, 'x'), 1023, QString(1023, 'x')},
  };
  for (const auto& [text, bytes, left] : kCases)
    EXPECT_EQ(LeftAnsiBytes(text, bytes), left) << bytes;
}

}  // namespace
