#include "common/ansi_text.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiText, AsciiAndChineseUseCodePage936Bytes) {
  EXPECT_EQ(WideToAnsi("Smith, John"), QByteArray("Smith, John"));
  EXPECT_EQ(WideToAnsi(QString::fromUtf8("张三")), QByteArray::fromHex("d5c5c8fd"));
  EXPECT_EQ(AnsiToWide(QByteArray::fromHex("d5c5c8fd")), QString::fromUtf8("张三"));
  EXPECT_TRUE(WideToAnsi(QString()).isEmpty());
  EXPECT_TRUE(AnsiToWide(QByteArray()).isEmpty());
}

TEST(AnsiText, CharactersOutsideCodePage936SurviveTheRoundTrip) {
  for (const char* utf8 : {"€ 5", "😀 smile", "Ångström", "한국어", "ア"}) {
    QString text = QString::fromUtf8(utf8);
    QByteArray ansi = WideToAnsi(text);
    EXPECT_FALSE(ansi.contains('?')) << utf8;
    EXPECT_EQ(AnsiToWide(ansi), text) << utf8;
  }
}

// GB18030 would write A2 E3, which code page 936 readers reject.
TEST(AnsiText, TheEuroSignIsCodePage936sByte0x80BothWays) {
  const QByteArray ansi(
      "\x80"
      "5 \xd5\xc5\x80\x80");
  const QString wide = QString::fromUtf8("€5 张€€");
  EXPECT_EQ(AnsiToWide(ansi), wide);
  EXPECT_EQ(WideToAnsi(wide), ansi);
  EXPECT_EQ(AnsiToWide(QByteArray("\xa2\xe3")), QString::fromUtf8("€"));
}

TEST(AnsiText, InvalidBytesBecomeReplacementCharactersAndDecodingGoesOn) {
  EXPECT_EQ(AnsiToWide(QByteArray("a\xff"
                                  "b")),
            QString::fromUtf8("a\uFFFDb"));
  // A lead byte cut off by the end of the text.
  EXPECT_EQ(AnsiToWide(QByteArray("ab\xd5")), QString::fromUtf8("ab\uFFFD"));
  // Followed by valid Chinese text.
  QByteArray mixed = QByteArray("\xff") + QByteArray::fromHex("d5c5");
  EXPECT_EQ(AnsiToWide(mixed), QString::fromUtf8("\uFFFD张"));
}

TEST(AnsiText, LoneSurrogateBecomesQuestionMark) {
  QString text = QString("a") + QChar(0xD800) + QString("b");
  EXPECT_EQ(WideToAnsi(text), QByteArray("a?b"));
}

}  // namespace
