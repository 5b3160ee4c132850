#pragma once

class DatabaseConnection;

// Keyword matching over the contact table's text, which holds GB18030 (code page 936) bytes.
//
// SQLite's LIKE reads text as UTF-8. Over GB18030 bytes it matched a keyword's bytes inside other
// characters and skipped past real matches, so a Chinese keyword found the wrong contacts. The
// functions below compare characters instead: they step through the value one GB18030 character
// at a time and try the keyword only where a character starts. ASCII letters match without
// regard to case, as with LIKE; every other character, "%" and "_" included, matches only itself.
// GB18030 spells each character one way, so equal characters are equal bytes; the one other
// spelling, the euro sign that code page 936 writes as the single byte 0x80, matches too. Bytes
// that start no valid character count as characters of one byte.
//
// They are SQL functions of the connection, so that the keyword search stays one statement: it
// reads each row once and keeps the views' order. The keyword is bound as a parameter, as GB18030
// bytes like the table's text. Each gives 1 for a match and 0 otherwise; a null value or keyword
// never matches, an empty keyword matches every other value:
//   contains_keyword(value, keyword)   the value holds the keyword anywhere;
//   ends_with_keyword(value, keyword)  the value ends with it.
// Returns false when they cannot be registered.
bool RegisterKeywordFunctions(DatabaseConnection& db);
