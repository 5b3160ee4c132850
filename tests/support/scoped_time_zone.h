#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <ctime>

// Sets the process's time zone for one test (a POSIX rule, so no time-zone data is needed), and
// puts the previous one back afterwards.
// Zones far apart: UTC; west of it with daylight saving time; east of it by hours and a quarter,
// with daylight saving time in the southern summer; and one whose clocks skip from 00:00 to 01:00
// on the day daylight saving time starts (the third Sunday of October).
inline constexpr const char* kTimeZonesAroundTheWorld[] = {
    "UTC0", "EST5EDT,M3.2.0,M11.1.0", "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45",
    "<-03>3<-02>,M10.3.0/0,M2.3.0/0"};

class ScopedTimeZone {
 public:
  explicit ScopedTimeZone(const char* rule) : previous_(qgetenv("TZ")) {
    qputenv("TZ", rule);
    tzset();
  }
  ~ScopedTimeZone() {
    if (previous_.isNull()) {
      qunsetenv("TZ");
    } else {
      qputenv("TZ", previous_);
    }
    tzset();
  }
  ScopedTimeZone(const ScopedTimeZone&) = delete;
  ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

 private:
  QByteArray previous_;
};
