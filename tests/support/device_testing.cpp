#include "tests/support/device_testing.h"

#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>

#include "common/sqlite_connection.h"
#include "platform/device/stores/phone_folder.h"
#include "tests/support/phone_test.h"
#include "tests/support/working_folder.h"

namespace {

bool HasPaintedPixel(const QImage& picture, const QRect& area) {
  const QRect inside = area.intersected(picture.rect());
  for (int y = inside.top(); y <= inside.bottom(); ++y) {
    for (int x = inside.left(); x <= inside.right(); ++x) {
      if (qGray(picture.pixel(x, y)) < 240) return true;  // not white
    }
  }
  return false;
}

bool Near(QColor shown, QColor expected) {
  return std::abs(shown.red() - expected.red()) <= 12 &&
         std::abs(shown.green() - expected.green()) <= 12 &&
         std::abs(shown.blue() - expected.blue()) <= 12;
}

}  // namespace

void ExpectMainWindowPicture(QWidget* window, const PhoneScreen& screen,
                             const std::vector<QRect>& drawn) {
  const QImage picture = window->grab().toImage();
  ASSERT_EQ(picture.size(), QSize(screen.width, screen.height));
  EXPECT_EQ(picture.pixelColor(2, 2), QColor(Qt::white));
  // The middle of the bar's gradient, from #3c5a82 at its top to #1e3250 at its bottom.
  const int barMiddle = screen.height - (26 * screen.dpi / 96) / 2;
  EXPECT_TRUE(Near(picture.pixelColor(2, barMiddle), QColor(0x2d, 0x46, 0x69)))
      << picture.pixelColor(2, barMiddle).name().toStdString();
  for (const QRect& area : drawn) {
    EXPECT_TRUE(HasPaintedPixel(picture, area))
        << area.x() << "," << area.y() << " " << area.width() << "x" << area.height();
  }
}

QRect RectInWindow(const QWidget* control, const QWidget* window) {
  return QRect(control->mapTo(window, QPoint()), control->size());
}

UrlRecorder::UrlRecorder() {
  for (const char* scheme : {"http", "https"}) {
    QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
  }
}

UrlRecorder::~UrlRecorder() {
  for (const char* scheme : {"http", "https"}) {
    QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
  }
}

void UrlRecorder::Open(const QUrl& url) { urls_ << url.toString(); }

void WriteMarkerProgram(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  file.write("#!/bin/sh\necho started >> \"$(dirname \"$0\")/started\"\n");
  file.close();
  file.setPermissions(file.permissions() | QFile::ExeOwner);
}

int WaitForStarts(const QString& folder, int count) {
  QElapsedTimer timer;
  timer.start();
  int lines = 0;
  while (timer.elapsed() < 5000) {
    lines = static_cast<int>(ReadFileBytes(QDir(folder).filePath("started")).count('\n'));
    if (lines >= count) break;
    QThread::msleep(10);
  }
  return lines;
}

void ForEachUnusablePhone(const QString& folder,
                          const std::function<void(const QString& message)>& commands) {
  struct UnusablePhone {
    const char* what;  // also the name of its folder
    std::function<void(const QString& root)> make;
    const char* message;
  };
  const auto writeAt = [](const QByteArray& bytes) {
    return [bytes](const QString& root) {
      QDir().mkpath(root);
      WriteFileBytes(root + "/phone.db", bytes);
    };
  };
  const QTemporaryDir scratch;  // of this process alone: test programs run side by side
  const QString otherPath = scratch.filePath("other.db");
  {
    SqliteConnection other(otherPath, SqliteConnection::Threads::kOneAtATime);
    EXPECT_EQ(other.Exec("create table notes (text); insert into notes values ('mine');"),
              SQLITE_OK);
  }
  const QByteArray otherDatabase = ReadFileBytes(otherPath);
  const UnusablePhone phones[] = {
      {"text", writeAt("my shopping list\n"), "The file is not the phone's database:"},
      {"other", writeAt(otherDatabase), "The file is not the phone's database:"},
      {"header", writeAt(QByteArray(otherDatabase).replace(0, 16, "SQLite format 2")),
       "The file is not the phone's database:"},
      {"damaged",
       [](const QString& root) {
         QDir().mkpath(root);
         MakeDamagedPhone();
       },
       "The phone's database is damaged:"},
      {"under a file/phone",
       [](const QString& root) { WriteFileBytes(QFileInfo(root).path(), ""); },
       "Can't write the phone's database:"},
  };
  for (const UnusablePhone& phone : phones) {
    SCOPED_TRACE(phone.what);
    const QString root = folder + "/" + phone.what;
    qputenv(kPhoneRootVariable, root.toLocal8Bit());
    phone.make(root);
    const QByteArray before = ReadFileBytes(root + "/phone.db");
    commands(phone.message + root + "/phone.db");
    EXPECT_EQ(ReadFileBytes(root + "/phone.db"), before);
  }
}
