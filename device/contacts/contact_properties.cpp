#include "device/contacts/contact_properties.h"

#include "device/frame/device_text.h"
#include "platform/device/stores/contact_property_ids.h"
#include "platform/device/stores/file_time.h"

namespace {

// The property behind each value; the picture is read and written as a stream (PIMPR_PICTURE).
using enum ContactFieldId;
constexpr FieldValue<CEPROPID> kProperties[] = {
    {kFirstName, PIMPR_FIRST_NAME},
    {kMiddleName, PIMPR_MIDDLE_NAME},
    {kLastName, PIMPR_LAST_NAME},
    {kTitle, PIMPR_TITLE},
    {kSuffix, PIMPR_SUFFIX},
    {kNickName, PIMPR_NICKNAME},
    {kCompany, PIMPR_COMPANY_NAME},
    {kDepartment, PIMPR_DEPARTMENT},
    {kJobTitle, PIMPR_JOB_TITLE},
    {kFileAs, PIMPR_FILEAS},
    {kMobilePhone, PIMPR_MOBILE_TELEPHONE_NUMBER},
    {kWebPage, PIMPR_WEB_PAGE},
    {kEMail, PIMPR_EMAIL1_ADDRESS},
    {kPager, PIMPR_PAGER_NUMBER},
    {kWorkStreet, PIMPR_BUSINESS_ADDRESS_STREET},
    {kWorkCity, PIMPR_BUSINESS_ADDRESS_CITY},
    {kWorkState, PIMPR_BUSINESS_ADDRESS_STATE},
    {kWorkZip, PIMPR_BUSINESS_ADDRESS_POSTAL_CODE},
    {kWorkCountry, PIMPR_BUSINESS_ADDRESS_COUNTRY},
    {kHomeStreet, PIMPR_HOME_ADDRESS_STREET},
    {kHomeCity, PIMPR_HOME_ADDRESS_CITY},
    {kHomeState, PIMPR_HOME_ADDRESS_STATE},
    {kHomeZip, PIMPR_HOME_ADDRESS_POSTAL_CODE},
    {kHomeCountry, PIMPR_HOME_ADDRESS_COUNTRY},
    {kOtherStreet, PIMPR_OTHER_ADDRESS_STREET},
    {kOtherCity, PIMPR_OTHER_ADDRESS_CITY},
    {kOtherState, PIMPR_OTHER_ADDRESS_STATE},
    {kOtherZip, PIMPR_OTHER_ADDRESS_POSTAL_CODE},
    {kOtherCountry, PIMPR_OTHER_ADDRESS_COUNTRY},
    {kCompanyTel, PIMPR_COMPANY_TELEPHONE_NUMBER},
    {kWorkTel, PIMPR_BUSINESS_TELEPHONE_NUMBER},
    {kWorkTel2, PIMPR_BUSINESS2_TELEPHONE_NUMBER},
    {kWorkFax, PIMPR_BUSINESS_FAX_NUMBER},
    {kCarTel, PIMPR_CAR_TELEPHONE_NUMBER},
    {kHomeTel, PIMPR_HOME_TELEPHONE_NUMBER},
    {kHomeTel2, PIMPR_HOME2_TELEPHONE_NUMBER},
    {kHomeFax, PIMPR_HOME_FAX_NUMBER},
    {kSpouse, PIMPR_SPOUSE},
    {kChildren, PIMPR_CHILDREN},
    {kIm, PIMPR_IM1_ADDRESS},
    {kIm2, PIMPR_IM2_ADDRESS},
    {kIm3, PIMPR_IM3_ADDRESS},
    {kEMail2, PIMPR_EMAIL2_ADDRESS},
    {kEMail3, PIMPR_EMAIL3_ADDRESS},
    {kRadioTel, PIMPR_RADIO_TELEPHONE_NUMBER},
    {kOfficeLoc, PIMPR_OFFICE_LOCATION},
    {kAssistant, PIMPR_ASSISTANT_NAME},
    {kAssistantTel, PIMPR_ASSISTANT_TELEPHONE_NUMBER},
    {kManager, PIMPR_MANAGER},
    {kCustomerId, PIMPR_CUSTOMERID},
    {kAccount, PIMPR_ACCOUNT},
    {kGoveId, PIMPR_GOVERNMENTID},
    {kBirthday, PIMPR_BIRTHDAY},
    {kAnniversary, PIMPR_ANNIVERSARY},
    {kNotes, PIMPR_BODY_TEXT},
    {kCategories, PIMPR_CATEGORIES},
    {kRingTone, PIMPR_RINGTONE},
};
static_assert(std::size(kProperties) == kContactValueCount - 1, "every value but the picture");

constexpr auto kPropertyOfValue = ValuesByField<CEPROPID, kContactValueCount>(kProperties);

}  // namespace

CEPROPID PropertyOf(ContactFieldId id) { return kPropertyOfValue[Index(id)]; }

const std::array<CEPROPID, kBackupPropertyCount> kBackupPropertyIds = [] {
  std::array<CEPROPID, kBackupPropertyCount> ids{};
  for (int item = 0; item < kBackupPropertyCount; ++item) {
    ids[item] = kPropertyOfValue[Index(kBackupItemFields[item])];
  }
  return ids;
}();

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
