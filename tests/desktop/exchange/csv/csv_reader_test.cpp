#include "desktop/exchange/csv/csv_reader.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <random>

#include "common/ansi_text.h"
#include "tests/support/working_folder.h"

namespace {

class CsvReaderTest : public WorkingFolderTest {
 protected:
  CsvRowSet Read(const QByteArray& bytes) {
    WriteFileBytes("in.csv", bytes);
    CsvRowSet rows;
    EXPECT_EQ(ReadCsvFile(rows, "in.csv"), CsvReadResult::kRead);
    return rows;
  }
};

TEST_F(CsvReaderTest, SplitsFieldsAsTheFileHoldsThem) {
  struct Case {
    QByteArray line;
    QStringList fields;
  };
  const Case cases[] = {
      {"a,b,c", {"a", "b", "c"}},
      {"a,b,", {"a", "b", ""}},
      {"", {""}},
      {"\"x, y\",z", {"x, y", "z"}},
      {"\"say \"\"hi\"\"\",z", {"say \"hi\"", "z"}},
      {"\"\"", {""}},
      {"\"ab\"cd,e", {"abcd", "e"}},
      {"ab\"c,d", {"ab\"c", "d"}},
      {" a , b ", {" a ", " b "}},
      {"\"\",\"\"\"\",x\"\"", {"", "\"", "x\"\""}},
  };
  for (const Case& c : cases) {
    CsvRowSet rows = Read(c.line + "\r\n");
    ASSERT_EQ(rows.size(), 1u) << c.line.constData();
    EXPECT_EQ(rows[0], c.fields) << c.line.constData();
  }
}

TEST_F(CsvReaderTest, ReadsEveryRecordOfTheFile) {
  EXPECT_EQ(Read("Name,Phone\r\n"), CsvRowSet({{"Name", "Phone"}}));
  EXPECT_TRUE(Read("").empty());
  // The last line needs no line end; rows keep their own field counts; a LF alone also ends a
  // line.
  EXPECT_EQ(Read("h1,h2\r\nx\r\n\r\ny,z,w\nlast"),
            CsvRowSet({{"h1", "h2"}, {"x"}, {""}, {"y", "z", "w"}, {"last"}}));
}

TEST_F(CsvReaderTest, QuotedFieldSpansLinesWithCrLfInside) {
  EXPECT_EQ(Read("\"line1\r\nline2, \"\"quoted\"\"\",z\r\nnext\r\n"),
            CsvRowSet({{"line1\r\nline2, \"quoted\"", "z"}, {"next"}}));
  EXPECT_EQ(Read("\"a\r\n\r\nb\"\r\n"), CsvRowSet({{"a\r\n\r\nb"}}));
}

TEST_F(CsvReaderTest, LoneCarriageReturnEndsTheRecordOrTheLine) {
  // Outside quotes the rest of the physical line is dropped.
  EXPECT_EQ(Read("a,b\rdropped,c\r\nnext\r\n"), CsvRowSet({{"a", "b"}, {"next"}}));
  // Inside quotes it is a line break, and the scan goes on with the next physical line.
  EXPECT_EQ(Read("\"a\rdropped\r\nb\",c\r\n"), CsvRowSet({{"a\r\nb", "c"}}));
}

TEST_F(CsvReaderTest, QuotedFieldOpenAtTheEndOfTheFileKeepsItsRow) {
  EXPECT_EQ(Read("h\r\nx,\"open\r\nstill open"), CsvRowSet({{"h"}, {"x", "open\r\nstill open"}}));
  EXPECT_EQ(Read("\"open\r\n"), CsvRowSet({{"open"}}));
}

TEST_F(CsvReaderTest, DecodesCodePage936OrUtf8AfterAByteOrderMarkAndSurvivesInvalidBytes) {
  QString name = QString::fromUtf8("张伟");
  EXPECT_EQ(Read(WideToAnsi(name) + ",\xFF\x81,ok\r\nnext\r\n"),
            CsvRowSet({{name, QString(2, QChar(0xFFFD)), "ok"}, {"next"}}));
  // The mark is no part of the first header name.
  EXPECT_EQ(Read("\xEF\xBB\xBFName,Phone\r\n" + name.toUtf8() + ",1\r\n"),
            CsvRowSet({{"Name", "Phone"}, {name, "1"}}));
}

TEST_F(CsvReaderTest, AppendsToTheRowsItIsGiven) {
  WriteFileBytes("in.csv", "a\r\n");
  CsvRowSet rows = {{"kept"}};
  ASSERT_EQ(ReadCsvFile(rows, "in.csv"), CsvReadResult::kRead);
  EXPECT_EQ(rows, CsvRowSet({{"kept"}, {"a"}}));
  FreeCsvRows(rows);
  EXPECT_TRUE(rows.empty());
  EXPECT_EQ(rows.capacity(), 0u);
}

TEST_F(CsvReaderTest, MissingUnreadableOrHugeFileLeavesTheRowsUntouched) {
  CsvRowSet rows = {{"kept"}};
  EXPECT_EQ(ReadCsvFile(rows, "missing.csv"), CsvReadResult::kNotFound);
  ASSERT_TRUE(QDir().mkdir("folder.csv"));
  EXPECT_EQ(ReadCsvFile(rows, "folder.csv"), CsvReadResult::kNotFound);

  // A sparse file: its size is what counts, nothing of it is read.
  QFile huge("huge.csv");
  ASSERT_TRUE(huge.open(QIODevice::WriteOnly));
  ASSERT_TRUE(huge.resize(kMaxCsvFileBytes + 1));
  huge.close();
  EXPECT_EQ(ReadCsvFile(rows, "huge.csv"), CsvReadResult::kTooLarge);
  EXPECT_EQ(rows, CsvRowSet({{"kept"}}));
}

TEST_F(CsvReaderTest, RowsThatWouldTakeTooMuchMemoryAreRefused) {
  // Many tiny records, and one record of many tiny fields, cost far more as rows than on disk.
  const qint64 budget = 10000;
  CsvRowSet rows = {{"kept"}};
  WriteFileBytes("records.csv", QByteArray(1000, '\n'));
  EXPECT_EQ(ReadCsvFile(rows, "records.csv", budget), CsvReadResult::kTooLarge);
  WriteFileBytes("fields.csv", QByteArray(1000, ','));
  EXPECT_EQ(ReadCsvFile(rows, "fields.csv", budget), CsvReadResult::kTooLarge);
  EXPECT_EQ(rows, CsvRowSet({{"kept"}}));

  EXPECT_EQ(ReadCsvFile(rows, "fields.csv"), CsvReadResult::kRead);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].size(), 1001);
}

TEST_F(CsvReaderTest, SurvivesAnyBytes) {
  std::mt19937 random(7);
  const char alphabet[] = {'"', ',', '\r', '\n', 'a', '\0', '\x81', '\xFF'};
  for (int round = 0; round < 200; ++round) {
    QByteArray bytes;
    int size = static_cast<int>(random() % 64);
    for (int i = 0; i < size; ++i) bytes.append(alphabet[random() % sizeof(alphabet)]);
    WriteFileBytes("in.csv", bytes);
    CsvRowSet rows;
    EXPECT_EQ(ReadCsvFile(rows, "in.csv"), CsvReadResult::kRead);
    EXPECT_LE(rows.size(), static_cast<size_t>(bytes.count('\n') + 1));  // one per line at most
  }
}

}  // namespace
