#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <string>

// The header of both sides' backup files begins with a digest of the file's own length: the MD5
// of the length, printed as a signed 32-bit decimal, followed by the file kind's salt ("24" and
// "KRVTQ_MaloBexin" for a contacts backup file of 24 bytes), stored as its 16 raw bytes. It binds
// the header to the file's length only, not to what the file holds: it tells a cut or lengthened
// file from a whole one, and a file of another kind. A reader compares the 16 bytes a file begins
// with against LengthDigest of the file's length.

inline constexpr qsizetype kLengthDigestSize = 16;

// The text whose MD5 the digest is.
std::string LengthDigestText(qint64 length, const char* salt);

// The kLengthDigestSize bytes a file of `length` bytes begins with.
QByteArray LengthDigest(qint64 length, const char* salt);
