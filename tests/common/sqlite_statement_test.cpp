#include "common/sqlite_statement.h"

#include <gtest/gtest.h>

#include <utility>

#include "tests/support/working_folder.h"

namespace {

class SqliteStatementTest : public ::testing::Test {
 protected:
  TempWorkingFolder folder_;
  SqliteConnection db_{QStringLiteral("test.db"), SqliteConnection::Threads::kOneAtATime};
};

TEST_F(SqliteStatementTest, BoundBytesAreStoredWholeAndEmptyStaysEmpty) {
  const QByteArray nul("a\0b", 3);
  SqliteStatement values(db_, "select ?, ?, ?, ?, ?");
  ASSERT_TRUE(values.BindTextBytes(1, nul));
  ASSERT_TRUE(values.BindBlob(2, nul, SqliteStatement::Bytes::kKept));
  ASSERT_TRUE(values.BindTextBytes(3, QByteArrayView()));
  ASSERT_TRUE(values.BindBlob(4, QByteArray()));
  ASSERT_TRUE(values.BindInt64(5, -7));
  ASSERT_EQ(values.Step(), SQLITE_ROW);
  const int types[] = {SQLITE_TEXT, SQLITE_BLOB, SQLITE_TEXT, SQLITE_BLOB, SQLITE_INTEGER};
  for (int column = 0; column < 5; ++column) EXPECT_EQ(values.ColumnType(column), types[column]);
  EXPECT_EQ(values.ColumnBytes(0), nul);
  EXPECT_EQ(values.ColumnBytes(1), nul);
  EXPECT_EQ(values.ColumnBytes(2), "");
  EXPECT_EQ(values.ColumnBytes(3), "");
  EXPECT_EQ(values.ColumnBytes(4), "-7");
}

TEST_F(SqliteStatementTest, AStatementThatDoesNotPrepareStepsToItsFailure) {
  SqliteStatement noTable(db_, "select * from nowhere");
  EXPECT_FALSE(noTable.IsValid());
  EXPECT_FALSE(noTable.BindInt64(1, 1));
  EXPECT_EQ(noTable.Step(), SQLITE_ERROR);
  EXPECT_EQ(SqliteStatement(db_, " ").Step(), SQLITE_MISUSE);  // no statement in the text
}

TEST_F(SqliteStatementTest, AMovedStatementLivesOnInItsNewPlace) {
  SqliteStatement first(db_, "select 5", SqliteStatement::Use::kKept);
  SqliteStatement kept(std::move(first));
  EXPECT_FALSE(first.IsValid());
  ASSERT_EQ(kept.Step(), SQLITE_ROW);
  EXPECT_EQ(kept.ColumnInt(0), 5);
}

}  // namespace
