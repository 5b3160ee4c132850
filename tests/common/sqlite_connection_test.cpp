#include "common/sqlite_connection.h"

#include <gtest/gtest.h>

#include <string>

#include "common/sqlite_statement.h"
#include "tests/support/scoped_file_triggers.h"
#include "tests/support/working_folder.h"

namespace {

class SqliteConnectionTest : public ::testing::Test {
 protected:
  TempWorkingFolder folder_;
  SqliteConnection db_{QStringLiteral("test.db"), SqliteConnection::Threads::kOneAtATime};
};

// A function of the program that does not say it is harmless, as a schema might call it.
void Probe(sqlite3_context* context, int, sqlite3_value**) { sqlite3_result_int(context, 1); }

TEST_F(SqliteConnectionTest, NoStatementWritesTheSchemaBehindSqlitesBack) {
  ASSERT_EQ(db_.Exec("create table t(a)"), SQLITE_OK);
  EXPECT_EQ(db_.Exec("pragma writable_schema = on;"
                     "update sqlite_master set sql = 'create table t(b)' where name = 't'"),
            SQLITE_ERROR);
  EXPECT_EQ(std::string(db_.ErrorMessage()), "table sqlite_master may not be modified");
}

TEST_F(SqliteConnectionTest, TheSchemaCallsNoFunctionThatIsNotMarkedHarmless) {
  ASSERT_EQ(sqlite3_create_function_v2(db_.Handle(), "probe", 0, SQLITE_UTF8, nullptr, Probe,
                                       nullptr, nullptr, nullptr),
            SQLITE_OK);
  ASSERT_EQ(db_.Exec("create view v as select probe()"), SQLITE_OK);
  EXPECT_EQ(SqliteStatement(db_, "select probe()").Step(), SQLITE_ROW);
  EXPECT_EQ(SqliteStatement(db_, "select * from v").Step(), SQLITE_ERROR);
  EXPECT_EQ(std::string(db_.ErrorMessage()), "unsafe use of probe()");
}

// The programs create no triggers or views: those a file holds never run (a trigger could change
// what is written, or fire itself for ever), unless a test lets the triggers run.
TEST_F(SqliteConnectionTest, TheFilesTriggersAndViewsNeverRun) {
  ASSERT_EQ(db_.Exec("create table t(a); create view v as select a from t; create trigger changes "
                     "after insert on t begin update t set a = 'changed'; end"),
            SQLITE_OK);
  auto stored = [] {
    SqliteConnection db(QStringLiteral("test.db"), SqliteConnection::Threads::kOneAtATime);
    EXPECT_EQ(db.Exec("delete from t; insert into t values('written')"), SQLITE_OK);
    SqliteStatement value(db, "select a from t");
    value.Step();
    return value.ColumnBytes(0);
  };
  EXPECT_EQ(stored(), "written");
  EXPECT_EQ(SqliteStatement(db_, "select * from v").Step(), SQLITE_ERROR);
  ScopedFileTriggers triggers;
  EXPECT_EQ(stored(), "changed");
}

TEST_F(SqliteConnectionTest, AFileThatDoesNotOpenFailsEveryCall) {
  SqliteConnection missing(QStringLiteral("no folder/test.db"),
                           SqliteConnection::Threads::kAnyAtOnce);
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.ErrorCode(), SQLITE_CANTOPEN);
  EXPECT_EQ(std::string(missing.ErrorMessage()), "unable to open database file");
  EXPECT_EQ(missing.Exec("select 1"), SQLITE_CANTOPEN);
  SqliteStatement statement(missing, "select 1");
  EXPECT_FALSE(statement.IsValid());
  EXPECT_EQ(statement.Step(), SQLITE_CANTOPEN);
}

}  // namespace
