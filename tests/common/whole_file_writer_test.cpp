#include "common/whole_file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include "tests/support/file_size_limit.h"
#include "tests/support/working_folder.h"

namespace {

// Every name in the working folder and in "in" below it, hidden ones too.
QStringList Names() {
  const auto filter = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
  return QDir().entryList(filter) + QDir("in").entryList(filter);
}

class WholeFileWriterTest : public WorkingFolderTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(QDir().mkdir("in"));
    WriteFileBytes("outside", "outside");
    WriteFileBytes("in/old", "old");
  }
};

TEST_F(WholeFileWriterTest, ReplacesTheTargetOnlyOnCommitKeepingItsPermissions) {
  ASSERT_EQ(chmod("in/old", 0640), 0);
  const QStringList names = Names();
  {
    WholeFileWriter dropped("in/old");
    ASSERT_TRUE(dropped.open(QIODevice::WriteOnly));
    dropped.write("never committed");
  }
  WholeFileWriter cancelled("in/old");
  ASSERT_TRUE(cancelled.open(QIODevice::WriteOnly));
  cancelled.write("cancelled");
  cancelled.cancelWriting();
  EXPECT_FALSE(cancelled.commit());
  EXPECT_EQ(ReadFileBytes("in/old"), "old");
  EXPECT_EQ(Names(), names);

  WholeFileWriter writer("in/old");
  ASSERT_TRUE(writer.open(QIODevice::WriteOnly));
  const QByteArray large(200 * 1024, 'x');  // more than the buffer holds
  writer.write("header");
  writer.write(large);
  writer.write("tail");
  EXPECT_EQ(writer.size(), 6 + large.size() + 4);
  ASSERT_TRUE(writer.seek(0));
  writer.write("HEAD");
  EXPECT_EQ(writer.pos(), 4);
  ASSERT_TRUE(writer.commit());
  EXPECT_EQ(ReadFileBytes("in/old"), "HEADer" + large + "tail");
  struct stat status;
  ASSERT_EQ(stat("in/old", &status), 0);
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_EQ(Names(), names);
}

// A write past the room left fails with the system's reason; the old file stays.
TEST_F(WholeFileWriterTest, AFullDiskKeepsTheOldFileAndTellsWhy) {
  const QStringList names = Names();
  EXPECT_EQ(RunWithFileSizeLimit(100, AtSizeLimit::kFailWrites,
                                 [] {
                                   WholeFileWriter writer("in/old");
                                   if (!writer.open(QIODevice::WriteOnly)) return 2;
                                   writer.write(QByteArray(101, 'x'));
                                   if (writer.commit()) return 0;
                                   return writer.errorString() == "File too large" ? 1 : 3;
                                 }),
            1);
  EXPECT_EQ(ReadFileBytes("in/old"), "old");
  EXPECT_EQ(Names(), names);
}

// Nothing is written through a link, over anything but a regular file, or outside the
// confining folder.
TEST_F(WholeFileWriterTest, RefusesLinksOtherKindsOfFileAndPathsOutsideItsFolder) {
  ASSERT_TRUE(QFile::link("../outside", "in/link"));
  ASSERT_TRUE(QFile::link("../nothing", "in/dangling"));
  ASSERT_TRUE(QFile::link(".", "in/up"));
  ASSERT_EQ(mkfifo("in/fifo", 0600), 0);
  ASSERT_TRUE(QDir().mkdir("in/folder"));
  const QStringList names = Names();
  struct Case {
    const char* path;
    const char* confiningFolder;
  };
  for (const Case& refused :
       {Case{"in/link", ""}, Case{"in/dangling", ""}, Case{"in/fifo", ""}, Case{"in/folder", ""},
        Case{"in/up/old", "in"}, Case{"outside", "in"}, Case{"in/../outside", "in"}}) {
    WholeFileWriter writer(refused.path, refused.confiningFolder);
    EXPECT_FALSE(writer.open(QIODevice::WriteOnly) && writer.write("x") == 1 && writer.commit())
        << refused.path;
    EXPECT_FALSE(writer.errorString().isEmpty()) << refused.path;
  }
  EXPECT_EQ(ReadFileBytes("outside"), "outside");
  EXPECT_EQ(ReadFileBytes("in/old"), "old");
  EXPECT_EQ(Names(), names);
  EXPECT_TRUE(WriteWholeFile("in/old", "new", "in"));
  EXPECT_EQ(ReadFileBytes("in/old"), "new");
}

}  // namespace
