#include "desktop/ui/result_query.h"

#include <gtest/gtest.h>

#include "desktop/store/database_connection.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

// SIM_Name of the records a view mode shows, in view order.
QStringList ShownNames(int viewMode, const QString& keyword = QString()) {
  std::vector<qint64> ids = LoadResultIds(viewMode, keyword);
  QStringList names(ids.size());
  ReadRecords("ID,SIM_Name", ids, [&names](size_t position, const SqlStatement& row) {
    names[position] = row.ColumnText(1);
  });
  return names;
}

TEST(ResultStatements, ModesBuildTheViewsStatements) {
  EXPECT_EQ(ExistsStatement(0, ""), "select exists(select 1 from Contact_Table)");
  EXPECT_EQ(ExistsStatement(1, ""),
            "select exists(select 1 from Contact_Table where ContactType = 1)");
  EXPECT_EQ(ExistsStatement(2, ""),
            "select exists(select 1 from Contact_Table where ContactType = 2)");
  EXPECT_EQ(ResultStatement(kListColumns, 0, ""),
            "select ID,First_Name,Middle_Name,Last_Name,Mobile_Phone,Work_Tel,Home_Tel,E_Mail,"
            "SIM_Name from Contact_Table order by ContactType,First_Name");
  EXPECT_EQ(ResultStatement(kCardColumns, 2, ""),
            "select ID,First_Name,Middle_Name,Last_Name,Mobile_Phone,Work_Tel,Home_Tel,E_Mail,"
            "Notes,hasPic,ContactType,SIM_Name from Contact_Table where ContactType = 2 order by "
            "ContactType,First_Name");
  EXPECT_EQ(RecordsStatement("ID,SIM_Name", std::vector<qint64>{7, 3}),
            "select ID,SIM_Name from Contact_Table where ID in (7,3)");
}

TEST(ResultStatements, KeywordConditionMatchesSevenColumnsAnywhereAndNotesAtTheEnd) {
  EXPECT_EQ(KeywordCondition("smith"),
            " First_Name like '%smith%' escape '!' or Middle_Name like '%smith%' escape '!' or "
            "Last_Name like '%smith%' escape '!' or Mobile_Phone like '%smith%' escape '!' or "
            "Work_Tel like '%smith%' escape '!' or Home_Tel like '%smith%' escape '!' or E_Mail "
            "like '%smith%' escape '!' or Notes like '%smith' escape '!'");
  EXPECT_EQ(ResultStatement("ID", -1, "smith"), "select ID from Contact_Table not indexed where" +
                                                    KeywordCondition("smith") +
                                                    " order by ContactType,First_Name");
  // Wildcards and the escape character match themselves; a quote stays inside the literal.
  EXPECT_TRUE(KeywordCondition("5%_!'x").contains("First_Name like '%5!%!_!!''x%' escape '!'"));
}

class ResultQueryTest : public WorkingFolderTest {};

TEST_F(ResultQueryTest, ModesShowPhoneContactsBeforeSimContactsEachByFirstName) {
  InsertContacts({SampleSimContact("Zed", "1"), SamplePhoneContact("Carl", "Ames"),
                  SampleSimContact("Abe", "2"), SamplePhoneContact("Anna", "Bell")});
  EXPECT_EQ(ShownNames(0), QStringList({"Bell,Anna", "Ames,Carl", "Abe", "Zed"}));
  EXPECT_EQ(ShownNames(1), QStringList({"Bell,Anna", "Ames,Carl"}));
  EXPECT_EQ(ShownNames(2), QStringList({"Abe", "Zed"}));
}

TEST_F(ResultQueryTest, KeywordFindsColumnsAnywhereButNotesOnlyAtTheEnd) {
  InsertContacts({
      SamplePhoneContact("John", "Smith"),
      SamplePhoneContact("Jane", "Doe").Set("E_Mail", "jsmith@example.com"),
      SamplePhoneContact("Noted", "End").Set("Notes", "met Smith"),
      SamplePhoneContact("Noted", "Middle").Set("Notes", "smith was here"),
      SamplePhoneContact("Other", "Person"),
  });
  EXPECT_EQ(ShownNames(-1, "smith"), QStringList({"Doe,Jane", "Smith,John", "End,Noted"}));
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
  EXPECT_EQ(ShownNames(-1, "%"), QStringList({"A,Pct"}));
  EXPECT_EQ(ShownNames(-1, "a_b"), QStringList({"B,Under"}));
  EXPECT_EQ(ShownNames(-1, "O'Bri"), QStringList({"O'Brien,Quote"}));
  EXPECT_EQ(ShownNames(-1, "l!n"), QStringList({"D,Bang"}));
  EXPECT_EQ(ShownNames(-1, "小明"), QStringList({"小明,王"}));
  EXPECT_TRUE(ShownNames(-1, "'; drop table Contact_Table; --").isEmpty());
  EXPECT_EQ(CountContactRows(), 6);
}

TEST_F(ResultQueryTest, RecordsComeBackAtTheirPositions) {
  std::vector<qint64> ids =
      InsertContacts({SamplePhoneContact("A", "1"), SamplePhoneContact("B", "2")});
  std::vector<qint64> asked = {ids[1], 999, ids[0]};
  std::vector<QString> names(asked.size());
  EXPECT_TRUE(ReadRecords(
      "ID,First_Name", asked,
      [&names](size_t position, const SqlStatement& row) { names[position] = row.ColumnText(1); }));
  EXPECT_EQ(names, std::vector<QString>({"B", "", "A"}));
}

}  // namespace
