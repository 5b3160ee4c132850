#include "common/text_mode_file.h"

#include <QDir>

#include <gtest/gtest.h>

#include "tests/support/working_folder.h"

namespace {

QStringList ReadLines(const QString& path) {
  TextModeReader reader;
  EXPECT_TRUE(reader.Open(path));
  QStringList lines;
  QString line;
  while (reader.ReadLine(&line)) lines << line;
  return lines;
}

class TextModeFileTest : public WorkingFolderTest {};

TEST_F(TextModeFileTest, ReaderFoldsCrLfAndKeepsLoneCr) {
  WriteFileBytes("a.txt", "one\r\ntwo\nthree\rstill three\r\n\r\nlast");
  EXPECT_EQ(ReadLines("a.txt"), QStringList({"one", "two", "three\rstill three", "", "last"}));
}

TEST_F(TextModeFileTest, ReaderLineCounting) {
  WriteFileBytes("empty.txt", "");
  EXPECT_TRUE(ReadLines("empty.txt").isEmpty());
  WriteFileBytes("one.txt", "only\r\n");
  EXPECT_EQ(ReadLines("one.txt"), QStringList({"only"}));
  WriteFileBytes("blank.txt", "\n\n");
  EXPECT_EQ(ReadLines("blank.txt"), QStringList({"", ""}));
}

TEST_F(TextModeFileTest, ReaderDecodesCodePage936AndSurvivesBadBytes) {
  WriteFileBytes("cn.txt", QByteArray::fromHex("d5c5c8fd0d0a") +
                               "x\xff"
                               "y\r\n");
  EXPECT_EQ(ReadLines("cn.txt"),
            QStringList({QString::fromUtf8("张三"), QString::fromUtf8("x\uFFFDy")}));
}

TEST_F(TextModeFileTest, ReaderRefusesMissingFile) {
  TextModeReader reader;
  EXPECT_FALSE(reader.Open("missing.txt"));
  QString line;
  EXPECT_FALSE(reader.ReadLine(&line));
}

TEST_F(TextModeFileTest, WriterWritesCrLfInCodePage936) {
  TextModeWriter writer;
  ASSERT_TRUE(writer.Open("out.txt"));
  EXPECT_TRUE(writer.Write(QString::fromUtf8("张三\nline two\n")));
  EXPECT_TRUE(writer.Commit());
  EXPECT_EQ(ReadFileBytes("out.txt"), QByteArray::fromHex("d5c5c8fd0d0a") + "line two\r\n");
}

TEST_F(TextModeFileTest, UncommittedWriteLeavesExistingFileAlone) {
  WriteFileBytes("keep.txt", "original");
  {
    TextModeWriter writer;
    ASSERT_TRUE(writer.Open("keep.txt"));
    writer.Write("replacement");
  }
  EXPECT_EQ(ReadFileBytes("keep.txt"), QByteArray("original"));
  EXPECT_EQ(QDir().entryList(QDir::Files), QStringList({"keep.txt"}));
}

TEST_F(TextModeFileTest, WriterIntoMissingFolderFails) {
  TextModeWriter writer;
  EXPECT_FALSE(writer.Open("no/such/folder/out.txt"));
  EXPECT_FALSE(writer.Write("x"));
  EXPECT_FALSE(writer.Commit());
}

TEST(TextModeBytes, ConvertBothWays) {
  EXPECT_EQ(ToTextModeBytes("a\nb"), QByteArray("a\r\nb"));
  EXPECT_EQ(FromTextModeBytes("a\r\nb\rc"), QString("a\nb\rc"));
}

}  // namespace
