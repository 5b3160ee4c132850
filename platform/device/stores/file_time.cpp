#include "platform/device/stores/file_time.h"

#include <QDateTime>
#include <QTimeZone>

#include <algorithm>
#include <optional>

namespace {

constexpr std::int64_t kTicksPerMillisecond = 10'000;
constexpr std::int64_t kTicksPerSecond = 1000 * kTicksPerMillisecond;
constexpr std::int64_t kSecondsPerDay = 86'400;
// Days from 1 January 1601 to 1 January 1970.
constexpr std::int64_t kDaysFrom1601To1970 = 134'774;
constexpr std::int64_t kTicksFrom1601To1970 =
    kDaysFrom1601To1970 * kSecondsPerDay * kTicksPerSecond;
constexpr std::uint64_t kLargestFileTime = 0x7FFF'FFFF'FFFF'FFFFull;

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1 January 1601 of a proleptic Gregorian date (the civil-calendar algorithm of
// shifting the year to start in March, so the leap day falls last).
std::int64_t DaysSince1601(int year, int month, int day) {
  year -= month <= 2;
  const std::int64_t era = year / 400;  // years here are never negative
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const std::int64_t daysSince0000March = era * 146'097 + dayOfEra;
  // 1 January 1601 is day 584'694 counted from 1 March of year 0.
  return daysSince0000March - 584'694;
}

void SetDateFromDays(std::int64_t daysSince1601, SYSTEMTIME* time) {
  const std::int64_t days = daysSince1601 + 584'694;
  const std::int64_t era = days / 146'097;
  const std::int64_t dayOfEra = days - era * 146'097;
  const std::int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36'524 - dayOfEra / 146'096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  time->wYear = static_cast<WORD>(yearOfEra + era * 400 + (month <= 2));
  time->wMonth = static_cast<WORD>(month);
  time->wDay = static_cast<WORD>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  // 1 January 1601 was a Monday.
  time->wDayOfWeek = static_cast<WORD>((daysSince1601 + 1) % 7);
}

// ticks + delta, when that stays within the file-time range (ticks itself is within it).
std::optional<std::int64_t> ShiftTicks(std::int64_t ticks, std::int64_t delta) {
  const bool outOfRange =
      delta < 0 ? ticks < -delta : ticks > static_cast<std::int64_t>(kLargestFileTime) - delta;
  if (outOfRange) return std::nullopt;
  return ticks + delta;
}

// The offset of this machine's local time from UTC at a UTC instant (daylight saving time
// included), in ticks.
std::int64_t LocalOffsetTicksAt(std::int64_t utcTicks) {
  const QDateTime utc = QDateTime::fromMSecsSinceEpoch(
      (utcTicks - kTicksFrom1601To1970) / kTicksPerMillisecond, QTimeZone::utc());
  return std::int64_t{utc.toLocalTime().offsetFromUtc()} * kTicksPerSecond;
}

}  // namespace

bool FileTimeToSystemTime(const FILETIME* fileTime, SYSTEMTIME* systemTime) {
  const std::uint64_t value = FileTimeValue(*fileTime);
  if (value > kLargestFileTime) return false;
  const auto ticks = static_cast<std::int64_t>(value);
  const std::int64_t seconds = ticks / kTicksPerSecond;
  const std::int64_t secondOfDay = seconds % kSecondsPerDay;
  SYSTEMTIME result;
  SetDateFromDays(seconds / kSecondsPerDay, &result);
  result.wHour = static_cast<WORD>(secondOfDay / 3600);
  result.wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
  result.wSecond = static_cast<WORD>(secondOfDay % 60);
  result.wMilliseconds = static_cast<WORD>(ticks % kTicksPerSecond / kTicksPerMillisecond);
  *systemTime = result;
  return true;
}

bool SystemTimeToFileTime(const SYSTEMTIME* systemTime, FILETIME* fileTime) {
  const SYSTEMTIME& t = *systemTime;
  if (t.wYear < 1601 || t.wYear > 30827 || t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 ||
      t.wDay > DaysInMonth(t.wYear, t.wMonth) || t.wHour > 23 || t.wMinute > 59 || t.wSecond > 59 ||
      t.wMilliseconds > 999) {
    return false;
  }
  const std::int64_t seconds = DaysSince1601(t.wYear, t.wMonth, t.wDay) * kSecondsPerDay +
                               t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
  *fileTime = MakeFileTime(static_cast<std::uint64_t>(seconds * kTicksPerSecond +
                                                      t.wMilliseconds * kTicksPerMillisecond));
  return true;
}

bool FileTimeToLocalFileTime(const FILETIME* fileTime, FILETIME* localFileTime) {
  const std::uint64_t value = FileTimeValue(*fileTime);
  if (value > kLargestFileTime) return false;
  const auto ticks = static_cast<std::int64_t>(value);
  const std::optional<std::int64_t> local = ShiftTicks(ticks, LocalOffsetTicksAt(ticks));
  if (!local) return false;
  *localFileTime = MakeFileTime(static_cast<std::uint64_t>(*local));
  return true;
}

bool LocalFileTimeToFileTime(const FILETIME* localFileTime, FILETIME* fileTime) {
  const std::uint64_t value = FileTimeValue(*localFileTime);
  if (value > kLargestFileTime) return false;
  const auto local = static_cast<std::int64_t>(value);
  // Guess the offset from the wall time read as UTC, then check it at the instant it gives; a
  // second round settles a guess made across a clock change. When neither offset holds at its
  // own instant, the wall time lies in a gap: the later instant is the one after the change.
  const std::int64_t guessedOffset = LocalOffsetTicksAt(local);
  const std::optional<std::int64_t> first = ShiftTicks(local, -guessedOffset);
  if (!first) return false;
  const std::int64_t offsetAtFirst = LocalOffsetTicksAt(*first);
  std::int64_t utc = *first;
  if (offsetAtFirst != guessedOffset) {
    const std::optional<std::int64_t> second = ShiftTicks(local, -offsetAtFirst);
    if (!second) return false;
    const bool secondHolds = LocalOffsetTicksAt(*second) == offsetAtFirst;
    utc = secondHolds ? *second : std::max(*first, *second);
  }
  *fileTime = MakeFileTime(static_cast<std::uint64_t>(utc));
  return true;
}
