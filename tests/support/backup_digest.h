#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Backup files begin with a 16-byte digest of their length, which no file made or mutated byte by
// byte would match. Tests and fuzz targets put it there, so that a reader goes on past its check
// into the rest of the file.

// The bytes with their first 16 (as many as there are, when fewer) replaced by `digest`.
QByteArray WithDigest(QByteArray bytes, QByteArrayView digest);

// The bytes as a contacts backup file: WithDigest the MD5 of "<length>KRVTQ_MaloBexin", worked out
// here rather than by the program's code, so that a test of the program's digest checks it.
QByteArray WithContactsDigest(QByteArray bytes);
