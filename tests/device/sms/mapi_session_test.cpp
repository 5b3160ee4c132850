#include "device/sms/mapi_session.h"

#include <gtest/gtest.h>

#include "tests/device/sms/sms_testing.h"

namespace {

TEST(SmsAddressTest, RecipientEntriesAndTheirTypes) {
  EXPECT_EQ(ParseSmsRecipient("\"Ann\" <123> 2"), (CSmsRecipient{"123", "Ann", 2}));
  EXPECT_EQ(ParseSmsRecipient("\"Ann\" <123> "), (CSmsRecipient{"123", "Ann", 0}));
  EXPECT_EQ(ParseSmsRecipient("\"\xE5\xBC\xA0\xE4\xB8\x89\" <+86 1> 1"),
            (CSmsRecipient{"+86 1", "\xE5\xBC\xA0\xE4\xB8\x89", 1}));
  // The name runs to the last quote-blank-bracket; a type too long for 32 bits saturates.
  EXPECT_EQ(ParseSmsRecipient("\"a\" <b\" <9> 99999999999"),
            (CSmsRecipient{"9", "a\" <b", 0x7FFFFFFF}));
  EXPECT_EQ(ParseSmsRecipient("x\"\" <> "), (CSmsRecipient{"", "", 0}));
  EXPECT_FALSE(ParseSmsRecipient("\" <> 1"));
  EXPECT_FALSE(ParseSmsRecipient("\"Ann\" <123>"));
  EXPECT_FALSE(ParseSmsRecipient(""));
}

class MapiSessionTest : public SmsPhoneTest {};

TEST_F(MapiSessionTest, TheStoreIsFoundByNameInAnyLetterCase) {
  EXPECT_TRUE(CMapiSession("SMS").IsOpened());
  ASSERT_TRUE(phone_.RemoveMessageStore("SMS"));
  phone_.AddMessageStore("ActiveSync");
  EXPECT_FALSE(CMapiSession("SMS").IsOpened());
  phone_.AddMessageStore("sms");
  CMapiSession session("SMS");
  ASSERT_TRUE(session.IsOpened());
  std::vector<QString> names;
  for (const SmsFolderEntry& entry : kSmsFolders) {
    CMapiFolder* folder = session.SpecialFolder(entry.folder);
    ASSERT_NE(folder, nullptr);
    names.push_back(folder->Name());
  }
  EXPECT_EQ(names, (std::vector<QString>{"Draft", "Inbox", "Outbox", "Sentedbox", "Wastebox"}));
}

TEST_F(MapiSessionTest, AStoreWithoutTheFolderGivesNone) {
  ASSERT_TRUE(phone_.RemoveMessageStore("SMS"));
  const qint64 store = phone_.AddMessageStore("SMS", false);
  phone_.AddSpecialFolder(store, PR_CE_IPM_INBOX_ENTRYID, "Inbox");
  CMapiSession session("SMS");
  EXPECT_NE(session.SpecialFolder(SmsFolder::kInbox), nullptr);
  EXPECT_EQ(session.SpecialFolder(SmsFolder::kDraft), nullptr);
}

TEST_F(MapiSessionTest, MessagesLoadTheirSenderTextAndRecipients) {
  phone_.AddMessage(Inbox(), SampleSms("bare", MakeDate(2010, 1, 1), "+8613800000000"));
  PhoneMessage named = SampleSms("named", MakeDate(2010, 1, 2), "\"\" <10086>");
  named.senderName = "China Mobile";
  named.recipients = {{"Bob", "555", MAPI_CC}};
  phone_.AddMessage(Inbox(), named);
  PhoneMessage partial = SampleSms("partial", MakeDate(2010, 1, 3));
  partial.size.reset();
  partial.senderName.reset();
  phone_.AddMessage(Inbox(), partial);

  CMapiSession session("SMS");
  CMapiContentsTable* table = session.SpecialFolder(SmsFolder::kInbox)->ContentsTable();
  ASSERT_NE(table, nullptr);
  ASSERT_TRUE(table->Rewind());
  CSmsMessage* bare = table->NextMessage();
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->SenderName(), "+8613800000000");
  EXPECT_EQ(bare->SenderAddress(), "+8613800000000");
  EXPECT_EQ(bare->FormatSmsAddress(), "\"+8613800000000\" <+8613800000000>");
  ASSERT_NE(bare->Recipients(), nullptr);
  EXPECT_TRUE(bare->Recipients()->empty());

  CSmsMessage* withName = table->NextMessage();
  EXPECT_EQ(withName->SenderName(), "China Mobile");
  EXPECT_EQ(withName->SenderAddress(), "10086");
  EXPECT_EQ(*withName->Recipients(), (std::vector<CSmsRecipient>{{"555", "Bob", MAPI_CC}}));

  // A message lacking a property still keeps every value it has.
  CSmsMessage* missing = table->NextMessage();
  EXPECT_EQ(missing->Text(), "partial");
  EXPECT_EQ(missing->SenderName(), "Ann");
  EXPECT_EQ(missing->DeliveryTime(), MakeDate(2010, 1, 3));
  EXPECT_EQ(missing->Size(), 0u);
  EXPECT_EQ(table->NextMessage(), nullptr);
  EXPECT_FALSE(table->Failed());
}

TEST_F(MapiSessionTest, ASavedMessageHoldsTheSenderInOneValue) {
  CMapiSession session("SMS");
  std::unique_ptr<CSmsMessage> message = session.SpecialFolder(SmsFolder::kOutbox)->CreateMessage();
  ASSERT_NE(message, nullptr);
  message->SetText("hi");
  message->SetFlags(3);
  message->SetSize(2);
  message->SetDeliveryTime(MakeDate(2011, 5, 6));
  message->SetLastModificationTime(MakeDate(2011, 5, 7));
  ASSERT_TRUE(message->ParseSmsSender("\"Ann\" <123>"));
  message->AddRecipient({"555", "Bob", 1});
  ASSERT_EQ(message->Save(), S_OK);

  std::vector<PhoneMessage> stored = phone_.Messages(Special(PR_IPM_OUTBOX_ENTRYID));
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].subject, "hi");
  EXPECT_EQ(stored[0].messageClass, "IPM.SMStext");
  EXPECT_EQ(stored[0].senderEmailAddress, "\"Ann\" <123>");
  EXPECT_EQ(stored[0].senderName, std::nullopt);
  EXPECT_EQ(stored[0].flags, 3u);
  EXPECT_EQ(stored[0].deliveryTime, MakeDate(2011, 5, 6));
  EXPECT_EQ(stored[0].recipients, (std::vector<PhoneRecipient>{{"Bob", "555", 1}}));
}

TEST_F(MapiSessionTest, BatchesFollowOneAnotherAndAFailureEndsTheTable) {
  for (int i = 0; i < 23; ++i) phone_.AddMessage(Inbox(), SampleSms(QString::number(i), {}));
  CMapiSession session("SMS");
  CMapiFolder* inbox = session.SpecialFolder(SmsFolder::kInbox);
  ASSERT_NE(inbox, nullptr);
  CMapiContentsTable* table = inbox->ContentsTable();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->RowCount(), 23u);
  ASSERT_TRUE(table->Rewind());
  QStringList texts;
  while (CSmsMessage* message = table->NextMessage()) texts << message->Text();
  ASSERT_EQ(texts.size(), 23);
  EXPECT_EQ(texts.front(), "0");
  EXPECT_EQ(texts.back(), "22");
  EXPECT_FALSE(table->Failed());

  phone_.FailCall(PhoneCall::kQueryRows, Inbox(), 1);
  ASSERT_TRUE(table->Rewind());
  int handedOut = 0;
  while (table->NextMessage() != nullptr) ++handedOut;
  EXPECT_EQ(handedOut, 10);
  EXPECT_TRUE(table->Failed());

  phone_.ClearFailures();
  phone_.FailCall(PhoneCall::kMessageGetProps, phone_.Messages(Inbox())[12].id);
  ASSERT_TRUE(table->Rewind());
  handedOut = 0;
  while (table->NextMessage() != nullptr) ++handedOut;
  EXPECT_EQ(handedOut, 10);
  EXPECT_TRUE(table->Failed());
}

TEST_F(MapiSessionTest, SubfoldersAreFoundOpenedAndMade) {
  const qint64 work = phone_.AddFolder(Inbox(), "Work");
  phone_.AddFolder(work, "Old");
  phone_.AddFolder(Inbox(), "Home");
  CMapiSession session("SMS");
  CMapiFolder* inbox = session.SpecialFolder(SmsFolder::kInbox);
  const auto* subfolders = inbox->Subfolders();
  ASSERT_NE(subfolders, nullptr);
  ASSERT_EQ(subfolders->size(), 2u);
  EXPECT_EQ((*subfolders)[0]->Name(), "Work");
  EXPECT_EQ((*subfolders)[0]->Parent(), inbox);
  EXPECT_EQ((*subfolders)[1]->Name(), "Home");
  const auto* below = (*subfolders)[0]->Subfolders();
  ASSERT_NE(below, nullptr);
  ASSERT_EQ(below->size(), 1u);
  EXPECT_EQ((*below)[0]->Name(), "Old");

  CMapiFolder* opened = inbox->OpenOrCreateSubfolder("  Work\t");
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(opened->EntryId(), (*subfolders)[0]->EntryId());
  EXPECT_EQ(opened->Parent(), nullptr);
  EXPECT_EQ(inbox->OpenOrCreateSubfolder("Work"), opened);
  EXPECT_EQ(inbox->OpenOrCreateSubfolder("   ")->Name(), "NewFolder");
  EXPECT_EQ(phone_.SubfolderNames(Inbox()), (std::vector<QString>{"Work", "Home", "NewFolder"}));

  // A list that cannot be read to its end is no list.
  phone_.FailCall(PhoneCall::kQueryRows, Special(PR_IPM_OUTBOX_ENTRYID), 1);
  phone_.AddFolder(Special(PR_IPM_OUTBOX_ENTRYID), "A");
  phone_.AddFolder(Special(PR_IPM_OUTBOX_ENTRYID), "B");
  EXPECT_EQ(session.SpecialFolder(SmsFolder::kOutbox)->Subfolders(), nullptr);
}

}  // namespace
