#include "platform/device/stores/file_time.h"

#include <gtest/gtest.h>

#include "tests/support/phone_test.h"
#include "tests/support/scoped_time_zone.h"

namespace {

std::uint64_t ToValue(const SYSTEMTIME& time) {
  FILETIME fileTime;
  EXPECT_TRUE(SystemTimeToFileTime(&time, &fileTime));
  return FileTimeValue(fileTime);
}

constexpr std::int64_t kHour = 36'000'000'000;  // in 100-nanosecond ticks

// How far the second time lies after the first.
std::int64_t TicksBetween(const FILETIME& from, const FILETIME& to) {
  return static_cast<std::int64_t>(FileTimeValue(to) - FileTimeValue(from));
}

TEST(FileTimeTest, KnownInstants) {
  EXPECT_EQ(ToValue(SystemTimeFields(1601, 1, 1)), 0u);
  EXPECT_EQ(ToValue(SystemTimeFields(1970, 1, 1)), 116444736000000000u);
  EXPECT_EQ(ToValue(SystemTimeFields(1970, 1, 1, 0, 0, 1, 5)), 116444736000000000u + 10'050'000u);
  EXPECT_EQ(ToValue(SystemTimeFields(1980, 7, 5)), 119760768000000000u);
  EXPECT_EQ(ToValue(SystemTimeFields(2000, 2, 29, 23, 59, 59, 999)), 125963423999990000u);
}

TEST(FileTimeTest, CalendarFieldsRoundTrip) {
  for (const SYSTEMTIME& time :
       {SystemTimeFields(2010, 3, 7, 9, 5, 3, 123), SystemTimeFields(2000, 2, 29, 23, 59, 59, 999),
        SystemTimeFields(1980, 7, 5), SystemTimeFields(1601, 1, 1),
        SystemTimeFields(30827, 12, 31, 23, 59, 59, 999)}) {
    FILETIME fileTime;
    ASSERT_TRUE(SystemTimeToFileTime(&time, &fileTime));
    SYSTEMTIME back;
    ASSERT_TRUE(FileTimeToSystemTime(&fileTime, &back));
    EXPECT_EQ(back.wYear, time.wYear);
    EXPECT_EQ(back.wMonth, time.wMonth);
    EXPECT_EQ(back.wDay, time.wDay);
    EXPECT_EQ(back.wHour, time.wHour);
    EXPECT_EQ(back.wMinute, time.wMinute);
    EXPECT_EQ(back.wSecond, time.wSecond);
    EXPECT_EQ(back.wMilliseconds, time.wMilliseconds);
  }
  SYSTEMTIME sunday;
  FILETIME fileTime = MakeFileTime(ToValue(SystemTimeFields(2010, 3, 7)));
  ASSERT_TRUE(FileTimeToSystemTime(&fileTime, &sunday));
  EXPECT_EQ(sunday.wDayOfWeek, 0);
}

TEST(FileTimeTest, FieldsOutOfRangeAndHugeValuesAreRefused) {
  FILETIME untouched = MakeFileTime(42);
  for (const SYSTEMTIME& time :
       {SystemTimeFields(1600, 12, 31), SystemTimeFields(30828, 1, 1),
        SystemTimeFields(2001, 2, 29), SystemTimeFields(1900, 2, 29), SystemTimeFields(2010, 13, 1),
        SystemTimeFields(2010, 0, 1), SystemTimeFields(2010, 4, 31), SystemTimeFields(2010, 1, 0),
        SystemTimeFields(2010, 1, 1, 24), SystemTimeFields(2010, 1, 1, 0, 60),
        SystemTimeFields(2010, 1, 1, 0, 0, 0, 1000)}) {
    EXPECT_FALSE(SystemTimeToFileTime(&time, &untouched)) << time.wYear << "-" << time.wMonth;
  }
  EXPECT_EQ(FileTimeValue(untouched), 42u);

  const FILETIME huge = MakeFileTime(0x8000000000000000ull);
  SYSTEMTIME fields;
  EXPECT_FALSE(FileTimeToSystemTime(&huge, &fields));
  FILETIME local;
  EXPECT_FALSE(FileTimeToLocalFileTime(&huge, &local));
}

TEST(FileTimeTest, LocalTimeUsesTheOffsetInForceAtThatMoment) {
  ScopedTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  const FILETIME winter = MakeFileTime(ToValue(SystemTimeFields(2010, 1, 15, 12)));
  const FILETIME summer = MakeFileTime(ToValue(SystemTimeFields(2010, 7, 15, 12)));
  FILETIME local;
  ASSERT_TRUE(FileTimeToLocalFileTime(&winter, &local));
  EXPECT_EQ(TicksBetween(winter, local), kHour);
  ASSERT_TRUE(FileTimeToLocalFileTime(&summer, &local));
  EXPECT_EQ(TicksBetween(summer, local), 2 * kHour);
}

TEST(FileTimeTest, LocalTimeOutsideTheRangeIsRefused) {
  const struct {
    const char* zone;
    std::uint64_t utc;
  } kCases[] = {{"EST5", 0}, {"CET-1", 0x7FFF'FFFF'FFFF'FFFFull}};
  for (const auto& test : kCases) {
    ScopedTimeZone zone(test.zone);
    const FILETIME utc = MakeFileTime(test.utc);
    FILETIME local = MakeFileTime(7);
    EXPECT_FALSE(FileTimeToLocalFileTime(&utc, &local)) << test.zone;
    EXPECT_EQ(FileTimeValue(local), 7u);
  }
}

TEST(FileTimeTest, LocalTimeGoesBackToTheSameInstant) {
  ScopedTimeZone zone("EST5EDT,M3.2.0,M11.1.0");
  FILETIME utc;
  const FILETIME winterMidnight = MakeFileTime(ToValue(SystemTimeFields(2010, 1, 15)));
  ASSERT_TRUE(LocalFileTimeToFileTime(&winterMidnight, &utc));
  EXPECT_EQ(TicksBetween(winterMidnight, utc), 5 * kHour);
  const FILETIME summerMidnight = MakeFileTime(ToValue(SystemTimeFields(2010, 7, 5)));
  ASSERT_TRUE(LocalFileTimeToFileTime(&summerMidnight, &utc));
  EXPECT_EQ(TicksBetween(summerMidnight, utc), 4 * kHour);
  // Just after the spring change: the guess from the winter offset is an hour off.
  const FILETIME afterChange = MakeFileTime(ToValue(SystemTimeFields(2018, 3, 11, 5)));
  ASSERT_TRUE(LocalFileTimeToFileTime(&afterChange, &utc));
  EXPECT_EQ(TicksBetween(afterChange, utc), 4 * kHour);
  FILETIME local;
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  EXPECT_EQ(FileTimeValue(local), FileTimeValue(afterChange));
}

TEST(FileTimeTest, MidnightSkippedByAClockChangeStaysOnItsDay) {
  ScopedTimeZone zone("<-03>3<-02>,M11.1.0/0,M2.3.0/0");  // clocks go from 00:00 to 01:00
  const FILETIME midnight = MakeFileTime(ToValue(SystemTimeFields(2018, 11, 4)));
  FILETIME utc;
  ASSERT_TRUE(LocalFileTimeToFileTime(&midnight, &utc));
  FILETIME local;
  ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
  EXPECT_EQ(TicksBetween(midnight, local), kHour);  // 01:00, the first hour of the day
}

TEST(FileTimeTest, LocalTimeThatWouldLeaveTheRangeIsRefused) {
  ScopedTimeZone zone("CET-1");
  const FILETIME first = MakeFileTime(0);
  FILETIME utc = MakeFileTime(7);
  EXPECT_FALSE(LocalFileTimeToFileTime(&first, &utc));
  EXPECT_EQ(FileTimeValue(utc), 7u);
}

}  // namespace
