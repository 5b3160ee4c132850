#include "device/contacts/contact_properties.h"

#include "device/frame/device_text.h"
#include "platform/device/stores/contact_property_ids.h"
#include "platform/device/stores/file_time.h"

const std::array<CEPROPID, kBackupPropertyCount> kBackupPropertyIds = {
    PIMPR_TITLE,                         // 0 Title
    PIMPR_FIRST_NAME,                    // 1 First_Name
    PIMPR_MIDDLE_NAME,                   // 2 Middle_Name
    PIMPR_LAST_NAME,                     // 3 Last_Name
    PIMPR_NICKNAME,                      // 4 Nick_Name
    PIMPR_SUFFIX,                        // 5 Suffix
    PIMPR_COMPANY_NAME,                  // 6 Company
    PIMPR_DEPARTMENT,                    // 7 Department
    PIMPR_JOB_TITLE,                     // 8 Job_Title
    PIMPR_BUSINESS_TELEPHONE_NUMBER,     // 9 Work_Tel
    PIMPR_BUSINESS_FAX_NUMBER,           // 10 Work_Fax
    PIMPR_BUSINESS_ADDRESS_STREET,       // 11 Work_Street
    PIMPR_BUSINESS_ADDRESS_CITY,         // 12 Work_City
    PIMPR_BUSINESS_ADDRESS_STATE,        // 13 Work_State
    PIMPR_BUSINESS_ADDRESS_POSTAL_CODE,  // 14 Work_Zip
    PIMPR_BUSINESS_ADDRESS_COUNTRY,      // 15 Work_Country
    PIMPR_IM1_ADDRESS,                   // 16 IM
    PIMPR_EMAIL1_ADDRESS,                // 17 E_Mail
    PIMPR_MOBILE_TELEPHONE_NUMBER,       // 18 Mobile_Phone
    PIMPR_WEB_PAGE,                      // 19 Web_Page
    PIMPR_OFFICE_LOCATION,               // 20 Office_Loc
    PIMPR_HOME_TELEPHONE_NUMBER,         // 21 Home_Tel
    PIMPR_HOME_ADDRESS_STREET,           // 22 Home_Street
    PIMPR_HOME_ADDRESS_CITY,             // 23 Home_City
    PIMPR_HOME_ADDRESS_STATE,            // 24 Home_State
    PIMPR_HOME_ADDRESS_POSTAL_CODE,      // 25 Home_Zip
    PIMPR_HOME_ADDRESS_COUNTRY,          // 26 Home_Country
    PIMPR_OTHER_ADDRESS_STREET,          // 27 Other_Street
    PIMPR_OTHER_ADDRESS_CITY,            // 28 Other_City
    PIMPR_OTHER_ADDRESS_STATE,           // 29 Other_State
    PIMPR_OTHER_ADDRESS_POSTAL_CODE,     // 30 Other_Zip
    PIMPR_OTHER_ADDRESS_COUNTRY,         // 31 Other_Country
    PIMPR_PAGER_NUMBER,                  // 32 Pager
    PIMPR_CAR_TELEPHONE_NUMBER,          // 33 Car_Tel
    PIMPR_HOME_FAX_NUMBER,               // 34 Home_Fax
    PIMPR_COMPANY_TELEPHONE_NUMBER,      // 35 Company_Tel
    PIMPR_BUSINESS2_TELEPHONE_NUMBER,    // 36 Work_Tel2
    PIMPR_HOME2_TELEPHONE_NUMBER,        // 37 Home_Tel2
    PIMPR_RADIO_TELEPHONE_NUMBER,        // 38 Radio_Tel
    PIMPR_IM2_ADDRESS,                   // 39 IM2
    PIMPR_IM3_ADDRESS,                   // 40 IM3
    PIMPR_EMAIL2_ADDRESS,                // 41 E_Mail2
    PIMPR_EMAIL3_ADDRESS,                // 42 E_Mail3
    PIMPR_ASSISTANT_NAME,                // 43 Assistant
    PIMPR_ASSISTANT_TELEPHONE_NUMBER,    // 44 Assistant_Tel
    PIMPR_MANAGER,                       // 45 Manager
    PIMPR_GOVERNMENTID,                  // 46 Gove_ID
    PIMPR_ACCOUNT,                       // 47 Account
    PIMPR_CUSTOMERID,                    // 48 Customer_ID
    PIMPR_SPOUSE,                        // 49 Spouse
    PIMPR_CHILDREN,                      // 50 Children
    PIMPR_FILEAS,                        // 51 File_As
    PIMPR_CATEGORIES,                    // 52 Categories
    PIMPR_BODY_TEXT,                     // 53 Notes
    PIMPR_RINGTONE,                      // 54 Ring_Tone
    PIMPR_BIRTHDAY,                      // 55 Birthday
    PIMPR_ANNIVERSARY,                   // 56 Anniversary
};

QString FoundText(const CEPROPVAL& value) { return IsFound(value) ? value.val.lpwstr : QString(); }

std::optional<std::vector<CEPROPVAL>> ReadBackupValues(IItem& item) {
  const std::vector<CEPROPID> ids(kBackupPropertyIds.begin(), kBackupPropertyIds.end());
  std::vector<CEPROPVAL> values;
  if (FAILED(item.GetProps(ids, values))) return std::nullopt;
  return values;
}

QByteArray ReadPicture(IItem& item) {
  std::unique_ptr<IStream> stream;
  quint64 size = 0;
  if (FAILED(item.OpenProperty(PIMPR_PICTURE, GENERIC_READ, stream)) ||
      FAILED(stream->Seek(0, STREAM_SEEK_END, &size)) ||
      FAILED(stream->Seek(0, STREAM_SEEK_SET, nullptr))) {
    return QByteArray();
  }
  QByteArray bytes(static_cast<qsizetype>(size), '\0');
  ULONG read = 0;
  if (FAILED(stream->Read(bytes.data(), static_cast<ULONG>(size), &read))) return QByteArray();
  bytes.truncate(read);
  return bytes;
}

namespace {

BackupDate BackupDateOf(const CEPROPVAL& value) {
  if (!IsFound(value)) return BackupDate();
  FILETIME local;
  SYSTEMTIME fields;
  if (!FileTimeToLocalFileTime(&value.val.filetime, &local) ||
      !FileTimeToSystemTime(&local, &fields)) {
    return BackupDate{-1, 0xFFFF, 0xFFFF};
  }
  return BackupDate{fields.wYear, fields.wMonth, fields.wDay};
}

}  // namespace

PhoneContactBody ContactBodyOf(const std::vector<CEPROPVAL>& values, const QByteArray& picture) {
  PhoneContactBody body;
  for (int i = 0; i < kBackupStringItems; ++i) body.items[i] = WideToAnsi(FoundText(values[i]));
  body.birthday = BackupDateOf(values[kBackupItemBirthday]);
  body.anniversary = BackupDateOf(values[kBackupItemAnniversary]);
  body.picture = picture;
  return body;
}
