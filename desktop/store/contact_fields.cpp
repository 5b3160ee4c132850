#include "desktop/store/contact_fields.h"

#include <cstring>

#include "common/contacts_backup_file.h"

const std::array<const char*, kContactColumnCount> kContactColumns = {
    "ID",
    "Title",
    "First_Name",
    "Middle_Name",
    "Last_Name",
    "Suffix",
    "Nick_Name",
    "Company",
    "Department",
    "Job_Title",
    "File_As",
    "Work_Street",
    "Work_City",
    "Work_State",
    "Work_Zip",
    "Work_Country",
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
    "Mobile_Phone",
    "Web_Page",
    "E_Mail",
    "Pager",
    "Company_Tel",
    "Work_Tel",
    "Work_Tel2",
    "Work_Fax",
    "Car_Tel",
    "Home_Tel",
    "Home_Tel2",
    "Home_Fax",
    "Spouse",
    "Children",
    "IM",
    "IM2",
    "IM3",
    "E_Mail2",
    "E_Mail3",
    "Radio_Tel",
    "Office_Loc",
    "Assistant",
    "Assistant_Tel",
    "Manager",
    "Customer_ID",
    "Account",
    "Gove_ID",
    "Categories",
    "Ring_Tone",
    "Birthday",
    "Anniversary",
    "Picture",
    "Notes",
    "ContactType",
    "hasPic",
    "SIM_Name",
};

int FindContactColumn(const char* name) {
  for (int i = 0; i < kContactColumnCount; ++i) {
    if (std::strcmp(kContactColumns[i], name) == 0) return i;
  }
  return -1;
}

const std::array<ContactField, kContactFieldCount> kContactFields = {{
    {1, "First_Name", 2, 1, "given name"},
    {2, "Middle_Name", 3, 2, "middle name"},
    {3, "Last_Name", 4, 3, "family name"},
    {4, "Title", 1, 0, "form of address before the name"},
    {5, "Suffix", 5, 5, "name suffix"},
    {6, "Nick_Name", 6, 4, "nickname"},
    {7, "Company", 7, 6, "company"},
    {8, "Department", 8, 7, "department"},
    {9, "Job_Title", 9, 8, "job title"},
    {10, "File_As", 10, 51, "name under which the contact is filed"},
    {11, "Mobile_Phone", 26, 18, "mobile telephone number"},
    {12, "Web_Page", 27, 19, "web page address"},
    {13, "E_Mail", 28, 17, "first e-mail address"},
    {14, "Pager", 29, 32, "pager number"},
    {15, "Work_Street", 11, 11, "work address: street"},
    {16, "Work_City", 12, 12, "work address: city"},
    {17, "Work_State", 13, 13, "work address: state or province"},
    {18, "Work_Zip", 14, 14, "work address: postal code"},
    {19, "Work_Country", 15, 15, "work address: country"},
    {20, "Home_Street", 16, 22, "home address: street"},
    {21, "Home_City", 17, 23, "home address: city"},
    {22, "Home_State", 18, 24, "home address: state or province"},
    {23, "Home_Zip", 19, 25, "home address: postal code"},
    {24, "Home_Country", 20, 26, "home address: country"},
    {25, "Other_Street", 21, 27, "other address: street"},
    {26, "Other_City", 22, 28, "other address: city"},
    {27, "Other_State", 23, 29, "other address: state or province"},
    {28, "Other_Zip", 24, 30, "other address: postal code"},
    {29, "Other_Country", 25, 31, "other address: country"},
    {30, "Company_Tel", 30, 35, "company main telephone"},
    {31, "Work_Tel", 31, 9, "work telephone"},
    {32, "Work_Tel2", 32, 36, "second work telephone"},
    {33, "Work_Fax", 33, 10, "work fax"},
    {34, "Car_Tel", 34, 33, "car telephone"},
    {35, "Home_Tel", 35, 21, "home telephone"},
    {36, "Home_Tel2", 36, 37, "second home telephone"},
    {37, "Home_Fax", 37, 34, "home fax"},
    {38, "Spouse", 38, 49, "name of the spouse"},
    {39, "Children", 39, 50, "names of the children"},
    {40, "IM", 40, 16, "first instant-messaging address"},
    {41, "IM2", 41, 39, "second instant-messaging address"},
    {42, "IM3", 42, 40, "third instant-messaging address"},
    {43, "E_Mail2", 43, 41, "second e-mail address"},
    {44, "E_Mail3", 44, 42, "third e-mail address"},
    {45, "Radio_Tel", 45, 38, "radio telephone"},
    {46, "Office_Loc", 46, 20, "office location"},
    {47, "Assistant", 47, 43, "name of the assistant"},
    {48, "Assistant_Tel", 48, 44, "telephone of the assistant"},
    {49, "Manager", 49, 45, "name of the manager"},
    {50, "Customer_ID", 50, 48, "customer number"},
    {51, "Account", 51, 47, "account"},
    {52, "Gove_ID", 52, 46, "government identification number"},
    {53, "Birthday", 55, 55, "birthday"},
    {54, "Anniversary", 56, 56, "anniversary"},
    {55, "Notes", 58, 53, "free notes"},
}};

namespace {

std::array<int, kBackupItemCount> MakeBackupItemColumns() {
  std::array<int, kBackupItemCount> columns{};
  for (const ContactField& field : kContactFields) columns[field.backupItem] = field.columnIndex;
  columns[kBackupItemCategories] = kColumnCategories;
  columns[kBackupItemRingTone] = kColumnRingTone;
  columns[kBackupItemPicture] = kColumnPicture;
  return columns;
}

}  // namespace

const std::array<int, kBackupItemCount>& BackupItemColumns() {
  static const std::array<int, kBackupItemCount> columns = MakeBackupItemColumns();
  return columns;
}
