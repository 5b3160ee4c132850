#include "desktop/exchange/csv/column_config_file.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "tests/support/working_folder.h"

namespace {

class ColumnConfigFileTest : public WorkingFolderTest {
 protected:
  void SetUp() override { QDir().mkdir("Config"); }

  static ColumnConfigFile Numbered() {
    ColumnConfigFile layout;
    for (int i = 0; i < kContactFieldCount; ++i) layout.names[i] = QString("col%1").arg(i + 1);
    return layout;
  }
};

TEST_F(ColumnConfigFileTest, WritesFiftyFiveLinesWithoutAFinalLineEnd) {
  ColumnConfigFile layout = Numbered();
  layout.names[1] = QString::fromUtf8("名, \"quoted\"");
  layout.names[54] = "";
  ASSERT_TRUE(WriteColumnConfigFile("Mine", layout));
  QByteArray bytes = ReadFileBytes("Config/Mine.cnf");
  EXPECT_TRUE(bytes.startsWith("col1\r\n" + QByteArray::fromHex("c3fb") + ", \"quoted\"\r\ncol3"));
  EXPECT_TRUE(bytes.endsWith("col54\r\n"));  // the empty 55th name ends the file
  EXPECT_EQ(bytes.count("\r\n"), 54);

  std::optional<ColumnConfigFile> read = ReadColumnConfigFile("Mine");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->names, layout.names);
}

TEST_F(ColumnConfigFileTest, ShortAndLongFilesFillWhatTheyHave) {
  WriteFileBytes("Config/ten.cnf", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng\r\nh\r\ni\r\nj");
  std::optional<ColumnConfigFile> ten = ReadColumnConfigFile("ten");
  ASSERT_TRUE(ten);
  EXPECT_EQ(ten->names[9], "j");
  for (int i = 10; i < kContactFieldCount; ++i) EXPECT_TRUE(ten->names[i].isEmpty());

  QByteArray many;
  for (int i = 0; i < 60; ++i) many += "n" + QByteArray::number(i) + "\n";
  WriteFileBytes("Config/many.cnf", many);
  EXPECT_EQ(ReadColumnConfigFile("many")->names[54], "n54");
}

TEST_F(ColumnConfigFileTest, ListsTheLayoutFilesOnly) {
  WriteColumnConfigFile("b", Numbered());
  WriteColumnConfigFile("a", Numbered());
  WriteColumnConfigFile(".dotted", Numbered());  // hidden on Linux, but a layout all the same
  WriteFileBytes("Config/notes.txt", "x");
  QStringList titles = ListColumnConfigTitles();
  titles.sort();
  EXPECT_EQ(titles, QStringList({".dotted", "a", "b"}));
}

TEST_F(ColumnConfigFileTest, NothingIsWrittenThroughALink) {
  WriteFileBytes("outside.cnf", "outside");
  ASSERT_TRUE(QFile::link("../outside.cnf", "Config/linked.cnf"));
  EXPECT_FALSE(WriteColumnConfigFile("linked", Numbered()));
  EXPECT_EQ(ReadFileBytes("outside.cnf"), "outside");
}

TEST_F(ColumnConfigFileTest, MissingOrHugeFilesReadNothing) {
  EXPECT_FALSE(ReadColumnConfigFile("missing"));
  WriteFileBytes("Config/huge.cnf", QByteArray(2 * 1024 * 1024, 'x'));
  EXPECT_FALSE(ReadColumnConfigFile("huge"));
}

TEST(ColumnConfigTitles, ReservedAndValidTitles) {
  for (const char* title : {"Default", "google", "OUTLOOK"}) {
    EXPECT_TRUE(IsReservedConfigTitle(title)) << title;
  }
  EXPECT_FALSE(IsReservedConfigTitle("Googles"));
  EXPECT_TRUE(IsValidConfigTitle("My layout"));
  for (const char* title : {"", ".", "..", "../x", "a/b", "a\\b"}) {
    EXPECT_FALSE(IsValidConfigTitle(title)) << title;
  }
  EXPECT_EQ(ColumnConfigPath("Mine"), "Config/Mine.cnf");
}

}  // namespace
