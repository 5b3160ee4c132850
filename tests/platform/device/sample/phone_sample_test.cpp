#include "platform/device/sample/phone_sample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "platform/device/stores/contact_property_ids.h"
#include "platform/device/stores/messaging_store.h"
#include "platform/device/stores/phone_setup.h"
#include "tests/support/phone_test.h"
#include "tests/support/scoped_time_zone.h"

namespace {

class PhoneSampleTest : public PhoneTest {
 protected:
  qint64 Folder(ULONG specialTag, const QStringList& path = {}) {
    qint64 id = phone_.SpecialFolderId(phone_.MessageStoreId("SMS"), specialTag);
    for (const QString& name : path) id = phone_.SubfolderId(id, name);
    return id;
  }

  PhoneSetup phone_;
};

bool HasCjk(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
}

TEST_F(PhoneSampleTest, ContactsHaveEveryFieldSomewhereWithCjkNamesPicturesAndRingTones) {
  ASSERT_TRUE(AddSampleData(phone_, {.contacts = 100, .simEntries = 0, .messages = 0}));
  const std::vector<PhoneContact> contacts = phone_.Contacts();
  ASSERT_EQ(contacts.size(), 100u);
  const PhoneContact& full = contacts[0];
  EXPECT_EQ(full.texts.size(), 55u);
  EXPECT_EQ(full.dates.size(), 2u);
  EXPECT_TRUE(full.picture.startsWith("BM"));
  EXPECT_NE(OpenPhoneFileForReading(full.texts.at(PIMPR_RINGTONE)), nullptr);
  EXPECT_TRUE(std::any_of(contacts.begin(), contacts.end(), [](const PhoneContact& contact) {
    auto last = contact.texts.find(PIMPR_LAST_NAME);
    return last != contact.texts.end() && HasCjk(last->second);
  }));
  EXPECT_TRUE(std::any_of(contacts.begin() + 1, contacts.end(), [](const PhoneContact& contact) {
    return contact.texts.size() < 10;  // most people fill in little
  }));
  // Companies without a person's name, one of them twice.
  auto nameless = [](const PhoneContact& contact) {
    return !contact.texts.contains(PIMPR_FIRST_NAME) && !contact.texts.contains(PIMPR_LAST_NAME);
  };
  EXPECT_EQ(std::count_if(contacts.begin(), contacts.end(), nameless), 5);
  EXPECT_EQ(contacts[99].texts, contacts[79].texts);
}

// A phone keeps a date as local midnight of its day, which the programs read back as that day.
TEST_F(PhoneSampleTest, DatesAreLocalMidnightInEveryTimeZone) {
  int zones = 0;
  for (const char* rule : kTimeZonesAroundTheWorld) {
    SCOPED_TRACE(rule);
    ScopedTimeZone zone(rule);
    qputenv(kPhoneRootVariable, folder_.FilePath(QString::number(++zones)).toLocal8Bit());
    PhoneSetup phone;
    ASSERT_TRUE(AddSampleData(phone, {.contacts = 10, .simEntries = 0, .messages = 0}));
    for (const PhoneContact& contact : phone.Contacts()) {
      for (const auto& [id, date] : contact.dates) {
        FILETIME local;
        SYSTEMTIME fields;
        ASSERT_TRUE(FileTimeToLocalFileTime(&date, &local) &&
                    FileTimeToSystemTime(&local, &fields));
        EXPECT_EQ(fields.wHour * 60 + fields.wMinute, 0) << contact.oid << " " << id;
      }
    }
  }
}

// Messages share a time (drafts, which have none, a text) only in the groups that every hundred
// holds: two received in one second from different people, one text sent to three people at one
// instant, and a draft written twice.
TEST_F(PhoneSampleTest, MessagesFillTheFoldersReadWholeAndComeInGroupsToo) {
  ASSERT_TRUE(AddSampleData(phone_, {.contacts = 20, .simEntries = 0, .messages = 200}));
  struct Case {
    qint64 folder;
    size_t groups;
    size_t size;
    size_t different;  // messages in each group that differ in sender, recipients or text
  };
  const Case cases[] = {{Folder(PR_CE_IPM_INBOX_ENTRYID), 2, 2, 2},
                        {Folder(PR_IPM_SENTMAIL_ENTRYID), 2, 3, 3},
                        {Folder(PR_CE_IPM_DRAFTS_ENTRYID), 2, 2, 1},
                        {Folder(PR_CE_IPM_INBOX_ENTRYID, {"Work", "Projects"}), 0, 0, 0}};
  size_t total = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.folder);
    const std::vector<PhoneMessage> messages = phone_.Messages(c.folder);
    EXPECT_FALSE(messages.empty());
    total += messages.size();
    std::map<QString, std::multiset<QString>> byTime;  // contents by time, or by text without one
    for (const PhoneMessage& message : messages) {
      // The programs read a message only when all of its properties are there.
      ASSERT_TRUE(message.subject && message.flags && message.size && message.deliveryTime &&
                  message.lastModificationTime && message.senderEmailAddress && message.senderName);
      const quint64 time = FileTimeValue(*message.deliveryTime);
      QString contents = *message.senderEmailAddress + '|' + *message.subject;
      for (const PhoneRecipient& recipient : message.recipients)
        contents += '|' + recipient.address;
      byTime[time != 0 ? QString::number(time) : *message.subject].insert(contents);
    }
    size_t groups = 0;
    for (const auto& [key, contents] : byTime) {
      if (contents.size() == 1) continue;
      ++groups;
      EXPECT_EQ(contents.size(), c.size) << key.toStdString();
      EXPECT_EQ(std::set<QString>(contents.begin(), contents.end()).size(), c.different);
    }
    EXPECT_EQ(groups, c.groups);
  }
  EXPECT_GT(total, 100u);
}

TEST_F(PhoneSampleTest, SimEntriesFillTheCardAndGrowIt) {
  ASSERT_TRUE(AddSampleData(phone_, {.contacts = 0, .simEntries = 300, .messages = 0}));
  const std::map<DWORD, SimEntry> entries = phone_.SimEntries();
  ASSERT_EQ(entries.size(), 300u);
  EXPECT_EQ(entries.begin()->first, 1u);
  EXPECT_EQ(entries.rbegin()->first, 300u);
  EXPECT_FALSE(entries.rbegin()->second.Number().isEmpty());
}

TEST_F(PhoneSampleTest, TheSameSizesGiveTheSamePhone) {
  ASSERT_TRUE(AddSampleData(phone_, {.contacts = 12, .simEntries = 5, .messages = 30}));
  const std::vector<PhoneContact> contacts = phone_.Contacts();
  const std::vector<PhoneMessage> inbox = phone_.Messages(Folder(PR_CE_IPM_INBOX_ENTRYID));
  qputenv(kPhoneRootVariable, folder_.FilePath("other").toLocal8Bit());
  PhoneSetup other;
  ASSERT_TRUE(AddSampleData(other, {.contacts = 12, .simEntries = 5, .messages = 30}));
  EXPECT_EQ(other.Contacts(), contacts);
  const qint64 otherInbox =
      other.SpecialFolderId(other.MessageStoreId("SMS"), PR_CE_IPM_INBOX_ENTRYID);
  EXPECT_EQ(other.Messages(otherInbox), inbox);
}

TEST_F(PhoneSampleTest, NothingIsWrittenWhenASizeIsOutOfRangeOrAWriteFails) {
  for (PhoneSampleSizes sizes :
       {PhoneSampleSizes{.contacts = -1}, PhoneSampleSizes{.messages = kMaxSampleItems + 1},
        PhoneSampleSizes{.simEntries = kMaxSampleSimEntries + 1}}) {
    EXPECT_FALSE(AddSampleData(phone_, sizes));
  }
  ASSERT_TRUE(phone_.SetSimCapacity(1, 5));  // too small for the entries: the sixth fails
  EXPECT_FALSE(AddSampleData(phone_, {.contacts = 10, .simEntries = 10, .messages = 10}));
  EXPECT_TRUE(phone_.Contacts().empty());
  EXPECT_TRUE(phone_.SimEntries().empty());
  EXPECT_TRUE(phone_.Messages(Folder(PR_CE_IPM_INBOX_ENTRYID)).empty());
}

}  // namespace
