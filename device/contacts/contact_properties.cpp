#include "device/contacts/contact_properties.h"

const std::array<CEPROPID, kBackupPropertyCount> kBackupPropertyIds = {
    0x81001F,    // 0 Title
    0x82001F,    // 1 First_Name
    0x83001F,    // 2 Middle_Name
    0x84001F,    // 3 Last_Name
    0x86001F,    // 4 Nick_Name
    0x85001F,    // 5 Suffix
    0x8A001F,    // 6 Company
    0x8B001F,    // 7 Department
    0x8C001F,    // 8 Job_Title
    0x97001F,    // 9 Work_Tel
    0x9B001F,    // 10 Work_Fax
    0xC1001F,    // 11 Work_Street
    0xC2001F,    // 12 Work_City
    0xC3001F,    // 13 Work_State
    0xC4001F,    // 14 Work_Zip
    0xC5001F,    // 15 Work_Country
    0x93001F,    // 16 IM
    0x90001F,    // 17 E_Mail
    0x96001F,    // 18 Mobile_Phone
    0xA7001F,    // 19 Web_Page
    0x8E001F,    // 20 Office_Loc
    0x99001F,    // 21 Home_Tel
    0xD1001F,    // 22 Home_Street
    0xD2001F,    // 23 Home_City
    0xD3001F,    // 24 Home_State
    0xD4001F,    // 25 Home_Zip
    0xD5001F,    // 26 Home_Country
    0xE1001F,    // 27 Other_Street
    0xE2001F,    // 28 Other_City
    0xE3001F,    // 29 Other_State
    0xE4001F,    // 30 Other_Zip
    0xE5001F,    // 31 Other_Country
    0x9D001F,    // 32 Pager
    0x9E001F,    // 33 Car_Tel
    0x9C001F,    // 34 Home_Fax
    0xA0001F,    // 35 Company_Tel
    0x98001F,    // 36 Work_Tel2
    0x9A001F,    // 37 Home_Tel2
    0x9F001F,    // 38 Radio_Tel
    0x94001F,    // 39 IM2
    0x95001F,    // 40 IM3
    0x91001F,    // 41 E_Mail2
    0x92001F,    // 42 E_Mail3
    0x8F001F,    // 43 Assistant
    0xA1001F,    // 44 Assistant_Tel
    0x8D001F,    // 45 Manager
    0xAA001F,    // 46 Gove_ID
    0xAB001F,    // 47 Account
    0xA9001F,    // 48 Customer_ID
    0xA5001F,    // 49 Spouse
    0xA6001F,    // 50 Children
    0x80001F,    // 51 File_As
    0x101D001F,  // 52 Categories
    0x101F001F,  // 53 Notes
    0xA8001F,    // 54 Ring_Tone
    0xF00040,    // 55 Birthday
    0xF10040,    // 56 Anniversary
};

QString FoundText(const CEPROPVAL& value) { return IsFound(value) ? value.val.lpwstr : QString(); }
