#pragma once

#include <QByteArray>

#include <functional>
#include <random>

#include "common/contacts_backup_file.h"

// Sample contacts for the benchmarks, the same for the same seed: the sample phone's people
// (platform/device/sample/sample_people.h), numbers, companies, addresses, dates, notes, ring tones
// and pictures.
class ContactGenerator {
 public:
  static constexpr unsigned kSeed = 20240501;
  static constexpr int kRingToneFiles = 8;

  explicit ContactGenerator(unsigned seed = kSeed) : random_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int percent) { return Below(100) < percent; }
  QByteArray Digits(int count);
  QByteArray RandomBytes(int count);
  static QByteArray RingTonePath(int n);

  // A phone contact as a phone holds them: most have a name and a mobile number, many a
  // company and an e-mail address, some an address, dates, notes, a picture or a ring tone.
  // A few are company-only, without any name.
  PhoneContactBody Phone(int index);
  SimContactBody Sim(int index);

 private:
  std::mt19937 random_;
};

// The contacts of every generated file of `total` contacts, in file order: phone contacts first,
// then one tenth SIM contacts. Each call gets one of the two.
using GeneratedContactSink =
    std::function<bool(const PhoneContactBody* phone, const SimContactBody* sim)>;
bool GenerateContacts(int total, const GeneratedContactSink& sink);
inline int GeneratedSimContacts(int total) { return total / 10; }
