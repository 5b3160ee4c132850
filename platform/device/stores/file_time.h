#pragma once

#include "platform/device/stores/device_types.h"

// Conversions between file times and calendar fields, as the phone's time functions do them.
// The stores keep dates and message times as file times; the programs split them into calendar
// fields to write or show them.

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;      // 1-12
  WORD wDayOfWeek = 0;  // 0 Sunday to 6 Saturday; ignored on the way to a file time
  WORD wDay = 0;        // 1-31
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
};

// Splits a file time into calendar fields. False (fields untouched) for a value of 2^63 or more.
bool FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime);

// Builds the file time of calendar fields, with no time-zone step. False (file time untouched)
// when a field is out of range: year 1601-30827, a month and a day that exist, hour < 24,
// minute < 60, second < 60, milliseconds < 1000.
bool SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime);

// Converts a UTC file time to the local time of this machine, with the time zone's offset at that
// moment (daylight saving time included). False when the result would leave the file-time range.
bool FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime);

// Converts a local file time of this machine back to UTC, with the offset in force at that local
// time. A local time that a clock change skips gives the moment of the change (so midnight of
// such a day stays on that day). False when the result would leave the file-time range.
bool LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime);
