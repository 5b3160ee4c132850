#include "platform/device/stores/sim_phonebook.h"

#include "platform/device/stores/phone_setup.h"
#include "tests/support/phone_test.h"

namespace {

class SimPhonebookTest : public PhoneTest {
 protected:
  HSIM Open() {
    HSIM sim;
    EXPECT_EQ(SimInitialize(sim), S_OK);
    return sim;
  }

  PhoneSetup setup_;
};

TEST(SimEntryTest, TextsAreCutTo255CharactersWithoutSplittingAPair) {
  SimEntry entry;
  entry.SetName(QString(300, 'n'));
  EXPECT_EQ(entry.Name(), QString(255, 'n'));
  EXPECT_EQ(entry.name[255], u'\0');
  const QString emoji = QString::fromUtf8("\U0001F600");
  entry.SetNumber(QString(254, '1') + emoji);
  EXPECT_EQ(entry.Number(), QString(254, '1'));
  entry.SetNumber("123");
  EXPECT_EQ(entry.Number(), "123");
  std::fill(std::begin(entry.name), std::end(entry.name), u'x');  // no terminator at all
  EXPECT_EQ(entry.Name(), QString(255, 'x'));
}

TEST_F(SimPhonebookTest, FreshSimIsEmptyWithIndexes1To250) {
  HSIM sim = Open();
  DWORD used = 99, total = 0;
  ASSERT_EQ(SimGetPhonebookStatus(sim, SIM_PBSTORAGE_SIM, &used, &total), S_OK);
  EXPECT_EQ(used, 0u);
  EXPECT_EQ(total, 250u);
  SIMCAPS caps;
  ASSERT_EQ(SimGetDevCaps(sim, SIM_CAPSTYPE_PBINDEXRANGE, &caps), S_OK);
  EXPECT_EQ(caps.dwMinPBIndex, 1u);
  EXPECT_EQ(caps.dwMaxPBIndex, 250u);
  EXPECT_EQ(SimGetDevCaps(sim, 1, &caps), E_INVALIDARG);
  EXPECT_EQ(SimGetPhonebookStatus(sim, 1, &used, &total), E_INVALIDARG);
  EXPECT_EQ(SimDeinitialize(sim), S_OK);
  EXPECT_EQ(sim, nullptr);
  EXPECT_EQ(SimGetPhonebookStatus(sim, SIM_PBSTORAGE_SIM, &used, &total), E_INVALIDARG);
}

TEST_F(SimPhonebookTest, ASimOfOneSlotHasThatSlot) {
  ASSERT_TRUE(setup_.SetSimCapacity(7, 7));
  HSIM sim = Open();
  DWORD used = 99, total = 0;
  ASSERT_EQ(SimGetPhonebookStatus(sim, SIM_PBSTORAGE_SIM, &used, &total), S_OK);
  EXPECT_EQ(used, 0u);
  EXPECT_EQ(total, 1u);
}

TEST_F(SimPhonebookTest, EntriesAreReadWrittenAndDeletedByIndex) {
  ASSERT_TRUE(setup_.SetSimCapacity(1, 5));
  ASSERT_TRUE(setup_.AddSimEntry(2, "Ann", "+86 10 1234"));
  EXPECT_FALSE(setup_.AddSimEntry(6, "Out", "1"));
  HSIM sim = Open();

  SimEntry entry;
  ASSERT_EQ(SimReadPhonebookEntry(sim, SIM_PBSTORAGE_SIM, 2, &entry), S_OK);
  EXPECT_EQ(entry.Name(), "Ann");
  EXPECT_EQ(entry.Number(), "+86 10 1234");
  EXPECT_EQ(entry.validFields, SIM_PARAM_PBE_ALL);
  EXPECT_TRUE(FAILED(SimReadPhonebookEntry(sim, SIM_PBSTORAGE_SIM, 1, &entry)));
  EXPECT_TRUE(FAILED(SimReadPhonebookEntry(sim, SIM_PBSTORAGE_SIM, 0, &entry)));
  entry.size = 1000;
  EXPECT_EQ(SimReadPhonebookEntry(sim, SIM_PBSTORAGE_SIM, 2, &entry), E_INVALIDARG);

  SimEntry bob;
  bob.validFields = SIM_PARAM_PBE_ALL;
  bob.addressType = 1;
  bob.numberingPlan = 1;
  bob.SetName(QString::fromUtf8("李四"));
  bob.SetNumber("555");
  EXPECT_EQ(SimWritePhonebookEntry(sim, SIM_PBSTORAGE_SIM, 5, bob), S_OK);
  EXPECT_TRUE(FAILED(SimWritePhonebookEntry(sim, SIM_PBSTORAGE_SIM, 6, bob)));
  DWORD used = 0, total = 0;
  ASSERT_EQ(SimGetPhonebookStatus(sim, SIM_PBSTORAGE_SIM, &used, &total), S_OK);
  EXPECT_EQ(used, 2u);
  EXPECT_EQ(total, 5u);
  EXPECT_EQ(setup_.SimEntries().at(5).Name(), QString::fromUtf8("李四"));

  EXPECT_EQ(SimDeletePhonebookEntry(sim, SIM_PBSTORAGE_SIM, 2), S_OK);
  EXPECT_TRUE(FAILED(SimDeletePhonebookEntry(sim, SIM_PBSTORAGE_SIM, 2)));
  EXPECT_EQ(setup_.SimEntries().count(2), 0u);
}

TEST_F(SimPhonebookTest, CapacityStartingAboveOneAndItsLimits) {
  ASSERT_TRUE(setup_.SetSimCapacity(3, 4));
  EXPECT_FALSE(setup_.SetSimCapacity(5, 4));
  EXPECT_FALSE(setup_.SetSimCapacity(0, 0x10000));
  ASSERT_TRUE(setup_.AddSimEntry(4, "Ann", "1"));
  HSIM sim = Open();
  SIMCAPS caps;
  ASSERT_EQ(SimGetDevCaps(sim, SIM_CAPSTYPE_PBINDEXRANGE, &caps), S_OK);
  EXPECT_EQ(caps.dwMinPBIndex, 3u);
  EXPECT_EQ(caps.dwMaxPBIndex, 4u);
  DWORD used = 0, total = 0;
  ASSERT_EQ(SimGetPhonebookStatus(sim, SIM_PBSTORAGE_SIM, &used, &total), S_OK);
  EXPECT_EQ(used, 1u);
  EXPECT_EQ(total, 2u);
}

TEST_F(SimPhonebookTest, NoSimAndFailingCalls) {
  ASSERT_TRUE(setup_.SetSimPresent(false));
  HSIM sim;
  EXPECT_TRUE(FAILED(SimInitialize(sim)));
  EXPECT_EQ(sim, nullptr);
  ASSERT_TRUE(setup_.SetSimPresent(true));

  ASSERT_TRUE(setup_.AddSimEntry(1, "Ann", "1"));
  ASSERT_TRUE(setup_.AddSimEntry(2, "Bob", "2"));
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kSimReadPhonebookEntry, 2));
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kSimGetDevCaps));
  sim = Open();
  SimEntry entry;
  EXPECT_EQ(SimReadPhonebookEntry(sim, SIM_PBSTORAGE_SIM, 1, &entry), S_OK);
  EXPECT_TRUE(FAILED(SimReadPhonebookEntry(sim, SIM_PBSTORAGE_SIM, 2, &entry)));
  SIMCAPS caps;
  EXPECT_TRUE(FAILED(SimGetDevCaps(sim, SIM_CAPSTYPE_PBINDEXRANGE, &caps)));
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kSimWritePhonebookEntry));
  EXPECT_TRUE(FAILED(SimWritePhonebookEntry(sim, SIM_PBSTORAGE_SIM, 3, entry)));
  EXPECT_EQ(setup_.SimEntries().size(), 2u);
}

}  // namespace
