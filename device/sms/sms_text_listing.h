#pragma once

#include <QIODevice>
#include <QString>

#include "device/sms/sms_message.h"

// The plain-text listing of messages that a backup writes instead of a backup file when its file
// name ends in ".txt". Each message is one block in code page 936 with CR LF line ends:
//
//   Sender: "name" <address>
//   Recipients: "name" <address>;"name" <address>;
//   Time: 2010-3-7 9:5:3
//   Content:
//   the text
//   (blank line)
//
// The listing has no header, count or digest.

// Appends the block of one message. False when the message's recipients cannot be read or the
// write fails.
bool WriteSmsText(QIODevice& file, CSmsMessage& message);

// A time as local calendar fields "year-month-day hour:minute:second", none padded; empty for no
// time (zero, a draft's) and when the time cannot be converted.
QString FormatSmsTime(FILETIME time);
