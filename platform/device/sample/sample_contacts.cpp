#include "platform/device/sample/sample_contacts.h"

#include <QtEndian>

#include <cmath>
#include <numbers>

#include "platform/device/sample/sample_people.h"
#include "platform/device/stores/contact_property_ids.h"
#include "platform/device/stores/file_time.h"
#include "platform/device/stores/phone_folder.h"

namespace {

struct Address {
  const char* street;
  const char* city;
  const char* state;
  const char* postalCode;
  const char* country;
};

constexpr Address kAddresses[] = {
    {"世纪大道100号", "上海", "上海市", "200120", "中国"},
    {"建国路88号 SOHO现代城", "北京", "北京市", "100022", "中国"},
    {"銀座5-2-1", "中央区", "東京都", "104-0061", "日本"},
    {"테헤란로 152", "강남구", "서울", "06236", "대한민국"},
    {"221 King Street\nSuite 400", "Seattle", "WA", "98104", "USA"},
    {"12 Rue de Rivoli", "Paris", "Île-de-France", "75004", "France"},
    {"Baker Street 221b", "London", "Greater London", "NW1 6XE", "United Kingdom"},
};

constexpr const char* kCompanies[] = {
    "北京星河科技有限公司",
    "Blue Harbor Logistics",
    "Kestrel Design Studio",
    "上海明光贸易",
    "Aster Medical Group",
    "東京マリン株式会社",
    "한빛소프트",
    "Velthorn",
};
constexpr const char* kJobTitles[] = {
    "Sales Manager", "Software Engineer", "工程师", "销售经理", "Designer", "Accountant", "部長",
};
constexpr const char* kDepartments[] = {"Sales", "R&D", "市场部", "Finance", "営業部"};
constexpr const char* kTitles[] = {"Dr.", "Mr.", "Ms.", "Prof."};
constexpr const char* kSuffixes[] = {"Jr.", "PhD", "III"};
constexpr const char* kNicknames[] = {"Ace", "小王", "Bunny", "老李", "Sunny", "Doc"};
constexpr const char* kCategories[] = {"Business", "Personal", "Family", "VIP", "Friends; 朋友"};
constexpr const char* kNotes[] = {
    "Met at the trade fair in Guangzhou.\nPrefers e-mail to calls.",
    "生日想要一本书。\n喜欢喝绿茶，不喝咖啡。",
    "Allergic to peanuts!",
    "Call after 6 pm — works nights at the hospital. 🙂",
};

// Ring tones: the phone file's name and the tone's pitch in hertz.
struct Tone {
  const char* name;
  int hertz;
};
constexpr Tone kRingTones[] = {
    {"Chime.wav", 880}, {"Marimba.wav", 660}, {"Old Phone.wav", 440}, {"铃声.wav", 990}};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

// A date as a phone keeps one: local midnight of that day, in UTC.
FILETIME SampleDate(int year, int month, int day) {
  SYSTEMTIME fields;
  fields.wYear = static_cast<WORD>(year);
  fields.wMonth = static_cast<WORD>(month);
  fields.wDay = static_cast<WORD>(day);
  FILETIME local;
  FILETIME date;
  SystemTimeToFileTime(&fields, &local);
  LocalFileTimeToFileTime(&local, &date);
  return date;
}

FILETIME RandomDate(SampleRandom& random, int firstYear, int years) {
  return SampleDate(firstYear + random.Below(years), 1 + random.Below(12), 1 + random.Below(28));
}

void SetAddress(PhoneContact& contact, const Address& address, CEPROPID street) {
  // The street, city, state, postal code and country ids follow each other.
  const char* parts[] = {address.street, address.city, address.state, address.postalCode,
                         address.country};
  for (int i = 0; i < 5; ++i) contact.texts[street + (i << 16)] = Text(parts[i]);
}

QString Email(const SamplePerson& person, int k, const char* domain) {
  return person.latinFirst + '.' + person.latinLast + QString::number(k) + '@' + domain;
}

QString LandLine(SampleRandom& random) {
  return "+86 10 " + random.Digits(4) + " " + random.Digits(4);
}

// The fields few people fill in.
void AddRareFields(PhoneContact& contact, const SamplePerson& person, int k, SampleRandom& random) {
  auto& texts = contact.texts;
  texts[PIMPR_TITLE] = Text(random.Pick<const char*>(kTitles));
  if (person.script == Script::kLatin) texts[PIMPR_MIDDLE_NAME] = QStringLiteral("J.");
  texts[PIMPR_SUFFIX] = Text(random.Pick<const char*>(kSuffixes));
  texts[PIMPR_DEPARTMENT] = Text(random.Pick<const char*>(kDepartments));
  texts[PIMPR_OFFICE_LOCATION] = QStringLiteral("Building 3, Room ") + random.Digits(3);
  texts[PIMPR_BUSINESS_FAX_NUMBER] = LandLine(random);
  texts[PIMPR_BUSINESS2_TELEPHONE_NUMBER] = LandLine(random);
  texts[PIMPR_HOME_FAX_NUMBER] = LandLine(random);
  texts[PIMPR_HOME2_TELEPHONE_NUMBER] = LandLine(random);
  texts[PIMPR_COMPANY_TELEPHONE_NUMBER] = LandLine(random);
  texts[PIMPR_PAGER_NUMBER] = QStringLiteral("126-") + random.Digits(6);
  texts[PIMPR_CAR_TELEPHONE_NUMBER] = "+86 139 " + random.Digits(4) + " " + random.Digits(4);
  texts[PIMPR_RADIO_TELEPHONE_NUMBER] = QStringLiteral("CH ") + random.Digits(2);
  texts[PIMPR_EMAIL2_ADDRESS] = Email(person, k, "mail.example.cn");
  texts[PIMPR_EMAIL3_ADDRESS] = Email(person, k, "work.example.org");
  texts[PIMPR_IM2_ADDRESS] = person.latinFirst + QString::number(k) + "@im.example.com";
  texts[PIMPR_IM3_ADDRESS] = QStringLiteral("qq:") + random.Digits(9);
  texts[PIMPR_ASSISTANT_NAME] = MakeSamplePerson(k + 1).DisplayName();
  texts[PIMPR_ASSISTANT_TELEPHONE_NUMBER] = LandLine(random);
  texts[PIMPR_MANAGER] = MakeSamplePerson(k + 2).DisplayName();
  texts[PIMPR_GOVERNMENTID] = QStringLiteral("11010519") + random.Digits(10);
  texts[PIMPR_ACCOUNT] = QStringLiteral("ACC-") + random.Digits(6);
  texts[PIMPR_CUSTOMERID] = QStringLiteral("C") + random.Digits(7);
  texts[PIMPR_SPOUSE] = MakeSamplePerson(k + 3).first;
  texts[PIMPR_CHILDREN] = MakeSamplePerson(k + 4).first + ", " + MakeSamplePerson(k + 5).first;
  SetAddress(contact, random.Pick<Address>(kAddresses), PIMPR_OTHER_ADDRESS_STREET);
}

// A mono 8-bit WAV file of a tone that fades out over 0.4 seconds.
QByteArray ToneWav(int hertz) {
  constexpr int kRate = 8000;
  constexpr int kSamples = kRate * 2 / 5;
  QByteArray wav(44 + kSamples, '\0');
  char* bytes = wav.data();
  auto put32 = [&](int offset, quint32 value) { qToLittleEndian(value, bytes + offset); };
  auto put16 = [&](int offset, quint16 value) { qToLittleEndian(value, bytes + offset); };
  memcpy(bytes, "RIFF", 4);
  put32(4, 36 + kSamples);
  memcpy(bytes + 8, "WAVEfmt ", 8);
  put32(16, 16);
  put16(20, 1);  // PCM
  put16(22, 1);  // mono
  put32(24, kRate);
  put32(28, kRate);  // bytes per second
  put16(32, 1);      // bytes per sample
  put16(34, 8);      // bits per sample
  memcpy(bytes + 36, "data", 4);
  put32(40, kSamples);
  for (int i = 0; i < kSamples; ++i) {
    const double fade = 1.0 - static_cast<double>(i) / kSamples;
    const double wave = std::sin(2 * std::numbers::pi * hertz * i / kRate);
    bytes[44 + i] = static_cast<char>(128 + static_cast<int>(100 * fade * wave));
  }
  return wav;
}

// A company's number rather than a person's: no name, filed under the company.
PhoneContact BusinessContact(SampleRandom& random) {
  PhoneContact contact;
  const QString company = Text(random.Pick<const char*>(kCompanies));
  contact.texts[PIMPR_COMPANY_NAME] = company;
  contact.texts[PIMPR_FILEAS] = company;
  contact.texts[PIMPR_BUSINESS_TELEPHONE_NUMBER] = LandLine(random);
  if (random.Below(2) == 0) contact.texts[PIMPR_CATEGORIES] = QStringLiteral("Business");
  return contact;
}

}  // namespace

PhoneContact MakeSampleContact(int k, const std::vector<QString>& ringTones) {
  if (k % 100 == 99) return MakeSampleContact(k - 20, ringTones);  // a card saved twice
  SampleRandom random(0xC0DE0000ull + static_cast<std::uint64_t>(k));
  if (k % 20 == 19) return BusinessContact(random);
  const SamplePerson person = MakeSamplePerson(k);
  PhoneContact contact;
  auto& texts = contact.texts;
  texts[PIMPR_FIRST_NAME] = person.first;
  texts[PIMPR_LAST_NAME] = person.last;
  texts[PIMPR_FILEAS] = person.FileAs();
  texts[PIMPR_MOBILE_TELEPHONE_NUMBER] = person.mobile;

  const bool everything = k % 50 == 0;
  if (everything || k % 5 < 3) texts[PIMPR_EMAIL1_ADDRESS] = Email(person, k, "example.com");
  if (everything || k % 2 == 0) {
    texts[PIMPR_COMPANY_NAME] = Text(random.Pick<const char*>(kCompanies));
    texts[PIMPR_JOB_TITLE] = Text(random.Pick<const char*>(kJobTitles));
  }
  if (everything || k % 3 == 0) {
    texts[PIMPR_BUSINESS_TELEPHONE_NUMBER] = LandLine(random);
    SetAddress(contact, random.Pick<Address>(kAddresses), PIMPR_BUSINESS_ADDRESS_STREET);
  }
  if (everything || k % 4 == 1) {
    texts[PIMPR_HOME_TELEPHONE_NUMBER] = LandLine(random);
    SetAddress(contact, random.Pick<Address>(kAddresses), PIMPR_HOME_ADDRESS_STREET);
  }
  if (everything || k % 8 == 3) texts[PIMPR_NICKNAME] = Text(random.Pick<const char*>(kNicknames));
  if (everything || k % 11 == 5)
    texts[PIMPR_WEB_PAGE] = "http://www.example.com/~" + person.latinFirst;
  if (everything || k % 12 == 6) texts[PIMPR_IM1_ADDRESS] = person.latinFirst + "@im.example.com";
  if (everything || k % 7 == 1)
    texts[PIMPR_CATEGORIES] = Text(random.Pick<const char*>(kCategories));
  if (everything || k % 13 == 7) texts[PIMPR_BODY_TEXT] = Text(random.Pick<const char*>(kNotes));
  if (everything) AddRareFields(contact, person, k, random);

  if (everything || k % 5 == 2) contact.dates[PIMPR_BIRTHDAY] = RandomDate(random, 1950, 56);
  if (everything || k % 9 == 4) contact.dates[PIMPR_ANNIVERSARY] = RandomDate(random, 1980, 44);
  if (k % 10 == 0) contact.picture = SamplePicture(k);
  if (k % 6 == 0 && !ringTones.empty()) {
    texts[PIMPR_RINGTONE] = ringTones[(k / 6) % ringTones.size()];
  }
  return contact;
}

QByteArray SamplePicture(int k) {
  constexpr int kSide = 32;
  constexpr int kRowBytes = kSide * 3;  // a multiple of 4: no padding
  constexpr int kHeaderBytes = 54;
  static constexpr quint32 kGrounds[] = {0x4A90D9, 0xE07A5F, 0x81B29A, 0xF2CC8F,
                                         0x9B5DE5, 0x3D405B, 0xF15BB5, 0x00BBF9};
  const quint32 ground = kGrounds[k % 8];
  QByteArray bmp(kHeaderBytes + kRowBytes * kSide, '\0');
  char* bytes = bmp.data();
  memcpy(bytes, "BM", 2);
  qToLittleEndian<quint32>(bmp.size(), bytes + 2);
  qToLittleEndian<quint32>(kHeaderBytes, bytes + 10);
  qToLittleEndian<quint32>(40, bytes + 14);  // the size of the info header
  qToLittleEndian<qint32>(kSide, bytes + 18);
  qToLittleEndian<qint32>(kSide, bytes + 22);
  qToLittleEndian<quint16>(1, bytes + 26);   // planes
  qToLittleEndian<quint16>(24, bytes + 28);  // bits per pixel
  qToLittleEndian<quint32>(kRowBytes * kSide, bytes + 34);
  qToLittleEndian<qint32>(3780, bytes + 38);  // 96 pixels per inch
  qToLittleEndian<qint32>(3780, bytes + 42);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const int headX = x - 16, headY = y - 12, bodyX = x - 16, bodyY = y - 32;
      const bool head = headX * headX + headY * headY <= 36;
      const bool body = bodyX * bodyX * 81 + bodyY * bodyY * 121 <= 81 * 121;
      const quint32 colour = head || body ? 0xFFFFFF : ground;
      char* pixel = bytes + kHeaderBytes + (kSide - 1 - y) * kRowBytes + x * 3;  // rows bottom up
      pixel[0] = static_cast<char>(colour & 0xFF);
      pixel[1] = static_cast<char>((colour >> 8) & 0xFF);
      pixel[2] = static_cast<char>(colour >> 16);
    }
  }
  return bmp;
}

std::vector<QString> WriteSampleRingTones() {
  const QString folder = QStringLiteral("\\Application Data\\Sounds");
  CreatePhoneDirectory(QStringLiteral("\\Application Data"));  // both may exist already
  CreatePhoneDirectory(folder);
  std::vector<QString> paths;
  for (const Tone& tone : kRingTones) {
    const QString path = folder + '\\' + Text(tone.name);
    if (!WritePhoneFile(path, ToneWav(tone.hertz))) return {};
    paths.push_back(path);
  }
  return paths;
}
