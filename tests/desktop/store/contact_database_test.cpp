#include "desktop/store/contact_database.h"

#include <QDir>
#include <QFile>

#include <functional>

#include <gtest/gtest.h>

#include "desktop/store/contact_fields.h"
#include "desktop/store/sql_text.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

class ContactDatabaseTest : public WorkingFolderTest {
 protected:
  ViewState Bootstrap() {
    ViewState state;
    EXPECT_TRUE(InitContactDatabase(state));
    return state;
  }
};

TEST_F(ContactDatabaseTest, FirstStartCreatesTheTableWithItsColumns) {
  ViewState state;
  state.m_nCurPage = 5;
  ASSERT_TRUE(InitContactDatabase(state));
  EXPECT_TRUE(QFile::exists("Contact.cdt"));
  EXPECT_EQ(state.m_nPageCount, 1);
  EXPECT_EQ(state.m_nCurPage, 0);

  const QString kColumns =
      "ID,Title,First_Name,Middle_Name,Last_Name,Suffix,Nick_Name,Company,Department,Job_Title,"
      "File_As,Work_Street,Work_City,Work_State,Work_Zip,Work_Country,Home_Street,Home_City,"
      "Home_State,Home_Zip,Home_Country,Other_Street,Other_City,Other_State,Other_Zip,"
      "Other_Country,Mobile_Phone,Web_Page,E_Mail,Pager,Company_Tel,Work_Tel,Work_Tel2,Work_Fax,"
      "Car_Tel,Home_Tel,Home_Tel2,Home_Fax,Spouse,Children,IM,IM2,IM3,E_Mail2,E_Mail3,Radio_Tel,"
      "Office_Loc,Assistant,Assistant_Tel,Manager,Customer_ID,Account,Gove_ID,Categories,"
      "Ring_Tone,Birthday,Anniversary,Picture,Notes,ContactType,hasPic,SIM_Name";
  DatabaseConnection db;
  SqlStatement info(db, "pragma table_info(Contact_Table)");
  QStringList columns;
  while (info.Step() == SQLITE_ROW) columns << info.ColumnText(1);
  EXPECT_EQ(columns.join(','), kColumns);
  QStringList listed(kContactColumns.begin(), kContactColumns.end());
  EXPECT_EQ(listed.join(','), kColumns);
}

TEST_F(ContactDatabaseTest, TheViewsOrderIndexIsMadeForNewAndExistingTables) {
  auto hasIndex = [] {
    return DatabaseConnection().QueryCount(
               "select count(*) from sqlite_master where name = 'Contact_View_Order'") == 1;
  };
  Bootstrap();
  EXPECT_TRUE(hasIndex());
  DatabaseConnection().Exec(kDropViewOrderIndex);
  EXPECT_FALSE(hasIndex());
  Bootstrap();  // an existing database gets it too
  EXPECT_TRUE(hasIndex());
}

TEST_F(ContactDatabaseTest, PageCountFollowsTheRows) {
  Bootstrap();
  EXPECT_EQ(Bootstrap().m_nPageCount, 1);  // 0 rows
  InsertNumberedContacts(30);
  EXPECT_EQ(Bootstrap().m_nPageCount, 1);
  InsertNumberedContacts(1);
  EXPECT_EQ(Bootstrap().m_nPageCount, 2);
  InsertNumberedContacts(29);
  EXPECT_EQ(Bootstrap().m_nPageCount, 2);
  InsertNumberedContacts(1);
  EXPECT_EQ(Bootstrap().m_nPageCount, 3);
}

// Files that are not the program's database, each with the fault it gives: every connection
// refuses them, and the bootstrap fails and leaves the file exactly as it was (not even the views'
// index is added).
TEST_F(ContactDatabaseTest, ForeignOrDamagedFilesAreReportedAndNeverWritten) {
  auto made = [](const QString& sql) {
    return [sql] {
      DatabaseConnection db("Contact.cdt", DatabaseConnection::Opening::kAnyFile);
      ASSERT_EQ(db.Exec(sql), SQLITE_OK);
    };
  };
  const QString table = kCreateContactTable;
  struct Foreign {
    const char* what;
    std::function<void()> make;
    DatabaseFault fault;
  };
  const Foreign foreign[] = {
      {"a text file",
       [] {
         WriteFileBytes("Contact.cdt", QByteArray("Name,Mobile\r\nAnn,123\r\n").repeated(200));
       },
       DatabaseFault::kCannotOpen},
      {"another database", made("create table Other(x)"), DatabaseFault::kCannotOpen},
      {"other columns", made("create table Contact_Table(ID integer, ContactType, First_Name)"),
       DatabaseFault::kCannotOpen},
      {"a column short", made(table + ";alter table Contact_Table drop column SIM_Name"),
       DatabaseFault::kCannotOpen},
      {"the last column renamed",
       made(table + ";alter table Contact_Table rename column SIM_Name to Sim_Number"),
       DatabaseFault::kCannotOpen},
      {"a column added", made(table + ";alter table Contact_Table add column Extra"),
       DatabaseFault::kCannotOpen},
      {"two columns swapped",
       made(QString(table).replace("First_Name varchar(100), Middle_Name varchar(100)",
                                   "Middle_Name varchar(100), First_Name varchar(100)")),
       DatabaseFault::kCannotOpen},
      {"a view in the table's place",
       made(QString(table).replace("Contact_Table", "Stored") +
            ";create view Contact_Table as select * from Stored"),
       DatabaseFault::kCannotOpen},
      {"a damaged schema",
       [&] {
         made(table)();
         QByteArray bytes = ReadFileBytes("Contact.cdt");
         bytes[100] = 0;  // the kind of the first page, which holds the schema
         WriteFileBytes("Contact.cdt", bytes);
       },
       DatabaseFault::kCannotRead},
  };
  for (const Foreign& file : foreign) {
    SCOPED_TRACE(file.what);
    QFile::remove("Contact.cdt");
    file.make();
    QByteArray bytes = ReadFileBytes("Contact.cdt");
    ViewState state;
    EXPECT_FALSE(InitContactDatabase(state));
    EXPECT_EQ(state.m_nPageCount, 0);
    DatabaseConnection db;
    EXPECT_EQ(db.Fault(), file.fault);
    EXPECT_EQ(db.Exec("delete from Contact_Table"), SQLITE_CANTOPEN);
    EXPECT_TRUE(ReadFileBytes("Contact.cdt") == bytes) << "the file was written";
  }
}

TEST_F(ContactDatabaseTest, AnEmptyFileGetsTheTable) {
  WriteFileBytes("Contact.cdt", "");
  EXPECT_EQ(Bootstrap().m_nPageCount, 1);
  EXPECT_EQ(DatabaseConnection().Fault(), DatabaseFault::kNone);
}

TEST_F(ContactDatabaseTest, FaultsOfResultCodes) {
  const std::pair<int, DatabaseFault> faults[] = {
      {SQLITE_DONE, DatabaseFault::kNone},          {SQLITE_ROW, DatabaseFault::kNone},
      {SQLITE_BUSY, DatabaseFault::kLocked},        {SQLITE_LOCKED, DatabaseFault::kLocked},
      {SQLITE_NOTADB, DatabaseFault::kCannotOpen},  {SQLITE_CANTOPEN, DatabaseFault::kCannotOpen},
      {SQLITE_CORRUPT, DatabaseFault::kCannotRead}, {SQLITE_IOERR_READ, DatabaseFault::kCannotRead},
  };
  for (const auto& [rc, fault] : faults) EXPECT_EQ(FaultOfResult(rc), fault) << rc;
}

TEST_F(ContactDatabaseTest, UnopenableDatabase) {
  QDir().mkdir("Contact.cdt");  // a folder where the file should be
  ViewState state;
  EXPECT_FALSE(InitContactDatabase(state));
  EXPECT_EQ(state.m_nPageCount, 0);
  EXPECT_FALSE(ExecuteSql("select 1"));
}

TEST_F(ContactDatabaseTest, ExecuteSqlReportsFailureSilently) {
  Bootstrap();
  EXPECT_FALSE(ExecuteSql("insert into Contact_Table(First_Name) values('O'Brien')"));
  EXPECT_TRUE(ExecuteSql("insert into Contact_Table(First_Name) values('Ann')"));
}

TEST_F(ContactDatabaseTest, QuotedValuesAreStoredExactlyAsGiven) {
  Bootstrap();
  for (QString value : {QString("O'Brien"), QString("''"), QString("'); drop table x; --"),
                        QString::fromUtf8("张'三"), QString()}) {
    ASSERT_TRUE(ExecuteSql("insert into Contact_Table(First_Name, Notes) values(" +
                           SqlQuote(value) + ", 'probe')"));
    EXPECT_EQ(ColumnValue("First_Name", "Notes = 'probe'"), value);
    ExecuteSql("delete from Contact_Table");
  }
}

TEST_F(ContactDatabaseTest, TextIsStoredAsCodePage936Bytes) {
  Bootstrap();
  ASSERT_TRUE(
      ExecuteSql(QString::fromUtf8("insert into Contact_Table(First_Name) values('张三')")));
  DatabaseConnection db;
  SqlStatement query(db, "select First_Name from Contact_Table");
  ASSERT_EQ(query.Step(), SQLITE_ROW);
  EXPECT_EQ(query.ColumnBytes(0), QByteArray::fromHex("d5c5c8fd"));
  EXPECT_EQ(query.ColumnText(0), QString::fromUtf8("张三"));
}

TEST(SqlQuote, DoublesApostrophes) {
  EXPECT_EQ(SqlQuote("abc"), "'abc'");
  EXPECT_EQ(SqlQuote("it's"), "'it''s'");
  EXPECT_EQ(SqlQuote(""), "''");
}

}  // namespace
