#include "desktop/exchange/csv/csv_reader.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <random>

#include "common/ansi_text.h"
#include "tests/desktop/exchange/csv/csv_testing.h"
#include "tests/support/working_folder.h"

namespace {

class CsvReaderTest : public WorkingFolderTest {
 protected:
  CsvRows Read(const QByteArray& bytes) {
    WriteFileBytes("in.csv", bytes);
    CsvReadResult result;
    CsvRows rows = ReadCsvRows("in.csv", &result);
    EXPECT_EQ(result, CsvReadResult::kRead);
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
    CsvRows rows = Read(c.line + "\r\n");
    ASSERT_EQ(rows.size(), 1u) << c.line.constData();
    EXPECT_EQ(rows[0], c.fields) << c.line.constData();
  }
}

TEST_F(CsvReaderTest, ReadsEveryRecordOfTheFile) {
  EXPECT_EQ(Read("Name,Phone\r\n"), CsvRows({{"Name", "Phone"}}));
  EXPECT_TRUE(Read("").empty());
  // The last line needs no line end; rows keep their own field counts; a LF alone also ends a
  // line.
  EXPECT_EQ(Read("h1,h2\r\nx\r\n\r\ny,z,w\nlast"),
            CsvRows({{"h1", "h2"}, {"x"}, {""}, {"y", "z", "w"}, {"last"}}));
}

TEST_F(CsvReaderTest, QuotedFieldSpansLinesWithCrLfInside) {
  EXPECT_EQ(Read("\"line1\r\nline2, \"\"quoted\"\"\",z\r\nnext\r\n"),
            CsvRows({{"line1\r\nline2, \"quoted\"", "z"}, {"next"}}));
  EXPECT_EQ(Read("\"a\r\n\r\nb\"\r\n"), CsvRows({{"a\r\n\r\nb"}}));
}

TEST_F(CsvReaderTest, LoneCarriageReturnEndsTheRecordOrTheLine) {
  // Outside quotes the rest of the physical line is dropped.
  EXPECT_EQ(Read("a,b\rdropped,c\r\nnext\r\n"), CsvRows({{"a", "b"}, {"next"}}));
  // Inside quotes it is a line break, and the scan goes on with the next physical line.
  EXPECT_EQ(Read("\"a\rdropped\r\nb\",c\r\n"), CsvRows({{"a\r\nb", "c"}}));
}

TEST_F(CsvReaderTest, QuotedFieldOpenAtTheEndOfTheFileKeepsItsRow) {
  EXPECT_EQ(Read("h\r\nx,\"open\r\nstill open"), CsvRows({{"h"}, {"x", "open\r\nstill open"}}));
  EXPECT_EQ(Read("\"open\r\n"), CsvRows({{"open"}}));
}

TEST_F(CsvReaderTest, DecodesCodePage936AndSurvivesInvalidBytes) {
  QString name = QString::fromUtf8("张伟");
  EXPECT_EQ(Read(WideToAnsi(name) + ",\xFF\x81,ok\r\nnext\r\n"),
            CsvRows({{name, QString(2, QChar(0xFFFD)), "ok"}, {"next"}}));
}

// As spreadsheets and address books write them: UTF-8 with or without a byte-order mark (which
// is no part of the first header name). A file that is not UTF-8 all through is code page 936.
TEST_F(CsvReaderTest, ReadsUtf8FilesWithOrWithoutAByteOrderMark) {
  const QString zoe = QString::fromUtf8("Zoë Brontë");
  const QString wei = QString::fromUtf8("张伟");
  const CsvRows rows = {{"Name", "City"}, {zoe, QString::fromUtf8("Zürich")}, {wei, "1"}};
  const QByteArray utf8 =
      QString::fromUtf8("Name,City\r\nZoë Brontë,Zürich\r\n张伟,1\r\n").toUtf8();
  EXPECT_EQ(Read(utf8), rows);
  EXPECT_EQ(Read("\xEF\xBB\xBF" + utf8), rows);
  EXPECT_EQ(Read("\xEF\xBB\xBF\"Name, full\",Zo\xC3\xAB\r\n"), CsvRows({{"Name, full", "Zoë"}}));
  // Valid UTF-8 up to a code page 936 name near the end.
  EXPECT_EQ(Read(WideToAnsi("Name\r\n") + "\xC3\xA9\r\n" + WideToAnsi(wei)),
            CsvRows({{"Name"}, {QString::fromUtf8("茅")}, {wei}}));
}

TEST_F(CsvReaderTest, MissingOrUnreadableFileIsRefused) {
  CsvRecordReader reader;
  EXPECT_EQ(reader.Open("missing.csv"), CsvReadResult::kNotFound);
  ASSERT_TRUE(QDir().mkdir("folder.csv"));
  EXPECT_EQ(reader.Open("folder.csv"), CsvReadResult::kNotFound);
  // Opens, but fails to read: the process's own memory at offset 0 is an I/O error.
  CsvReadResult result;
  EXPECT_TRUE(ReadCsvRows("/proc/self/mem", &result).empty());
  EXPECT_EQ(result, CsvReadResult::kNotFound);
}

TEST_F(CsvReaderTest, ARecordThatWouldTakeTooMuchMemoryEndsTheReading) {
  // A record of many tiny fields costs far more as a row than on disk.
  WriteFileBytes("fields.csv", "small\r\n" + QByteArray(1000, ',') + "\r\nnever read\r\n");
  CsvRecordReader reader;
  ASSERT_EQ(reader.Open("fields.csv"), CsvReadResult::kRead);
  const qint64 budget = 10000;
  EXPECT_EQ(reader.ReadRecord(budget), CsvRecordReader::Next::kRecord);
  EXPECT_EQ(reader.ReadRecord(budget), CsvRecordReader::Next::kTooLarge);
  EXPECT_EQ(reader.ReadRecord(), CsvRecordReader::Next::kTooLarge);

  // Text costs two bytes a character once decoded.
  WriteFileBytes("text.csv", QByteArray(1000, 'x'));
  CsvRecordReader text;
  ASSERT_EQ(text.Open("text.csv"), CsvReadResult::kRead);
  EXPECT_EQ(text.ReadRecord(1999), CsvRecordReader::Next::kTooLarge);

  CsvRows rows = Read(QByteArray(1000, ','));
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].size(), 1001);
}

TEST_F(CsvReaderTest, SurvivesAnyBytes) {
  std::mt19937 random(7);
  const char alphabet[] = {'"', ',', '\r', '\n', 'a', '\0', '\x81', '\xFF'};
  for (int round = 0; round < 200; ++round) {
    QByteArray bytes;
    int size = static_cast<int>(random() % 64);
    for (int i = 0; i < size; ++i) bytes.append(alphabet[random() % sizeof(alphabet)]);
    CsvRows rows = Read(bytes);
    EXPECT_LE(rows.size(), static_cast<size_t>(bytes.count('\n') + 1));  // one per line at most
  }
}

}  // namespace
