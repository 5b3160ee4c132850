#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QIODevice>
#include <QString>

// The two encodings of the exchange files that other programs write and read too (CSV and vCard
// files): code page 936, the product's own (see ansi_text.h), and UTF-8, what address books and
// spreadsheets write today.
enum class TextEncoding { kAnsi, kUtf8 };

inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// Which encoding a CSV or vCard file is read in: UTF-8 when it begins with the UTF-8 byte-order
// mark, or when the whole of it is valid UTF-8 and holds at least one byte that is not ASCII;
// code page 936 otherwise. Text in code page 936 that is not all ASCII is practically never
// valid UTF-8 as a whole, and an all-ASCII file reads the same either way. The exception is a
// file with very little such text, all of whose characters happen to be valid UTF-8 too: "伟"
// alone (CE B0) reads as "ΰ".
//
// Reads the device in chunks from its position to its end, or up to the first byte that is not
// valid UTF-8, and then puts the position back; it takes the memory of one chunk whatever the
// size of the file. A device that cannot be read on is taken as code page 936.
TextEncoding DetectTextEncoding(QIODevice& device);

QString DecodeText(QByteArrayView bytes, TextEncoding encoding);
QByteArray EncodeText(const QString& text, TextEncoding encoding);
