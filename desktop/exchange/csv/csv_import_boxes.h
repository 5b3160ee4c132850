#pragma once

#include <array>
#include <stdexcept>

#include "common/contact_schema.h"

// The 55 contact fields in the order of the CSV import's boxes: the first page's 29 (names, job,
// contact information, the three addresses), then the second page's 26 as its columns list
// them. A column map of the import and the layout dialog's boxes count in this order.
inline constexpr std::array<ContactFieldId, kContactFieldCount> kCsvImportBoxFields = [] {
  using enum ContactFieldId;
  return std::array<ContactFieldId, kContactFieldCount>{
      kFirstName,   kMiddleName, kLastName,   kTitle,        kSuffix,       kNickName,
      kCompany,     kDepartment, kJobTitle,   kFileAs,       kMobilePhone,  kWebPage,
      kEMail,       kPager,      kWorkStreet, kWorkCity,     kWorkState,    kWorkZip,
      kWorkCountry, kHomeStreet, kHomeCity,   kHomeState,    kHomeZip,      kHomeCountry,
      kOtherStreet, kOtherCity,  kOtherState, kOtherZip,     kOtherCountry, kCompanyTel,
      kWorkTel,     kWorkTel2,   kWorkFax,    kCarTel,       kHomeTel,      kHomeTel2,
      kHomeFax,     kSpouse,     kChildren,   kIm,           kIm2,          kIm3,
      kEMail2,      kEMail3,     kRadioTel,   kAssistant,    kManager,      kAccount,
      kBirthday,    kNotes,      kOfficeLoc,  kAssistantTel, kCustomerId,   kGoveId,
      kAnniversary,
  };
}();

// The box of a field.
constexpr int CsvImportBoxOf(ContactFieldId field) {
  for (int box = 0; box < kContactFieldCount; ++box) {
    if (kCsvImportBoxFields[box] == field) return box;
  }
  throw std::logic_error("a field without a box");
}
static_assert(
    [] {
      for (int field = 0; field < kContactFieldCount; ++field)
        CsvImportBoxOf(ContactFieldId(field));
      return true;
    }(),
    "every contact field has a box");
