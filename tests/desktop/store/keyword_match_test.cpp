#include "desktop/store/keyword_match.h"

#include <gtest/gtest.h>

#include "desktop/store/database_connection.h"

namespace {

// contains_keyword and ends_with_keyword of a value and a keyword, GB18030 bytes as the table
// holds them; a null pointer binds null.
std::pair<int, int> Matches(const char* value, const char* keyword) {
  DatabaseConnection db(":memory:", DatabaseConnection::Opening::kAnyFile);
  EXPECT_TRUE(RegisterKeywordFunctions(db));
  SqlStatement query(db, "select contains_keyword(?1, ?2), ends_with_keyword(?1, ?2)");
  if (value != nullptr) query.BindTextBytes(1, value);
  if (keyword != nullptr) query.BindTextBytes(2, keyword);
  EXPECT_EQ(query.Step(), SQLITE_ROW);
  return {query.ColumnInt(0), query.ColumnInt(1)};
}

TEST(KeywordMatch, ComparesCharactersFoldingAsciiLettersOnly) {
  const struct {
    const char* value;
    const char* keyword;
    int contains;
    int endsWith;
  } kCases[] = {
      {"abcdefghijklmnopqrstuvwxyz", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 1, 1},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz", 1, 1},
      {"@[\\]^_", "`{|}~\x7f", 0, 0},  // 32 apart like the letters, but no letters
      {"abcab", "ab", 1, 1},
      {"abc", "ab", 1, 0},
      // The single byte 0x80 (the euro sign of code page 936) starts no longer character.
      {"\x80xy", "xy", 1, 1},
      {"5\x80", "\xA2\xE3", 1, 1},  // GB18030's euro sign finds code page 936's
      {"5\x80", "\x80", 1, 1},
      // A double-byte character holds no character of its bytes, an ASCII second byte (0x40 to
      // 0x7E) included, and folds no letter case of it; 0x7F and 0x3F are no second byte.
      {"\x81\x41", "a", 0, 0},
      {"\x81\x40", "@", 0, 0},
      {"\x81\x7E", "~", 0, 0},
      {"\xFE\x5A", "z", 0, 0},
      {"\x81\x41"
       "A",
       "aa", 0, 0},
      {"x\x81\x41", "\x81\x41", 1, 1},
      {"x\x81\x61", "\x81\x41", 0, 0},
      {"\x81\x7F", "\x7F", 1, 1},
      {"\x81?", "?", 1, 1},
      {"\xFF\x5A", "z", 1, 1},
      // A four-byte character holds no character of its bytes.
      {"\x81\x30\x81\x30", "0", 0, 0},
      {"\x81\x30\x81\x30", "\x81\x30\x81\x30", 1, 1},
      // Null never matches; an empty keyword matches every other value.
      {nullptr, "", 0, 0},
      {"x", nullptr, 0, 0},
      {"", "", 1, 1},
  };
  for (const auto& test : kCases) {
    const char* shown = test.value != nullptr ? test.value : "(null)";
    EXPECT_EQ(Matches(test.value, test.keyword), std::make_pair(test.contains, test.endsWith))
        << shown;
  }
}

}  // namespace
