#pragma once

#include <QString>

#include <array>

#include "desktop/store/contact_fields.h"

// One contact while a file is parsed: the 55 contact fields in canonical order, with a flag
// after each of the three addresses that records that an address of that kind was filled.
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

  // The member of contact field n (1 to 55).
  QString& Field(int number) { return this->*kFieldMembers[number - 1]; }
  const QString& Field(int number) const { return this->*kFieldMembers[number - 1]; }

  static const std::array<QString ContactRecord::*, kContactFieldCount> kFieldMembers;
};
