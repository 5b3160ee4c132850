#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <ctime>

// Sets the process's time zone for one test (a POSIX rule, so no time-zone data is needed), and
// puts the previous one back afterwards.
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
