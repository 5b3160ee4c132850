#include "desktop/ui/contact_form.h"

#include <QDir>

#include <gtest/gtest.h>

#include "desktop/store/contact_database.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

TEST(ComposeContactName, LastCommaFirstThenMiddle) {
  EXPECT_EQ(ComposeContactName("Ann", "B", "Smith"), "Smith,Ann B");
  EXPECT_EQ(ComposeContactName("Ann", "", "Smith"), "Smith,Ann");
  EXPECT_EQ(ComposeContactName("Ann", "", ""), "Ann");
  EXPECT_EQ(ComposeContactName("", "", "Smith"), "Smith");
  EXPECT_EQ(ComposeContactName("", "B", ""), " B");
  EXPECT_EQ(ComposeContactName("", "B", "Smith"), "Smith B");
}

TEST(StoredDates, ReadsPaddedAndUnpaddedTextsAndRefusesNonsense) {
  EXPECT_EQ(ParseStoredDate("2009-3-15"), QDate(2009, 3, 15));
  EXPECT_EQ(ParseStoredDate("2009-12-5"), QDate(2009, 12, 5));
  EXPECT_EQ(ParseStoredDate("1990-01-02"), QDate(1990, 1, 2));
  EXPECT_EQ(ParseStoredDate("1990-01-02T00"), QDate(1990, 1, 2));  // as a vCard brings it
  EXPECT_EQ(ParseStoredDate("850-7-1"), QDate(850, 7, 1));
  for (const char* text : {"", "2009", "2009-3", "20", "-", "2009-13-1", "2009-2-30", "2009-0-5",
                           "abcd-ef-gh", "12345-1-1"}) {
    EXPECT_FALSE(ParseStoredDate(text).has_value()) << text;
  }
  EXPECT_EQ(FormatStoredDate(QDate(1980, 5, 7)), "1980-5-7");
  EXPECT_EQ(FormatStoredDate(QDate(2009, 12, 15)), "2009-12-15");
}

TEST(RingTones, ListsWmaThenWavThenMp3Files) {
  TempWorkingFolder folder;
  QDir().mkdir("Ring");
  for (const char* name : {"b.wav", "a.mp3", "z.wma", "C.WAV", "notes.txt", "d.wma"}) {
    WriteFileBytes(QString("Ring/") + name, "x");
  }
  QDir().mkdir("Ring/sub.wav");
  EXPECT_EQ(RingToneFiles("Ring"), QStringList({"d.wma", "z.wma", "C.WAV", "b.wav", "a.mp3"}));
  EXPECT_TRUE(RingToneFiles("missing").isEmpty());
}

TEST(RingTones, StoredRingToneMatchesAWholeNameIgnoringCase) {
  QStringList entries = {kRingToneNone, kRingToneBrowse, "ring.wav", "Song.mp3", "a.wav.wav"};
  EXPECT_EQ(FindRingToneEntry(entries, "\\Application Data\\Sounds\\ring.wav"), 2);
  EXPECT_EQ(FindRingToneEntry(entries, "\\Windows\\SONG.MP3"), 3);
  EXPECT_EQ(FindRingToneEntry(entries, "a.wav.wav"), 4);
  EXPECT_EQ(FindRingToneEntry(entries, "ring"), -1);  // a prefix is no match
  EXPECT_EQ(FindRingToneEntry(entries, "a.wav"), -1);
  EXPECT_EQ(FindRingToneEntry(entries, "None"), -1);
  EXPECT_EQ(FindRingToneEntry(entries, "\\Application Data\\Sounds\\"), -1);
  EXPECT_EQ(FindRingToneEntry(entries, ""), -1);
  EXPECT_EQ(RingTonePhonePath("a.wav"), "\\Application Data\\Sounds\\a.wav");
  EXPECT_EQ(RingTonePhonePath(""), "");
}

TEST(RecordIds, OnlyWholeNumbersAddressARecord) {
  EXPECT_EQ(ParseRecordId("17"), 17);
  EXPECT_EQ(ParseRecordId(" 17 "), 17);
  EXPECT_FALSE(ParseRecordId("").has_value());
  EXPECT_FALSE(ParseRecordId("1 or 1=1").has_value());
  EXPECT_FALSE(ParseRecordId("1;delete from Contact_Table").has_value());
}

TEST(ContactStatements, LoadStatementNamesTheRecordById) {
  EXPECT_EQ(LoadContactStatement(42), "select * from Contact_Table where ID = 42");
}

// Values that differ in every column and hold what SQL text must survive.
ContactTexts DistinctValues(const QString& tag) {
  ContactTexts values;
  for (int column = 1; column < kContactColumnCount; ++column) {
    values[column] = QString("%1%2 O'Neil \"张三\"").arg(tag).arg(column);
  }
  values[kColumnNotes] = tag + "line one\nline two";
  return values;
}

// Columns a stored phone contact takes from the dialog's values.
const std::vector<int>& StoredColumns() {
  static const std::vector<int> columns = [] {
    std::vector<int> list;
    for (int column = 1; column <= kColumnNotes; ++column) {
      if (column != kColumnPicture) list.push_back(column);
    }
    list.push_back(kColumnSimName);
    return list;
  }();
  return columns;
}

class StoreStatementTest : public WorkingFolderTest {
 protected:
  void SetUp() override { ASSERT_EQ(db_.Exec(kCreateContactTable), SQLITE_OK); }

  void ExpectRow(qint64 id, const ContactTexts& values, int hasPic) {
    SqlStatement row(db_, LoadContactStatement(id));
    ASSERT_EQ(row.Step(), SQLITE_ROW);
    for (int column : StoredColumns()) {
      EXPECT_EQ(row.ColumnText(column), values[column]) << kContactColumns[column];
    }
    EXPECT_EQ(row.ColumnInt(kColumnContactType), kPhoneContact);
    EXPECT_EQ(row.ColumnInt(kColumnHasPic), hasPic);
  }

  QByteArray StoredPicture(qint64 id) {
    SqlStatement row(db_, "select Picture from Contact_Table where ID = " + QString::number(id));
    return row.Step() == SQLITE_ROW ? row.ColumnBytes(0) : QByteArray("(none)");
  }

  DatabaseConnection db_{kContactDatabaseFile, DatabaseConnection::Opening::kAnyFile};
};

TEST_F(StoreStatementTest, PhoneInsertStoresEveryColumnAsGiven) {
  ContactTexts values = DistinctValues("a");
  ASSERT_TRUE(InsertPhoneContact(db_, values, nullptr).succeeded);
  ExpectRow(1, values, 0);
  EXPECT_TRUE(StoredPicture(1).isEmpty());

  QByteArray picture("\x89PNG\0\x01\x02", 7);
  ASSERT_TRUE(InsertPhoneContact(db_, values, &picture).succeeded);
  ExpectRow(2, values, 1);
  EXPECT_EQ(StoredPicture(2), picture);
}

TEST_F(StoreStatementTest, PhoneUpdateWritesEveryColumnAndThePictureAsAsked) {
  QByteArray first("first picture"), second("second picture");
  InsertPhoneContact(db_, DistinctValues("a"), &first);
  ContactTexts changed = DistinctValues("b");

  ASSERT_TRUE(UpdatePhoneContact(db_, 1, changed, PictureChange::kKeep, nullptr).succeeded);
  ExpectRow(1, changed, 1);
  EXPECT_EQ(StoredPicture(1), first);

  ASSERT_TRUE(UpdatePhoneContact(db_, 1, changed, PictureChange::kReplace, &second).succeeded);
  EXPECT_EQ(StoredPicture(1), second);

  ASSERT_TRUE(UpdatePhoneContact(db_, 1, changed, PictureChange::kRemove, nullptr).succeeded);
  ExpectRow(1, changed, 0);
  EXPECT_TRUE(StoredPicture(1).isEmpty());
}

TEST_F(StoreStatementTest, FailuresCarryTheDatabasesText) {
  StoreResult gone = UpdateSimContact(db_, 99, "Bob", "1");
  EXPECT_FALSE(gone.succeeded);
  EXPECT_TRUE(gone.errorText.isEmpty());

  DatabaseConnection empty("empty.cdt");
  StoreResult broken = InsertSimContact(empty, "Bob", "1");
  EXPECT_FALSE(broken.succeeded);
  EXPECT_EQ(broken.errorText, "file is not a database");

  EXPECT_TRUE(IsSuccessOutcome(0));
  EXPECT_TRUE(IsSuccessOutcome(100));
  EXPECT_TRUE(IsSuccessOutcome(101));
  EXPECT_FALSE(IsSuccessOutcome(SQLITE_CONSTRAINT));
}

TEST_F(StoreStatementTest, DuplicateQueriesCountSameNames) {
  InsertContacts({SamplePhoneContact("Ann", "Smith").Set("Middle_Name", "B"),
                  SampleSimContact("O'Hara", "1")});
  EXPECT_TRUE(HasPhoneContactNamed(db_, "Ann", "B", "Smith"));
  EXPECT_FALSE(HasPhoneContactNamed(db_, "Ann", "C", "Smith"));
  EXPECT_TRUE(HasSimContactNamed(db_, "O'Hara"));
  EXPECT_TRUE(HasSimContactNamed(db_, "Smith,Ann"));
}

}  // namespace
