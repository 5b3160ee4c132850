#include "device/contacts/contacts_text_listing.h"

#include <gtest/gtest.h>

#include "common/ansi_text.h"
#include "tests/device/contacts/contacts_testing.h"
#include "tests/support/scoped_time_zone.h"

namespace {

using namespace backup_item;

const QByteArray kSeparator = QByteArray(44, '-') + "\r\n";

class ContactsTextListingTest : public ContactsTest {
 protected:
  QByteArray List() {
    ExpectMessage("Backup succeed.");
    Backup("contacts.txt");
    return ReadFileBytes(Path("contacts.txt"));
  }
};

TEST_F(ContactsTextListingTest, AnEmptyPhoneGivesAnEmptyFile) { EXPECT_EQ(List(), ""); }

TEST_F(ContactsTextListingTest, ListsEachContactFoundThenEachSimEntry) {
  ScopedTimeZone zone("<+08>-8");
  PhoneContact ann = ContactWith({{kTitle, "Dr."},  // not listed
                                  {kFirstName, "Ann"},
                                  {kMiddleName, "B"},
                                  {kLastName, "Lee"},
                                  {kNickName, "Annie"},
                                  {kSuffix, "Jr"},
                                  {kCompany, "Velthorn"},
                                  {8, "Clerk"},
                                  {11, "1 Main St"},
                                  {12, "Springfield"},
                                  {14, "12345"},
                                  {15, "USA"},
                                  {17, "ann@example.com"},
                                  {kMobilePhone, "123"},
                                  {26, "France"},
                                  {28, "Paris"},
                                  {32, "9"},
                                  {49, QString::fromUtf8("王")},
                                  {kNotes, "Hello"}});
  ann.dates[Prop(kBackupItemBirthday)] = MakeDate(1980, 7, 4, 20);  // 5 July, local time
  phone_.AddContact(ann);
  phone_.AddContact(ContactWith({{kLastName, "Lee"}}));
  phone_.AddContact(ContactWith({{kTitle, "Mr."}, {kFileAs, "Nobody"}}));
  phone_.AddSimEntry(2, "Bob", "456");

  const QByteArray expected =
      "Name:Ann B Lee \"Annie\" Jr\r\n"
      "Company:Velthorn\r\n"
      "Job title:Clerk\r\n"
      "Work addr:1 Main St\r\n"
      "          Springfield  12345\r\n"
      "          USA\r\n"
      "E-mail:ann@example.com\r\n"
      "Mobile tel:123\r\n"
      "Home addr:          France\r\n"
      "Other addr:           Paris  \r\n"
      "Pager:9\r\n"
      "Birthday:07/05/1980\r\n"
      "Spouse:" +
      WideToAnsi(QString::fromUtf8("王")) +
      "\r\n"
      "Notes:Hello\r\n" +
      kSeparator + "Name: Lee\r\n" + kSeparator + kSeparator +
      "SIM_Name:Bob\r\nSIM_Mobile tel:456\r\n" + kSeparator;
  EXPECT_EQ(List(), expected);
}

TEST_F(ContactsTextListingTest, ContactsThatCannotBeReadShowAsAShortfall) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}}));
  const CEOID unreadable = phone_.AddContact(ContactWith({{kFirstName, "Bob"}}));
  phone_.FailCall(PhoneCall::kItemGetProps, unreadable);
  ExpectMessage("The Contacts has 2 items,but had backup 1 items!");
  Backup("short.txt");
  EXPECT_EQ(ReadFileBytes(Path("short.txt")), "Name:Ann\r\n" + kSeparator);
}

}  // namespace
