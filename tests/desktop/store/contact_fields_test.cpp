#include "desktop/store/contact_fields.h"

#include <gtest/gtest.h>

#include <set>

#include "desktop/store/contact_record.h"

namespace {

TEST(ContactFields, CanonicalOrderAndColumns) {
  for (int i = 0; i < kContactFieldCount; ++i) {
    const ContactField& field = kContactFields[i];
    EXPECT_EQ(field.number, i + 1);
    EXPECT_STREQ(field.column, kContactColumns[field.columnIndex]) << field.number;
  }
  EXPECT_STREQ(kContactFields[0].column, "First_Name");
  EXPECT_STREQ(kContactFields[3].column, "Title");
  EXPECT_STREQ(kContactFields[54].column, "Notes");
}

TEST(ContactFields, BackupItemsFollowTheRecordLayout) {
  // The column list of a phone contact record, item by item, as the import's statement names it.
  const char* items[kBackupItemCount] = {"Title",
                                         "First_Name",
                                         "Middle_Name",
                                         "Last_Name",
                                         "Nick_Name",
                                         "Suffix",
                                         "Company",
                                         "Department",
                                         "Job_Title",
                                         "Work_Tel",
                                         "Work_Fax",
                                         "Work_Street",
                                         "Work_City",
                                         "Work_State",
                                         "Work_Zip",
                                         "Work_Country",
                                         "IM",
                                         "E_Mail",
                                         "Mobile_Phone",
                                         "Web_Page",
                                         "Office_Loc",
                                         "Home_Tel",
                                         "Home_Street",
                                         "Home_City",
                                         "Home_State",
                                         "Home_Zip",
                                         "Home_Country",
                                         "Other_Street",
                                         "Other_City",
                                         "Other_State",
                                         "Other_Zip",
                                         "Other_Country",
                                         "Pager",
                                         "Car_Tel",
                                         "Home_Fax",
                                         "Company_Tel",
                                         "Work_Tel2",
                                         "Home_Tel2",
                                         "Radio_Tel",
                                         "IM2",
                                         "IM3",
                                         "E_Mail2",
                                         "E_Mail3",
                                         "Assistant",
                                         "Assistant_Tel",
                                         "Manager",
                                         "Gove_ID",
                                         "Account",
                                         "Customer_ID",
                                         "Spouse",
                                         "Children",
                                         "File_As",
                                         "Categories",
                                         "Notes",
                                         "Ring_Tone",
                                         "Birthday",
                                         "Anniversary",
                                         "Picture"};
  std::set<int> seen;
  for (int i = 0; i < kBackupItemCount; ++i) {
    EXPECT_STREQ(kContactColumns[BackupItemColumns()[i]], items[i]) << "item " << i;
    seen.insert(BackupItemColumns()[i]);
  }
  EXPECT_EQ(seen.size(), static_cast<size_t>(kBackupItemCount));
}

TEST(ContactRecord, StartsEmptyAndMapsEachFieldToItsMember) {
  ContactRecord record;
  for (int n = 1; n <= kContactFieldCount; ++n) EXPECT_TRUE(record.Field(n).isEmpty());
  EXPECT_EQ(record.workAddressSeen, 0);
  EXPECT_EQ(record.homeAddressSeen, 0);
  EXPECT_EQ(record.otherAddressSeen, 0);

  for (int n = 1; n <= kContactFieldCount; ++n) record.Field(n) = kContactFields[n - 1].column;
  EXPECT_EQ(record.firstName, "First_Name");
  EXPECT_EQ(record.workCountry, "Work_Country");
  EXPECT_EQ(record.homeStreet, "Home_Street");
  EXPECT_EQ(record.companyTel, "Company_Tel");
  EXPECT_EQ(record.notes, "Notes");

  // Each number has a member of its own.
  for (int n = 1; n <= kContactFieldCount; ++n) {
    EXPECT_STREQ(record.Field(n).toLatin1().constData(), kContactFields[n - 1].column) << n;
  }
}

}  // namespace
