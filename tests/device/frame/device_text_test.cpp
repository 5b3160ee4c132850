#include "device/frame/device_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

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
