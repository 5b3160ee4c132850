#include "desktop/store/keyword_match.h"

#include <sqlite3.h>

#include <string_view>

#include "desktop/store/database_connection.h"

namespace {

// The euro sign: one byte in code page 936, as the program writes it, two in GB18030, as
// databases of earlier versions may hold it.
constexpr std::string_view kCp936Euro = "\x80";
constexpr std::string_view kGb18030Euro = "\xA2\xE3";

bool IsEuro(std::string_view character) {
  return character == kCp936Euro || character == kGb18030Euro;
}

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

// Length of the GB18030 character that starts at `at`: four bytes for the four-byte form (lead,
// digit, lead, digit), two for a lead byte with a trail byte, one for anything else, a byte that
// cannot start a longer character included.
size_t CharacterLength(std::string_view text, size_t at) {
  auto byte = [text](size_t i) { return static_cast<unsigned char>(text[i]); };
  size_t left = text.size() - at;
  if (left < 2 || !InRange(byte(at), 0x81, 0xFE)) return 1;
  unsigned char second = byte(at + 1);
  if (InRange(second, 0x30, 0x39)) {
    bool fourBytes =
        left >= 4 && InRange(byte(at + 2), 0x81, 0xFE) && InRange(byte(at + 3), 0x30, 0x39);
    return fourBytes ? 4 : 1;
  }
  return InRange(second, 0x40, 0xFE) && second != 0x7F ? 2 : 1;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameCharacter(std::string_view character, std::string_view keywordCharacter) {
  if (character.size() == 1 && keywordCharacter.size() == 1) {
    return FoldAscii(character[0]) == FoldAscii(keywordCharacter[0]);
  }
  return character == keywordCharacter || (IsEuro(character) && IsEuro(keywordCharacter));
}

// Whether the keyword's characters stand in `value` from the character at `at` on; `*end` is
// then where they end.
bool MatchesAt(std::string_view value, size_t at, std::string_view keyword, size_t* end) {
  for (size_t k = 0; k < keyword.size();) {
    if (at >= value.size()) return false;
    size_t length = CharacterLength(value, at);
    size_t keywordLength = CharacterLength(keyword, k);
    if (!SameCharacter(value.substr(at, length), keyword.substr(k, keywordLength))) return false;
    at += length;
    k += keywordLength;
  }
  *end = at;
  return true;
}

// Whether a character that starts with `lead` can be the keyword's first, which starts with
// `keywordLead`: a quick test before the whole keyword is compared.
bool MayStartKeyword(char lead, char keywordLead) {
  return FoldAscii(lead) == FoldAscii(keywordLead) || lead == kCp936Euro[0] ||
         keywordLead == kCp936Euro[0];
}

// Tries the keyword at every character of the value.
bool FindKeyword(std::string_view value, std::string_view keyword, bool atEnd) {
  if (keyword.empty()) return true;
  for (size_t at = 0; at < value.size(); at += CharacterLength(value, at)) {
    size_t end = 0;
    if (MayStartKeyword(value[at], keyword[0]) && MatchesAt(value, at, keyword, &end) &&
        (!atEnd || end == value.size())) {
      return true;
    }
  }
  return false;
}

std::string_view Bytes(sqlite3_value* value) {
  const void* data = sqlite3_value_blob(value);
  int size = sqlite3_value_bytes(value);
  return data != nullptr ? std::string_view(static_cast<const char*>(data), size)
                         : std::string_view();
}

// contains_keyword and ends_with_keyword; the user data says which.
void KeywordFunction(sqlite3_context* context, int, sqlite3_value** args) {
  bool atEnd = *static_cast<const bool*>(sqlite3_user_data(context));
  bool found = sqlite3_value_type(args[0]) != SQLITE_NULL &&
               sqlite3_value_type(args[1]) != SQLITE_NULL &&
               FindKeyword(Bytes(args[0]), Bytes(args[1]), atEnd);
  sqlite3_result_int(context, found ? 1 : 0);
}

bool Register(sqlite3* db, const char* name, const bool* atEnd) {
  return sqlite3_create_function_v2(
             db, name, 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_DIRECTONLY,
             const_cast<bool*>(atEnd), KeywordFunction, nullptr, nullptr, nullptr) == SQLITE_OK;
}

}  // namespace

bool RegisterKeywordFunctions(DatabaseConnection& db) {
  static const bool kAnywhere = false;
  static const bool kAtEnd = true;
  return db.IsOpen() && Register(db.Handle(), "contains_keyword", &kAnywhere) &&
         Register(db.Handle(), "ends_with_keyword", &kAtEnd);
}
