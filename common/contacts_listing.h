#pragma once

#include <array>

#include "common/contact_schema.h"

// The plain-text listing of contacts that both programs write. A phone contact's block starts
// with its name line: "Name:" and the first, middle and last name, the nickname in double
// quotation marks and the suffix, those it has. Then come the lines below, in this order, each
// only when it has a value.

inline constexpr std::array<ContactFieldId, 5> kListingNameParts = {
    ContactFieldId::kFirstName, ContactFieldId::kMiddleName, ContactFieldId::kLastName,
    ContactFieldId::kNickName, ContactFieldId::kSuffix};

enum class ListingLineKind {
  kValue,      // the label and the value
  kAddress,    // the label and the five parts of an address, over up to three lines
  kDate,       // the label and the date, month first
  kNotesLine,  // the label and the notes
};

struct ListingLine {
  ListingLineKind kind;
  const char* label;
  ContactFieldId field;  // an address: its street
};

namespace contacts_listing_internal {

constexpr std::array<ListingLine, 36> MakeLines() {
  using enum ContactFieldId;
  using enum ListingLineKind;
  return {{
      {kValue, "Company:", kCompany},
      {kValue, "Department:", kDepartment},
      {kValue, "Job title:", kJobTitle},
      {kValue, "Work tel:", kWorkTel},
      {kValue, "Work fax:", kWorkFax},
      {kAddress, "Work addr:", kWorkStreet},
      {kValue, "IM:", kIm},
      {kValue, "E-mail:", kEMail},
      {kValue, "Mobile tel:", kMobilePhone},
      {kValue, "Web page:", kWebPage},
      {kValue, "Office loc:", kOfficeLoc},
      {kValue, "Home tel:", kHomeTel},
      {kAddress, "Home addr:", kHomeStreet},
      {kAddress, "Other addr:", kOtherStreet},
      {kValue, "Pager:", kPager},
      {kValue, "Car tel:", kCarTel},
      {kValue, "Home fax:", kHomeFax},
      {kValue, "Company tel:", kCompanyTel},
      {kValue, "Work2 tel:", kWorkTel2},
      {kValue, "Home2 tel:", kHomeTel2},
      {kValue, "Radio tel:", kRadioTel},
      {kValue, "IM2:", kIm2},
      {kValue, "IM3:", kIm3},
      {kValue, "E-mail2:", kEMail2},
      {kValue, "E-mail3:", kEMail3},
      {kValue, "Assistant:", kAssistant},
      {kValue, "Assistant tel:", kAssistantTel},
      {kValue, "Manager:", kManager},
      {kValue, "Govt.ID:", kGoveId},
      {kValue, "Account:", kAccount},
      {kValue, "Customer ID:", kCustomerId},
      {kDate, "Birthday:", kBirthday},
      {kDate, "Anniversary:", kAnniversary},
      {kValue, "Spouse:", kSpouse},
      {kValue, "Children:", kChildren},
      {kNotesLine, "Notes:", kNotes},
  }};
}

}  // namespace contacts_listing_internal

inline constexpr std::array<ListingLine, 36> kListingLines = contacts_listing_internal::MakeLines();
