#include "platform/device/sample/phone_sample.h"

#include "platform/device/sample/sample_contacts.h"
#include "platform/device/sample/sample_messages.h"
#include "platform/device/sample/sample_people.h"
#include "platform/device/stores/phone_schema.h"
#include "platform/device/stores/phone_setup.h"

namespace {

// A few well-known numbers come first on the SIM, then people.
struct SimService {
  const char* name;
  const char* number;
};
constexpr SimService kSimServices[] = {
    {"Voicemail", "+86 138 0013 8000"},
    {"Emergency", "112"},
    {"客服", "10086"},
    {"Home", "+86 10 6552 9988"},
};

bool AddContacts(PhoneSetup& phone, int count, const std::vector<QString>& ringTones) {
  for (int k = 0; k < count; ++k) {
    if (phone.AddContact(MakeSampleContact(k, ringTones)) == 0) return false;
  }
  return true;
}

bool AddSimEntries(PhoneSetup& phone, int count) {
  if (count > kFreshSimHighestIndex && !phone.SetSimCapacity(1, count)) return false;
  for (int i = 0; i < count; ++i) {
    QString name;
    QString number;
    if (i < std::ssize(kSimServices)) {
      name = QString::fromUtf8(kSimServices[i].name);
      number = QString::fromUtf8(kSimServices[i].number);
    } else {
      const SamplePerson person = MakeSamplePerson(i);
      name = person.DisplayName();
      number = person.mobile;
    }
    if (!phone.AddSimEntry(static_cast<DWORD>(i + 1), name, number)) return false;
  }
  return true;
}

// The ids of kSampleFolders in the store "SMS", made where missing; empty when the store or a
// folder cannot be had.
std::vector<qint64> SampleFolderIds(PhoneSetup& phone) {
  const qint64 store = phone.MessageStoreId(QString::fromLatin1(kFreshMessageStoreName));
  std::vector<qint64> ids;
  for (const SampleFolder& folder : kSampleFolders) {
    qint64 id = 0;
    if (folder.parent < 0) {
      id = phone.SpecialFolderId(store, folder.specialTag);
    } else {
      const QString name = QString::fromUtf8(folder.name);
      const qint64 parent = ids[folder.parent];
      id = phone.SubfolderId(parent, name);
      if (id == 0) id = phone.AddFolder(parent, name);
    }
    if (id == 0) return {};
    ids.push_back(id);
  }
  return ids;
}

bool AddMessages(PhoneSetup& phone, int count, int people) {
  if (count == 0) return true;
  const std::vector<qint64> folders = SampleFolderIds(phone);
  if (folders.empty()) return false;
  for (int i = 0; i < count; ++i) {
    const int folder = SampleMessageFolder(i);
    if (phone.AddMessage(folders[folder], MakeSampleMessage(i, folder, people)) == 0) return false;
  }
  return true;
}

bool InRange(int size, int largest) { return size >= 0 && size <= largest; }

}  // namespace

bool AddSampleData(PhoneSetup& phone, const PhoneSampleSizes& sizes) {
  if (!InRange(sizes.contacts, kMaxSampleItems) || !InRange(sizes.messages, kMaxSampleItems) ||
      !InRange(sizes.simEntries, kMaxSampleSimEntries) || !phone.IsOpen()) {
    return false;
  }
  std::vector<QString> ringTones;
  if (sizes.contacts > 0) {
    ringTones = WriteSampleRingTones();
    if (ringTones.empty()) return false;
  }
  // Messages come from and go to the contacts; a phone without contacts still has people to
  // write to.
  const int people = sizes.contacts > 0 ? sizes.contacts : 100;
  return phone.InOneTransaction([&] {
    return AddContacts(phone, sizes.contacts, ringTones) &&
           AddSimEntries(phone, sizes.simEntries) && AddMessages(phone, sizes.messages, people);
  });
}
