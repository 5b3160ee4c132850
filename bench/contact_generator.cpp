#include "bench/contact_generator.h"

#include <QString>

#include "common/ansi_text.h"
#include "platform/device/sample/sample_people.h"

namespace {

const char* const kCities[] = {"Springfield", "Beijing", "Shanghai", "Berlin", "Lyon", "Austin"};

}  // namespace

QByteArray ContactGenerator::Digits(int count) {
  QByteArray digits;
  for (int i = 0; i < count; ++i) digits.append(static_cast<char>('0' + Below(10)));
  return digits;
}

QByteArray ContactGenerator::RandomBytes(int count) {
  QByteArray bytes(count, Qt::Uninitialized);
  for (char& byte : bytes) byte = static_cast<char>(Below(256));
  return bytes;
}

QByteArray ContactGenerator::RingTonePath(int n) {
  return "\\Application Data\\Sounds\\ring" + QByteArray::number(n) + ".wav";
}

PhoneContactBody ContactGenerator::Phone(int index) {
  PhoneContactBody body;
  auto& items = body.items;
  bool companyOnly = Chance(3);
  if (!companyOnly) {
    const SamplePerson person = MakeSamplePerson(index);
    items[1] = WideToAnsi(person.first);
    items[3] = WideToAnsi(person.last) + QByteArray::number(index);
    if (Chance(10)) items[2] = QByteArray(1, static_cast<char>('A' + Below(26)));
    if (Chance(5)) items[4] = items[1] + "y";
    items[18] = "13" + Digits(9);
    items[51] = items[3] + ", " + items[1];
  }
  if (companyOnly || Chance(50)) {
    items[6] = "Company " + QByteArray::number(Below(5000));
    items[9] = "010-" + Digits(8);
    items[8] = "Engineer";
  }
  if (Chance(60)) items[17] = "user" + QByteArray::number(index) + "@example.com";
  if (Chance(25)) {
    items[11] = QByteArray::number(1 + Below(999)) + " Main Street";
    items[12] = kCities[Below(6)];
    items[14] = Digits(5);
    items[15] = "China";
  }
  if (Chance(30)) items[21] = "021-" + Digits(8);
  if (Chance(10)) items[53] = "Met at the conference.\r\nCall back in spring.";
  if (Chance(20))
    body.birthday = {1950 + Below(55), static_cast<std::uint16_t>(1 + Below(12)),
                     static_cast<std::uint16_t>(1 + Below(28))};
  if (Chance(5)) body.anniversary = {2000 + Below(20), 6, 1};
  if (Chance(10)) items[kBackupItemRingTone] = RingTonePath(Below(kRingToneFiles));
  if (Chance(5)) body.picture = RandomBytes(3000 + Below(5000));
  return body;
}

SimContactBody ContactGenerator::Sim(int index) {
  return {"SIM " + WideToAnsi(MakeSamplePerson(index).first) + QByteArray::number(index),
          "139" + Digits(8)};
}

bool GenerateContacts(int total, const GeneratedContactSink& sink) {
  ContactGenerator generator;
  int simContacts = GeneratedSimContacts(total);
  for (int i = 0; i < total - simContacts; ++i) {
    PhoneContactBody phone = generator.Phone(i);
    if (!sink(&phone, nullptr)) return false;
  }
  for (int i = 0; i < simContacts; ++i) {
    SimContactBody sim = generator.Sim(i);
    if (!sink(nullptr, &sim)) return false;
  }
  return true;
}
