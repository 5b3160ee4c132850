#pragma once

#include <QString>

#include <array>

#include "desktop/store/contact_fields.h"

// One contact while a file is parsed: the 55 contact fields in canonical order, with a flag
// after each of the three addresses that records that an address of that kind was filled. Then
// what the desktop knows of each field: its member, its column and its label.
struct ContactRecord {
  QString firstName;
  QString middleName;
  QString lastName;
  QString title;
  QString suffix;
  QString nickName;
  QString company;
  QString department;
  QString jobTitle;
  QString fileAs;
  QString mobilePhone;
  QString webPage;
  QString eMail;
  QString pager;
  QString workStreet;
  QString workCity;
  QString workState;
  QString workZip;
  QString workCountry;
  int workAddressSeen = 0;
  QString homeStreet;
  QString homeCity;
  QString homeState;
  QString homeZip;
  QString homeCountry;
  int homeAddressSeen = 0;
  QString otherStreet;
  QString otherCity;
  QString otherState;
  QString otherZip;
  QString otherCountry;
  int otherAddressSeen = 0;
  QString companyTel;
  QString workTel;
  QString workTel2;
  QString workFax;
  QString carTel;
  QString homeTel;
  QString homeTel2;
  QString homeFax;
  QString spouse;
  QString children;
  QString im;
  QString im2;
  QString im3;
  QString eMail2;
  QString eMail3;
  QString radioTel;
  QString officeLoc;
  QString assistant;
  QString assistantTel;
  QString manager;
  QString customerId;
  QString account;
  QString goveId;
  QString birthday;
  QString anniversary;
  QString notes;

  // The member of a contact field, or of contact field n (1 to 55).
  QString& Field(ContactFieldId id);
  const QString& Field(ContactFieldId id) const;
  QString& Field(int number) { return Field(ContactFieldId(number - 1)); }
  const QString& Field(int number) const { return Field(ContactFieldId(number - 1)); }
};

// What the desktop knows of each contact field besides the schema.
struct ContactField {
  ContactFieldId id;
  int number;  // 1 to 55: the canonical order
  const char* column;
  int columnIndex;  // position in a `select *` row
  QString ContactRecord::*member;
  const char* label;  // beside its box in the record dialogs and the CSV pages
};

namespace contact_record_internal {

constexpr std::array<ContactField, kContactFieldCount> MakeFields() {
  using enum ContactFieldId;
  using R = ContactRecord;
  constexpr auto field = [](ContactFieldId id, QString R::*member, const char* label) {
    return ContactField{id, Index(id) + 1, ColumnNameOf(id), ColumnOf(id), member, label};
  };
  return {{
      field(kFirstName, &R::firstName, "First Name:"),
      field(kMiddleName, &R::middleName, "Middle Name:"),
      field(kLastName, &R::lastName, "Last Name:"),
      field(kTitle, &R::title, "Title:"),
      field(kSuffix, &R::suffix, "Suffix:"),
      field(kNickName, &R::nickName, "Nickname:"),
      field(kCompany, &R::company, "Company:"),
      field(kDepartment, &R::department, "Department:"),
      field(kJobTitle, &R::jobTitle, "Job title:"),
      field(kFileAs, &R::fileAs, "File As:"),
      field(kMobilePhone, &R::mobilePhone, "Mobile phone:"),
      field(kWebPage, &R::webPage, "Web page:"),
      field(kEMail, &R::eMail, "E-mail:"),
      field(kPager, &R::pager, "Pager:"),
      field(kWorkStreet, &R::workStreet, "Street:"),
      field(kWorkCity, &R::workCity, "City:"),
      field(kWorkState, &R::workState, "State:"),
      field(kWorkZip, &R::workZip, "Zip:"),
      field(kWorkCountry, &R::workCountry, "Country/Region:"),
      field(kHomeStreet, &R::homeStreet, "Street:"),
      field(kHomeCity, &R::homeCity, "City:"),
      field(kHomeState, &R::homeState, "State:"),
      field(kHomeZip, &R::homeZip, "Zip:"),
      field(kHomeCountry, &R::homeCountry, "Country/Region:"),
      field(kOtherStreet, &R::otherStreet, "Street:"),
      field(kOtherCity, &R::otherCity, "City:"),
      field(kOtherState, &R::otherState, "State:"),
      field(kOtherZip, &R::otherZip, "Zip:"),
      field(kOtherCountry, &R::otherCountry, "Country/Region:"),
      field(kCompanyTel, &R::companyTel, "Company tel:"),
      field(kWorkTel, &R::workTel, "Work tel:"),
      field(kWorkTel2, &R::workTel2, "Work2 tel:"),
      field(kWorkFax, &R::workFax, "Work fax:"),
      field(kCarTel, &R::carTel, "Car tel:"),
      field(kHomeTel, &R::homeTel, "Home tel:"),
      field(kHomeTel2, &R::homeTel2, "Home2 tel:"),
      field(kHomeFax, &R::homeFax, "Home fax:"),
      field(kSpouse, &R::spouse, "Spouse:"),
      field(kChildren, &R::children, "Children:"),
      field(kIm, &R::im, "IM:"),
      field(kIm2, &R::im2, "IM2:"),
      field(kIm3, &R::im3, "IM3:"),
      field(kEMail2, &R::eMail2, "E-mail2:"),
      field(kEMail3, &R::eMail3, "E-mail3:"),
      field(kRadioTel, &R::radioTel, "Radio tel:"),
      field(kOfficeLoc, &R::officeLoc, "Office loc:"),
      field(kAssistant, &R::assistant, "Assistant:"),
      field(kAssistantTel, &R::assistantTel, "Assistant tel:"),
      field(kManager, &R::manager, "Manager:"),
      field(kCustomerId, &R::customerId, "Customer ID:"),
      field(kAccount, &R::account, "Account:"),
      field(kGoveId, &R::goveId, "Gove. ID:"),
      field(kBirthday, &R::birthday, "Birthday:"),
      field(kAnniversary, &R::anniversary, "Anniversary:"),
      field(kNotes, &R::notes, "Notes:"),
  }};
}

}  // namespace contact_record_internal

// The 55 contact fields in canonical order (kContactFields[n - 1] is field n).
inline constexpr std::array<ContactField, kContactFieldCount> kContactFields =
    contact_record_internal::MakeFields();
static_assert(
    [] {
      for (int i = 0; i < kContactFieldCount; ++i) {
        if (Index(kContactFields[i].id) != i) return false;
      }
      return true;
    }(),
    "kContactFields lists the fields in the order of ContactFieldId");

constexpr QString ContactRecord::*MemberOf(ContactFieldId id) {
  return kContactFields[Index(id)].member;
}
// The label of a contact field; null for the other values.
constexpr const char* LabelOf(ContactFieldId id) {
  return Index(id) < kContactFieldCount ? kContactFields[Index(id)].label : nullptr;
}

inline QString& ContactRecord::Field(ContactFieldId id) { return this->*MemberOf(id); }
inline const QString& ContactRecord::Field(ContactFieldId id) const { return this->*MemberOf(id); }
