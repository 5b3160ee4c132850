#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "platform/device/stores/phone_setup.h"

// The contacts of the sample phone (phone_sample.h) and the files they point to.

// Contact k: the person MakeSamplePerson(k) with the fields people fill in; contact 0, and every
// fiftieth after it, has every field. Every sixth contact has one of `ringTones` (phone paths)
// when there are any. Every twentieth (k = 19, 39, ...) is a company's number without a person's
// name, and of those every fifth (k = 99, 199, ...) the same card as the one before it, saved
// twice.
PhoneContact MakeSampleContact(int k, const std::vector<QString>& ringTones);

// A 32 x 32 picture of a head and shoulders on a coloured ground, as a 24-bit BMP file; `k`
// chooses the colour.
QByteArray SamplePicture(int k);

// Writes the sample's ring tones, short WAV files, into "\Application Data\Sounds" on the phone
// and returns their phone paths; empty when a file cannot be written.
std::vector<QString> WriteSampleRingTones();
