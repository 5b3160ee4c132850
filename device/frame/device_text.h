#pragma once

#include <QString>

#include "common/ansi_text.h"  // WideToAnsi: the one wide-to-ANSI conversion

// The phone programs' text helpers. The MD5 and hex of both sides are common/md5.h, and the
// digest that begins a backup file is common/length_digest.h.

// The text from the last "." of the path to its end; empty when there is no ".".
QString GetFileExtension(const QString& path);

// The longest start of the text, in whole characters, whose ANSI form takes at most `maxBytes`
// bytes.
QString LeftAnsiBytes(const QString& text, qsizetype maxBytes);
