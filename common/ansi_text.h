#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Conversion between the program's wide text (UTF-16) and the ANSI text that contact files and
// the contact database hold. The ANSI code page of the product is code page 936 (Simplified
// Chinese). We convert through GB18030, which decodes every code page 936 byte sequence the same
// way and can also encode characters that code page 936 lacks, so no text turns into "?". The
// one character the two write differently, the euro sign, is written as code page 936's 0x80
// (GB18030's A2 E3 is read as the euro sign too).
//
// Decoding never fails: a byte sequence that is not valid becomes U+FFFD and the rest of the
// text is still decoded.

QByteArray WideToAnsi(const QString& text);
// Appends the ANSI bytes of the text to `ansi`: what WideToAnsi gives, without a byte array of
// its own (an import converts millions of values).
void AppendAnsi(QStringView text, QByteArray* ansi);
// True when every byte is ASCII, which reads the same in every code page.
bool IsAsciiText(QByteArrayView bytes);
QString AnsiToWide(const QByteArray& bytes);
QString AnsiToWide(const char* data, qsizetype size);
