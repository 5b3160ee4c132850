#include "desktop/store/result_query.h"

#include <QFile>

#include <gtest/gtest.h>

#include "desktop/store/database_connection.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

// SIM_Name of the records a view mode shows, in view order.
QStringList ShownNames(ViewMode viewMode, const QString& keyword = QString()) {
  std::vector<qint64> ids = LoadResultIds(viewMode, keyword).ids;
  QStringList names(ids.size());
  ReadRecords("ID,SIM_Name", ids, [&names](size_t position, const SqlStatement& row) {
    names[position] = row.ColumnText(1);
  });
  return names;
}

// SIM_Name of the records a keyword search finds, in view order.
QStringList FoundNames(const QString& keyword) {
  return ShownNames(ViewMode::kKeywordSearch, keyword);
}

TEST(ResultStatements, ModesBuildTheViewsStatements) {
  EXPECT_EQ(ExistsStatement(ViewMode::kAll), "select exists(select 1 from Contact_Table)");
  EXPECT_EQ(ExistsStatement(ViewMode::kPhoneContacts),
            "select exists(select 1 from Contact_Table where ContactType = 1)");
  EXPECT_EQ(ExistsStatement(ViewMode::kSimContacts),
            "select exists(select 1 from Contact_Table where ContactType = 2)");
  EXPECT_EQ(ResultStatement(kListColumns, ViewMode::kAll),
            "select ID,First_Name,Middle_Name,Last_Name,Mobile_Phone,Work_Tel,Home_Tel,E_Mail,"
            "SIM_Name from Contact_Table order by ContactType,First_Name");
  EXPECT_EQ(ResultStatement(kCardColumns, ViewMode::kSimContacts),
            "select ID,First_Name,Middle_Name,Last_Name,Mobile_Phone,Work_Tel,Home_Tel,E_Mail,"
            "Notes,hasPic,ContactType,SIM_Name from Contact_Table where ContactType = 2 order by "
            "ContactType,First_Name");
  EXPECT_EQ(RecordsStatement("ID,SIM_Name", std::vector<qint64>{7, 3}),
            "select ID,SIM_Name from Contact_Table where ID in (7,3)");
}

class ResultQueryTest : public WorkingFolderTest {};

TEST_F(ResultQueryTest, ModesShowPhoneContactsBeforeSimContactsEachByFirstName) {
  InsertContacts({SampleSimContact("Zed", "1"), SamplePhoneContact("Carl", "Ames"),
                  SampleSimContact("Abe", "2"), SamplePhoneContact("Anna", "Bell")});
  EXPECT_EQ(ShownNames(ViewMode::kAll), QStringList({"Bell,Anna", "Ames,Carl", "Abe", "Zed"}));
  EXPECT_EQ(ShownNames(ViewMode::kPhoneContacts), QStringList({"Bell,Anna", "Ames,Carl"}));
  EXPECT_EQ(ShownNames(ViewMode::kSimContacts), QStringList({"Abe", "Zed"}));
}

TEST_F(ResultQueryTest, KeywordFindsColumnsAnywhereButNotesOnlyAtTheEnd) {
  InsertContacts({
      SamplePhoneContact("John", "Smith"),
      SamplePhoneContact("Jane", "Doe").Set("E_Mail", "jsmith@example.com"),
      SamplePhoneContact("Noted", "End").Set("Notes", "met Smith"),
      SamplePhoneContact("Noted", "Middle").Set("Notes", "smith was here"),
      SamplePhoneContact("Other", "Person"),
  });
  EXPECT_EQ(FoundNames("smith"), QStringList({"Doe,Jane", "Smith,John", "End,Noted"}));
}

TEST_F(ResultQueryTest, KeywordIsLookedForInSevenColumnsAndAtTheEndOfNotes) {
  const QStringList kColumns = {"E_Mail",      "First_Name",   "Home_Tel", "Last_Name",
                                "Middle_Name", "Mobile_Phone", "Notes",    "Work_Tel"};
  std::vector<SampleContact> contacts;
  QStringList expected;
  for (const QString& column : kColumns) {
    contacts.push_back(SamplePhoneContact("x", column).Set(column, "1zq"));
    expected << column + ",x";
  }
  contacts.push_back(SamplePhoneContact("x", "Notes first").Set("Notes", "zq1"));
  contacts.push_back(SamplePhoneContact("x", "Company").Set("Company", "zq"));
  InsertContacts(contacts);
  QStringList shown = ShownNames(ViewMode::kKeywordSearch, "zq");
  shown.sort();
  EXPECT_EQ(shown, expected);
}

// The table holds GB18030 bytes: a keyword matches whole characters, never bytes that straddle
// two of them or the trail byte of one.
TEST_F(ResultQueryTest, KeywordMatchesCharactersOfChineseMixedAndAsciiNames) {
  InsertContacts({
      SamplePhoneContact("芳全", "王"),
      SamplePhoneContact("娜", "李"),
      SamplePhoneContact("Anna", "李"),
      SamplePhoneContact("John", "Lee").Set("E_Mail", "JLee@qq.com"),
      SamplePhoneContact("丄", "Ng"),  // GB18030 81 41: its trail byte is "A"
      SamplePhoneContact("Note", "End").Set("Notes", "见过王芳"),
      SamplePhoneContact("Price", "Euro"),
      SamplePhoneContact("Older", "Euro"),
  });
  // Code page 936 writes the euro sign as the single byte 0x80; earlier versions stored
  // GB18030's A2 E3.
  DatabaseConnection().Exec(
      "update Contact_Table set Notes = cast(X'3580' as text) where First_Name = 'Price';"
      "update Contact_Table set Notes = cast(X'35A2E3' as text) where First_Name = 'Older'");
  const struct {
    const char* keyword;
    QStringList names;
  } kCases[] = {
      {"李", {"李,Anna", "李,娜"}},
      {"芳", {"End,Note", "王,芳全"}},
      {"芳全", {"王,芳全"}},
      {"王芳", {"End,Note"}},
      {"醴", {}},  // GB18030 F5 B7: the end of 王 and the start of 芳
      {"a", {"李,Anna"}},
      {"jLEE@", {"Lee,John"}},
      {"ＬＥＥ", {}},  // full-width letters are other characters
      {"5€", {"Euro,Older", "Euro,Price"}},
  };
  for (const auto& test : kCases) {
    EXPECT_EQ(FoundNames(QString::fromUtf8(test.keyword)), test.names) << test.keyword;
  }
}

TEST_F(ResultQueryTest, KeywordPunctuationMatchesLiterally) {
  InsertContacts({
      SamplePhoneContact("Pct", "A").Set("Notes", "100%"),
      SamplePhoneContact("Under", "B").Set("E_Mail", "a_b@example.com"),
      SamplePhoneContact("Plain", "C").Set("E_Mail", "axb@example.com"),
      SamplePhoneContact("Quote", "O'Brien"),
      SamplePhoneContact("Bang", "D").Set("Mobile_Phone", "call!now"),
      SamplePhoneContact("王", "小明"),
  });
  EXPECT_EQ(FoundNames("%"), QStringList({"A,Pct"}));
  EXPECT_EQ(FoundNames("a_b"), QStringList({"B,Under"}));
  EXPECT_EQ(FoundNames("O'Bri"), QStringList({"O'Brien,Quote"}));
  EXPECT_EQ(FoundNames("l!n"), QStringList({"D,Bang"}));
  EXPECT_EQ(FoundNames("小明"), QStringList({"小明,王"}));
  EXPECT_TRUE(FoundNames("'; drop table Contact_Table; --").isEmpty());
  EXPECT_EQ(CountContactRows(), 6);
}

TEST_F(ResultQueryTest, RecordsComeBackAtTheirPositions) {
  std::vector<qint64> ids =
      InsertContacts({SamplePhoneContact("A", "1"), SamplePhoneContact("B", "2")});
  std::vector<qint64> asked = {ids[1], 999, ids[0]};
  std::vector<QString> names(asked.size());
  EXPECT_EQ(ReadRecords("ID,First_Name", asked,
                        [&names](size_t position, const SqlStatement& row) {
                          names[position] = row.ColumnText(1);
                        }),
            DatabaseFault::kNone);
  EXPECT_EQ(names, std::vector<QString>({"B", "", "A"}));
}

// The views' reads on a database that cannot serve them: each says why, none gives a short or
// empty result as if it were whole.
TEST_F(ResultQueryTest, FaultsOfTheDatabaseAreReportedNotHidden) {
  InsertContactsWithOneDamaged(3, 1);
  // The IDs come from the index, which is whole; the damaged record's own page is not.
  ResultIds all = LoadResultIds(ViewMode::kAll, QString());
  EXPECT_EQ(all.fault, DatabaseFault::kNone);
  EXPECT_EQ(all.ids.size(), 3u);
  EXPECT_EQ(ReadRecords("ID", all.ids, [](size_t, const SqlStatement&) {}),
            DatabaseFault::kCannotRead);
  ResultIds found =
      LoadResultIds(ViewMode::kKeywordSearch, "First");  // a keyword search reads every record
  EXPECT_EQ(found.fault, DatabaseFault::kCannotRead);
  EXPECT_TRUE(found.ids.empty());

  QFile::remove("Contact.cdt");
  InsertNumberedContacts(1);
  DatabaseConnection holder;
  ASSERT_EQ(holder.Exec("begin exclusive"), SQLITE_OK);
  EXPECT_EQ(LoadResultIds(ViewMode::kKeywordSearch, "First").fault, DatabaseFault::kLocked);
  EXPECT_EQ(AnyRecordShown(ViewMode::kPhoneContacts).fault, DatabaseFault::kLocked);
  holder.Exec("rollback");
  EXPECT_TRUE(AnyRecordShown(ViewMode::kPhoneContacts).any);
  EXPECT_FALSE(AnyRecordShown(ViewMode::kSimContacts).any);

  WriteFileBytes("Contact.cdt", "not a database");
  EXPECT_EQ(LoadResultIds(ViewMode::kAll, QString()).fault, DatabaseFault::kCannotOpen);
  EXPECT_EQ(AnyRecordShown(ViewMode::kAll).fault, DatabaseFault::kCannotOpen);
}

}  // namespace
