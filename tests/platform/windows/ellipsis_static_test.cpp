#include "platform/windows/ellipsis_static.h"

#include <QFontMetricsF>

#include <cmath>

#include <gtest/gtest.h>

namespace {

// A static in a monospace font, `columns` characters wide and `lines` lines high.
void SizeInCharacters(EllipsisStatic& label, int columns, int lines) {
  QFont mono(QStringLiteral("DejaVu Sans Mono"));
  mono.setPixelSize(12);
  label.setFont(mono);
  QFontMetricsF metrics(mono);
  label.resize(std::ceil(columns * metrics.horizontalAdvance(QLatin1Char('x'))),
               lines * label.fontMetrics().lineSpacing());
}

struct Case {
  const char* text;
  int columns;  // the static's width, in characters of a monospace font
  int lines;    // its height, in lines
  QStringList shown;
};

TEST(EllipsisStatic, WrapsAtWordsBreaksLongWordsAndEndsCutTextInAnEllipsis) {
  const Case cases[] = {
      {"short", 10, 1, {"short"}},
      {"0123456789abcdef", 10, 1, {"012345678…"}},
      {"one two three four", 10, 2, {"one two", "three four"}},
      {"one two three four five", 10, 2, {"one two", "three fou…"}},
      {"abcdefghijklmnopqrstuvwxyz", 10, 3, {"abcdefghij", "klmnopqrst", "uvwxyz"}},
      {"line1\r\nline2\nline3", 12, 3, {"line1", "line2", "line3"}},
      {"line1\r\nline2", 12, 1, {"line1 line2"}},
      {"", 10, 2, {}},
  };
  for (const Case& c : cases) {
    EllipsisStatic label(QString::fromUtf8(c.text));
    SizeInCharacters(label, c.columns, c.lines);
    EXPECT_EQ(label.ShownLines(), c.shown) << c.text;
    EXPECT_EQ(label.text(), QString::fromUtf8(c.text));
  }
}

TEST(EllipsisStatic, HeightForWidthHoldsTheWholeText) {
  EllipsisStatic label(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
  SizeInCharacters(label, 10, 1);
  int line = label.fontMetrics().lineSpacing();
  EXPECT_EQ(label.heightForWidth(label.width()), 3 * line);
  SizeInCharacters(label, 26, 1);
  EXPECT_EQ(label.heightForWidth(label.width()), line);
  label.setText(QString());
  EXPECT_EQ(label.heightForWidth(label.width()), line);
}

}  // namespace
