#include "desktop/store/contact_record.h"

const std::array<QString ContactRecord::*, kContactFieldCount> ContactRecord::kFieldMembers = {
    &ContactRecord::firstName,   &ContactRecord::middleName,   &ContactRecord::lastName,
    &ContactRecord::title,       &ContactRecord::suffix,       &ContactRecord::nickName,
    &ContactRecord::company,     &ContactRecord::department,   &ContactRecord::jobTitle,
    &ContactRecord::fileAs,      &ContactRecord::mobilePhone,  &ContactRecord::webPage,
    &ContactRecord::eMail,       &ContactRecord::pager,        &ContactRecord::workStreet,
    &ContactRecord::workCity,    &ContactRecord::workState,    &ContactRecord::workZip,
    &ContactRecord::workCountry, &ContactRecord::homeStreet,   &ContactRecord::homeCity,
    &ContactRecord::homeState,   &ContactRecord::homeZip,      &ContactRecord::homeCountry,
    &ContactRecord::otherStreet, &ContactRecord::otherCity,    &ContactRecord::otherState,
    &ContactRecord::otherZip,    &ContactRecord::otherCountry, &ContactRecord::companyTel,
    &ContactRecord::workTel,     &ContactRecord::workTel2,     &ContactRecord::workFax,
    &ContactRecord::carTel,      &ContactRecord::homeTel,      &ContactRecord::homeTel2,
    &ContactRecord::homeFax,     &ContactRecord::spouse,       &ContactRecord::children,
    &ContactRecord::im,          &ContactRecord::im2,          &ContactRecord::im3,
    &ContactRecord::eMail2,      &ContactRecord::eMail3,       &ContactRecord::radioTel,
    &ContactRecord::officeLoc,   &ContactRecord::assistant,    &ContactRecord::assistantTel,
    &ContactRecord::manager,     &ContactRecord::customerId,   &ContactRecord::account,
    &ContactRecord::goveId,      &ContactRecord::birthday,     &ContactRecord::anniversary,
    &ContactRecord::notes,
};
