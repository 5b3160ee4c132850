#include "device/contacts/contact_store_session.h"

#include <gtest/gtest.h>

#include "device/contacts/contacts_restore_job.h"
#include "platform/device/stores/phone_database.h"
#include "tests/device/contacts/contacts_testing.h"

namespace {

using namespace backup_item;

class ContactStoreSessionTest : public ContactsTest {
 protected:
  std::vector<std::pair<int, QString>> IndexedKeys() {
    std::vector<std::pair<int, QString>> keys;
    for (const DeviceContactEntry& entry : session_.DeviceContactIndex().Entries())
      keys.emplace_back(entry.kind, entry.key);
    return keys;
  }

  CContactStoreSession session_;
};

TEST_F(ContactStoreSessionTest, OpensOnlyWhenBothStoresOpen) {
  EXPECT_TRUE(session_.OpenContactStore());
  session_.CloseContactStore();
  phone_.SetSimPresent(false);
  EXPECT_FALSE(session_.OpenContactStore());
  session_.CloseContactStore();
  phone_.SetSimPresent(true);
  phone_.FailCall(PhoneCall::kLogon);
  EXPECT_FALSE(session_.OpenContactStore());
  session_.CloseContactStore();
  phone_.ClearFailures();
  phone_.SetContactStorePresent(false);
  EXPECT_FALSE(session_.OpenContactStore());
}

TEST_F(ContactStoreSessionTest, IndexJoinsTheNamePartsAndListsTheSim) {
  phone_.AddContact(ContactWith({{kTitle, "Dr."},
                                 {kFirstName, "Ann"},
                                 {kMiddleName, "B"},
                                 {kLastName, "Lee"},
                                 {kNickName, "Annie"},
                                 {kSuffix, "Jr"},
                                 {kCompany, "Velthorn"}}));
  phone_.AddSimEntry(7, "Bob", "123");
  ASSERT_TRUE(session_.OpenContactStore());
  session_.BuildDeviceContactIndex();
  EXPECT_EQ(IndexedKeys(),
            (std::vector<std::pair<int, QString>>{{kDeviceContactOutlook, "NDr.AnnBLeeJr"},
                                                  {kDeviceContactSim, "NBob"}}));
  EXPECT_EQ(session_.DeviceContactIndex().Entries()[1].id, 7);
}

TEST_F(ContactStoreSessionTest, ContactsWithoutANameShareAKeyOnlyWhenIdentical) {
  PhoneContact withPicture = ContactWith({{kCompany, "Velthorn"}});
  withPicture.picture = "picture";
  for (const PhoneContact& contact :
       {ContactWith({{kCompany, "Velthorn"}}), ContactWith({{kCompany, "Velthorn"}}),
        ContactWith({{kCompany, "Velthorn "}}), ContactWith({{kNotes, "Velthorn"}}), withPicture}) {
    phone_.AddContact(contact);
  }
  phone_.AddSimEntry(1, "", "123");
  phone_.AddSimEntry(2, "", "124");
  phone_.AddSimEntry(3, "123", "9");
  ASSERT_TRUE(session_.OpenContactStore());
  session_.BuildDeviceContactIndex();
  const std::vector<std::pair<int, QString>> keys = IndexedKeys();
  ASSERT_EQ(keys.size(), 8u);
  EXPECT_EQ(keys[0], keys[1]);
  for (std::size_t i = 2; i < keys.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(keys[i].second, keys[j].second) << i << j;
  }
}

TEST_F(ContactStoreSessionTest, AContactWhoseNameCannotBeReadIsLeftOutOfTheIndex) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}}));
  phone_.FailCall(PhoneCall::kItemGetProps, phone_.AddContact(ContactWith({{kFirstName, "Bob"}})));
  phone_.FailCall(PhoneCall::kGetItemFromOidEx, phone_.AddContact(ContactWith({})));
  ASSERT_TRUE(session_.OpenContactStore());
  session_.BuildDeviceContactIndex();
  EXPECT_EQ(IndexedKeys(), (std::vector<std::pair<int, QString>>{{kDeviceContactOutlook, "NAnn"}}));
}

TEST_F(ContactStoreSessionTest, SimIsScannedFromItsLowestToItsHighestIndex) {
  phone_.SetSimCapacity(5, 10);
  phone_.AddSimEntry(9, "Nine", "9");
  phone_.AddSimEntry(10, "Ten", "10");
  ASSERT_TRUE(session_.OpenContactStore());
  std::vector<DWORD> indexes;
  session_.ForEachSimEntry(2, [&](DWORD index, const SimEntry&) { indexes.push_back(index); });
  EXPECT_EQ(indexes, (std::vector<DWORD>{9, 10}));
  // The scan stops once the used count is reached, and a used count of 0 reads nothing.
  indexes.clear();
  session_.ForEachSimEntry(1, [&](DWORD index, const SimEntry&) { indexes.push_back(index); });
  EXPECT_EQ(indexes, (std::vector<DWORD>{9}));
  indexes.clear();
  session_.ForEachSimEntry(0, [&](DWORD index, const SimEntry&) { indexes.push_back(index); });
  EXPECT_TRUE(indexes.empty());
}

TEST_F(ContactStoreSessionTest, MarkedContactsOfBothKindsAreDeletedAndNamesCompareExactly) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}}));
  phone_.AddContact(ContactWith({{kFirstName, "ann"}}));
  phone_.AddSimEntry(1, "Ann", "1");
  phone_.AddSimEntry(2, "Bob", "2");
  ASSERT_TRUE(session_.OpenContactStore());
  session_.BuildDeviceContactIndex();
  session_.MarkDuplicateContacts(NameReplacementKey("Ann"));
  session_.DeleteMarkedContacts();
  EXPECT_EQ(FirstNames(), QStringList{"ann"});
  std::map<DWORD, SimEntry> sim = phone_.SimEntries();
  ASSERT_EQ(sim.size(), 1u);
  EXPECT_EQ(sim.begin()->second.Name(), "Bob");
  EXPECT_TRUE(session_.DeviceContactIndex().Entries().empty());
}

// Another program holding the phone's store through the deletions keeps the contacts marked, and
// the restore says so; the index is emptied all the same. The deletion waits for the lock once.
TEST_F(ContactStoreSessionTest, ALockThroughTheDeletionsKeepsTheMarkedContacts) {
  phone_.AddContact(ContactWith({{kFirstName, "Ann"}}));
  phone_.AddSimEntry(1, "Ann", "1");
  ASSERT_TRUE(session_.OpenContactStore());
  session_.BuildDeviceContactIndex();
  session_.MarkDuplicateContacts(NameReplacementKey("Ann"));
  std::shared_ptr<PhoneDatabase> otherProgram = PhoneDatabase::Open();
  ASSERT_NE(otherProgram, nullptr);
  {
    PhoneTransaction hold(*otherProgram);
    ASSERT_TRUE(hold.IsActive());
    EXPECT_EQ(DeleteReplacedContacts(session_),
              "\nThe phone's contacts are locked by another program: the contacts replaced were "
              "kept.");
  }
  EXPECT_EQ(FirstNames(), QStringList{"Ann"});
  EXPECT_EQ(phone_.SimEntries().size(), 1u);
  EXPECT_TRUE(session_.DeviceContactIndex().Entries().empty());
}

}  // namespace
