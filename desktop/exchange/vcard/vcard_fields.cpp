#include "desktop/exchange/vcard/vcard_fields.h"

using enum ContactFieldId;
using enum VCardForm;

const std::array<VCardField, 34> kVCardFields = {{
    {kNickName, kProperty, "NICKNAME"},
    {kCompany, kProperty, "ORG"},
    {kDepartment, kNoteLine, "Department"},
    {kJobTitle, kProperty, "TITLE"},
    {kFileAs, kNoteLine, "File As"},
    {kMobilePhone, kProperty, "TEL;TYPE=CELL"},
    {kWebPage, kProperty, "URL"},
    {kEMail, kProperty, "EMAIL;TYPE=INTERNET"},
    {kPager, kProperty, "TEL;TYPE=PAGER"},
    {kCompanyTel, kItem, "TEL", "COMPANY_MAIN"},
    {kWorkTel, kProperty, "TEL;TYPE=WORK"},
    {kWorkTel2, kProperty, "TEL;TYPE=WORK"},
    {kWorkFax, kProperty, "TEL;TYPE=WORK;TYPE=FAX"},
    {kCarTel, kProperty, "TEL;TYPE=CAR"},
    {kHomeTel, kProperty, "TEL;TYPE=HOME"},
    {kHomeTel2, kProperty, "TEL;TYPE=HOME"},
    {kHomeFax, kProperty, "TEL;TYPE=HOME;TYPE=FAX"},
    {kSpouse, kItem, "X-ABRELATEDNAMES", "_$!<Spouse>!$_"},
    {kChildren, kItem, "X-ABRELATEDNAMES", "_$!<Child>!$_"},
    {kIm, kProperty, "X-MSN"},
    {kIm2, kProperty, "X-MSN"},
    {kIm3, kProperty, "X-MSN"},
    {kEMail2, kProperty, "EMAIL;TYPE=INTERNET"},
    {kEMail3, kProperty, "EMAIL;TYPE=INTERNET"},
    {kRadioTel, kItem, "TEL", "RADIO"},
    {kOfficeLoc, kNoteLine, "Office Loc"},
    {kAssistant, kItem, "X-ABRELATEDNAMES", "_$!<Assistant>!$_"},
    {kAssistantTel, kItem, "TEL", "ASSISTANT"},
    {kManager, kItem, "X-ABRELATEDNAMES", "_$!<Manager>!$_"},
    {kCustomerId, kNoteLine, "Customer's ID"},
    {kAccount, kNoteLine, "Account"},
    {kGoveId, kNoteLine, "Gove.ID"},
    {kBirthday, kProperty, "BDAY"},
    {kAnniversary, kItem, "X-ABDATE", "_$!<Anniversary>!$_"},
}};

const std::array<VCardAddress, 3> kVCardAddresses = {{
    {"ADR;TYPE=WORK", "WorkAddress:", &ContactRecord::workAddressSeen, kWorkStreet},
    {"ADR;TYPE=HOME", "HomeAddress:", &ContactRecord::homeAddressSeen, kHomeStreet},
    {"ADR;TYPE=OTHER", "OtherAddress:", &ContactRecord::otherAddressSeen, kOtherStreet},
}};

bool IsVCardDateField(RecordField field) {
  return field == MemberOf(kBirthday) || field == MemberOf(kAnniversary);
}
