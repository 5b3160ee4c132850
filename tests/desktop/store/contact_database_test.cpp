#include "desktop/store/contact_database.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/contact_fields.h"
#include "desktop/store/sql_text.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

class ContactDatabaseTest : public WorkingFolderTest {
 protected:
  ViewState Bootstrap() {
    ViewState state;
    EXPECT_EQ(InitContactDatabase(state), 0);
    return state;
  }
};

TEST_F(ContactDatabaseTest, FirstStartCreatesTheTableWithItsColumns) {
  ViewState state;
  state.m_nCurPage = 5;
  ASSERT_EQ(InitContactDatabase(state), 0);
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
  EXPECT_TRUE(tips_.Tips().empty());
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

TEST_F(ContactDatabaseTest, FileWithoutTheTableCountsAsEmptyAndGetsNoTable) {
  WriteFileBytes("Contact.cdt", "");
  EXPECT_EQ(Bootstrap().m_nPageCount, 1);
  DatabaseConnection db;
  EXPECT_EQ(db.QueryCount("select count(*) from Contact_Table"), -1);

  WriteFileBytes("Contact.cdt", QByteArray(4096, 'x'));  // not a database at all
  EXPECT_EQ(Bootstrap().m_nPageCount, 1);
  EXPECT_FALSE(HasContactRecords());
}

TEST_F(ContactDatabaseTest, UnopenableDatabase) {
  QDir().mkdir("Contact.cdt");  // a folder where the file should be
  ViewState state;
  EXPECT_EQ(InitContactDatabase(state), -1);
  EXPECT_EQ(state.m_nPageCount, 0);
  EXPECT_TRUE(tips_.Tips().empty());

  EXPECT_EQ(ExecuteSql("select 1"), 0);
  EXPECT_EQ(tips_.Tips(), std::vector<TipsRecorder::Tip>({{kIconError, "Can't open database!"}}));
}

TEST_F(ContactDatabaseTest, ExecuteSqlReportsFailureSilently) {
  Bootstrap();
  EXPECT_EQ(ExecuteSql("insert into Contact_Table(First_Name) values('O'Brien')"), 0);
  EXPECT_EQ(ExecuteSql("insert into Contact_Table(First_Name) values('Ann')"), 1);
  EXPECT_TRUE(tips_.Tips().empty());
}

TEST_F(ContactDatabaseTest, QuotedValuesAreStoredExactlyAsGiven) {
  Bootstrap();
  for (QString value : {QString("O'Brien"), QString("''"), QString("'); drop table x; --"),
                        QString::fromUtf8("张'三"), QString()}) {
    ASSERT_EQ(ExecuteSql("insert into Contact_Table(First_Name, Notes) values(" + SqlQuote(value) +
                         ", 'probe')"),
              1);
    EXPECT_EQ(ColumnValue("First_Name", "Notes = 'probe'"), value);
    ExecuteSql("delete from Contact_Table");
  }
}

TEST_F(ContactDatabaseTest, TextIsStoredAsCodePage936Bytes) {
  Bootstrap();
  ASSERT_EQ(ExecuteSql(QString::fromUtf8("insert into Contact_Table(First_Name) values('张三')")),
            1);
  DatabaseConnection db;
  SqlStatement query(db, "select First_Name from Contact_Table");
  ASSERT_EQ(query.Step(), SQLITE_ROW);
  EXPECT_EQ(query.ColumnBytes(0), QByteArray::fromHex("d5c5c8fd"));
  EXPECT_EQ(query.ColumnText(0), QString::fromUtf8("张三"));
}

TEST_F(ContactDatabaseTest, HasContactRecords) {
  EXPECT_FALSE(HasContactRecords());  // no file
  Bootstrap();
  EXPECT_FALSE(HasContactRecords());
  InsertNumberedContacts(1);
  EXPECT_TRUE(HasContactRecords());
}

TEST(SqlQuote, DoublesApostrophes) {
  EXPECT_EQ(SqlQuote("abc"), "'abc'");
  EXPECT_EQ(SqlQuote("it's"), "'it''s'");
  EXPECT_EQ(SqlQuote(""), "''");
}

}  // namespace
