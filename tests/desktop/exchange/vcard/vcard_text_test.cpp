#include "desktop/exchange/vcard/vcard_text.h"

#include <gtest/gtest.h>

namespace {

TEST(VCardTextTest, StoredDatesBecomeVCardDates) {
  struct Case {
    QString stored, written;
  } cases[] = {
      {"1980-5-7", "1980-05-07"},
      {"1980-05-07", "1980-05-07"},
      {"1980/5/7", "1980-05-07"},
      {"2000-12-31", "2000-12-31"},
      {"1980-2-30", "1980-2-30"},
      {"1980/5-7", "1980/5-7"},
      {"1990-01-02T00", "1990-01-02T00"},
      {"80-5-7", "80-5-7"},
      {"May 7", "May 7"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(VCardDate(c.stored), c.written) << c.stored.toStdString();
}

}  // namespace
