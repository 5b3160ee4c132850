#pragma once

#include <QString>

// Ring-tone files live in the folder "Ring" beside the contact database, each under the last
// component of the ring tone's path on the phone.

QString RingToneFolder(const QString& databasePath);

// The file name in the ring-tone folder for a ring tone's path as the phone knows it
// ("\Application Data\Sounds\a.wav" gives "a.wav"): the part after its last "\" or "/". Empty
// when nothing usable is left ("", ".", "..", or a NUL character), so that a name taken from a
// file never reaches outside the folder.
QString RingToneFileName(const QString& phonePath);

// The full path of the ring-tone file for a phone path; empty when the name is not usable.
QString RingToneFilePath(const QString& databasePath, const QString& phonePath);
