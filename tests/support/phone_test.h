#pragma once

#include <QByteArray>
#include <QString>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "platform/device/stores/file_time.h"
#include "platform/device/stores/phone_database.h"
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

// Puts `depth` folders named "d" below the folder, each inside the one before, as a crafted
// phone.db may hold them, in one statement. A walk that nests a call for each level overflows a
// stack of RunOnSmallStack at 10,000 levels, and the usual 8 MB at some 50,000.
inline void NestFolders(qint64 folderId, int depth) {
  std::shared_ptr<PhoneDatabase> db = PhoneDatabase::Open();
  ASSERT_NE(db, nullptr);
  const std::optional<qint64> last =
      PhoneStatement(*db, "select max(id) from message_folders").QueryInt64();
  ASSERT_TRUE(last);
  const QByteArray sql =
      QStringLiteral(
          "with recursive n(i) as (select 1 union all select i + 1 from n where i < %1)"
          " insert into message_folders (id, store_id, parent_id, display_name)"
          " select %2 + i, store_id, iif(i = 1, id, %2 + i - 1), 'd' from n, message_folders"
          " where id = %3")
          .arg(depth)
          .arg(*last)
          .arg(folderId)
          .toUtf8();
  ASSERT_TRUE(db->Exec(sql.constData()));
}

// Runs `work` on a thread with a stack of 512 KB, a sixteenth of the usual, and waits for its end.
inline void RunOnSmallStack(const std::function<void()>& work) {
  std::unique_ptr<QThread> thread(QThread::create(work));
  thread->setStackSize(1 << 19);
  thread->start();
  thread->wait();
}
