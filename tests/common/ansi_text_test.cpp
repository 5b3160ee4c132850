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

TEST(AnsiText, Cp936EuroByteDecodesToTheEuroSign) {
  EXPECT_EQ(AnsiToWide(QByteArray("\x80"
                                  "5")),
            QString::fromUtf8("€5"));
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
