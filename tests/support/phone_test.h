#pragma once

#include <QByteArray>
#include <QString>

#include <gtest/gtest.h>

#include "platform/device/stores/file_time.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/device/stores/phone_setup.h"
#include "tests/support/working_folder.h"

// Fixture: each test in a fresh working folder with its own phone folder (PHONE_ROOT), restored
// afterwards.
class PhoneTest : public ::testing::Test {
 protected:
  PhoneTest() : previousRoot_(qgetenv(kPhoneRootVariable)) {
    qputenv(kPhoneRootVariable, folder_.FilePath("phone").toLocal8Bit());
  }
  ~PhoneTest() override {
    if (previousRoot_.isNull()) {
      qunsetenv(kPhoneRootVariable);
    } else {
      qputenv(kPhoneRootVariable, previousRoot_);
    }
  }

  QString PhoneFile(const QString& relative) const { return folder_.FilePath("phone/" + relative); }

  TempWorkingFolder folder_;

 private:
  QByteArray previousRoot_;
};

inline SYSTEMTIME SystemTimeFields(int year, int month, int day, int hour = 0, int minute = 0,
                                   int second = 0, int milliseconds = 0) {
  SYSTEMTIME time;
  time.wYear = static_cast<WORD>(year);
  time.wMonth = static_cast<WORD>(month);
  time.wDay = static_cast<WORD>(day);
  time.wHour = static_cast<WORD>(hour);
  time.wMinute = static_cast<WORD>(minute);
  time.wSecond = static_cast<WORD>(second);
  time.wMilliseconds = static_cast<WORD>(milliseconds);
  return time;
}

inline FILETIME MakeDate(int year, int month, int day, int hour = 0, int minute = 0,
                         int second = 0) {
  SYSTEMTIME time = SystemTimeFields(year, month, day, hour, minute, second);
  FILETIME fileTime;
  EXPECT_TRUE(SystemTimeToFileTime(&time, &fileTime));
  return fileTime;
}

// Makes the phone of PHONE_ROOT a phone whose database is damaged past its first page, as a
// failing disk might leave it: it still opens as a phone's database, but its tables cannot be
// read. No other connection to that phone may be open.
inline void MakeDamagedPhone() {
  {
    PhoneSetup setup;
    for (int i = 0; i < 200; ++i) setup.AddContact({.texts = {{0x82001F, QString(300, 'a')}}});
  }  // the last connection to close moves the log into the database
  QByteArray bytes = ReadFileBytes(PhoneDatabasePath());
  ASSERT_GT(bytes.size(), 8192);
  for (qsizetype i = 4096; i < bytes.size(); i += 7) bytes[i] = static_cast<char>(i * 31);
  WriteFileBytes(PhoneDatabasePath(), bytes);
}
