#include "desktop/exchange/vcard/vcard_fields.h"

using R = ContactRecord;
using enum VCardForm;

const std::array<VCardField, 34> kVCardFields = {{
    {&R::nickName, kProperty, "NICKNAME"},
    {&R::company, kProperty, "ORG"},
    {&R::department, kNoteLine, "Department"},
    {&R::jobTitle, kProperty, "TITLE"},
    {&R::fileAs, kNoteLine, "File As"},
    {&R::mobilePhone, kProperty, "TEL;TYPE=CELL"},
    {&R::webPage, kProperty, "URL"},
    {&R::eMail, kProperty, "EMAIL;TYPE=INTERNET"},
    {&R::pager, kProperty, "TEL;TYPE=PAGER"},
    {&R::companyTel, kItem, "TEL", "COMPANY_MAIN"},
    {&R::workTel, kProperty, "TEL;TYPE=WORK"},
    {&R::workTel2, kProperty, "TEL;TYPE=WORK"},
    {&R::workFax, kProperty, "TEL;TYPE=WORK;TYPE=FAX"},
    {&R::carTel, kProperty, "TEL;TYPE=CAR"},
    {&R::homeTel, kProperty, "TEL;TYPE=HOME"},
    {&R::homeTel2, kProperty, "TEL;TYPE=HOME"},
    {&R::homeFax, kProperty, "TEL;TYPE=HOME;TYPE=FAX"},
    {&R::spouse, kItem, "X-ABRELATEDNAMES", "_$!<Spouse>!$_"},
    {&R::children, kItem, "X-ABRELATEDNAMES", "_$!<Child>!$_"},
    {&R::im, kProperty, "X-MSN"},
    {&R::im2, kProperty, "X-MSN"},
    {&R::im3, kProperty, "X-MSN"},
    {&R::eMail2, kProperty, "EMAIL;TYPE=INTERNET"},
    {&R::eMail3, kProperty, "EMAIL;TYPE=INTERNET"},
    {&R::radioTel, kItem, "TEL", "RADIO"},
    {&R::officeLoc, kNoteLine, "Office Loc"},
    {&R::assistant, kItem, "X-ABRELATEDNAMES", "_$!<Assistant>!$_"},
    {&R::assistantTel, kItem, "TEL", "ASSISTANT"},
    {&R::manager, kItem, "X-ABRELATEDNAMES", "_$!<Manager>!$_"},
    {&R::customerId, kNoteLine, "Customer's ID"},
    {&R::account, kNoteLine, "Account"},
    {&R::goveId, kNoteLine, "Gove.ID"},
    {&R::birthday, kProperty, "BDAY"},
    {&R::anniversary, kItem, "X-ABDATE", "_$!<Anniversary>!$_"},
}};

const std::array<VCardAddress, 3> kVCardAddresses = {{
    {"ADR;TYPE=WORK",
     "WorkAddress:",
     &R::workAddressSeen,
     {&R::workStreet, &R::workCity, &R::workState, &R::workZip, &R::workCountry}},
    {"ADR;TYPE=HOME",
     "HomeAddress:",
     &R::homeAddressSeen,
     {&R::homeStreet, &R::homeCity, &R::homeState, &R::homeZip, &R::homeCountry}},
    {"ADR;TYPE=OTHER",
     "OtherAddress:",
     &R::otherAddressSeen,
     {&R::otherStreet, &R::otherCity, &R::otherState, &R::otherZip, &R::otherCountry}},
}};

bool IsVCardDateField(RecordField field) {
  return field == &R::birthday || field == &R::anniversary;
}
