#include "platform/device/stores/messaging_store.h"

#include <sqlite3.h>

#include <thread>

#include "platform/device/stores/phone_database.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/device/stores/phone_setup.h"
#include "tests/support/phone_test.h"
#include "tests/support/scoped_file_triggers.h"

namespace {

const SPropTagArray kLoadTags = {PR_ENTRYID,
                                 PR_MESSAGE_FLAGS,
                                 PR_SUBJECT_W,
                                 PR_LAST_MODIFICATION_TIME,
                                 PR_MESSAGE_DELIVERY_TIME,
                                 PR_SENDER_EMAIL_ADDRESS_W,
                                 PR_SENDER_NAME_W,
                                 PR_MESSAGE_SIZE};

PhoneMessage CompleteMessage(const QString& text, FILETIME delivered) {
  PhoneMessage message;
  message.subject = text;
  message.flags = 1;
  message.size = static_cast<ULONG>(text.size());
  message.lastModificationTime = delivered;
  message.deliveryTime = delivered;
  message.senderEmailAddress = "\"Ann\" <+8613800000000>";
  message.senderName = "Ann";
  return message;
}

class MessagingStoreTest : public PhoneTest {
 protected:
  // Finds a store by name (letter case ignored) in the stores table, one row at a time.
  std::unique_ptr<IMsgStore> OpenStore(IMAPISession& session, const QString& name) {
    std::unique_ptr<IMAPITable> table;
    std::unique_ptr<IMsgStore> store;
    if (session.GetMsgStoresTable(table) != S_OK ||
        table->SetColumns({PR_ENTRYID, PR_DISPLAY_NAME_W}) != S_OK) {
      return store;
    }
    SRowSet rows;
    while (table->QueryRows(1, rows) == S_OK && !rows.empty()) {
      if (rows[0][1].Value.lpszW.compare(name, Qt::CaseInsensitive) == 0) {
        session.OpenMsgStore(rows[0][0].Value.bin, store);
        break;
      }
    }
    return store;
  }

  std::unique_ptr<IMAPIFolder> OpenSpecial(IMsgStore& store, ULONG tag) {
    std::vector<SPropValue> values;
    std::unique_ptr<IMAPIFolder> folder;
    if (store.GetProps({tag}, values) == S_OK) {
      EXPECT_EQ(store.OpenEntry(values[0].Value.bin, folder), S_OK);
    }
    return folder;
  }

  void SetUp() override {
    ASSERT_EQ(MAPILogonEx(session_), S_OK);
    store_ = OpenStore(*session_, "sms");
    ASSERT_NE(store_, nullptr);
    inbox_ = OpenSpecial(*store_, PR_CE_IPM_INBOX_ENTRYID);
    ASSERT_NE(inbox_, nullptr);
    inboxId_ = setup_.SpecialFolderId(setup_.MessageStoreId("SMS"), PR_CE_IPM_INBOX_ENTRYID);
  }

  PhoneSetup setup_;
  std::unique_ptr<IMAPISession> session_;
  std::unique_ptr<IMsgStore> store_;
  std::unique_ptr<IMAPIFolder> inbox_;
  qint64 inboxId_ = 0;
};

TEST_F(MessagingStoreTest, FreshPhoneHasTheStoreSmsWithFiveSpecialFolders) {
  const std::vector<std::pair<ULONG, QString>> specials = {
      {PR_CE_IPM_DRAFTS_ENTRYID, "Drafts"},
      {PR_CE_IPM_INBOX_ENTRYID, "Inbox"},
      {PR_IPM_OUTBOX_ENTRYID, "Outbox"},
      {PR_IPM_SENTMAIL_ENTRYID, "Sent Items"},
      {PR_IPM_WASTEBASKET_ENTRYID, "Deleted Items"}};
  for (const auto& [tag, name] : specials) {
    std::unique_ptr<IMAPIFolder> folder = OpenSpecial(*store_, tag);
    ASSERT_NE(folder, nullptr) << name.toStdString();
    std::vector<SPropValue> values;
    ASSERT_EQ(folder->GetProps({PR_DISPLAY_NAME_W, PR_ENTRYID}, values), S_OK);
    EXPECT_EQ(values[0].Value.lpszW, name);
    EXPECT_FALSE(values[1].Value.bin.isEmpty());
  }
}

TEST_F(MessagingStoreTest, NoStoreNamedSmsAndAMissingSpecialFolder) {
  std::vector<SPropValue> values;
  ASSERT_EQ(inbox_->GetProps({PR_ENTRYID}, values), S_OK);
  const QByteArray oldInbox = values[0].Value.bin;
  ASSERT_TRUE(setup_.RemoveMessageStore("SMS"));
  EXPECT_FALSE(setup_.RemoveMessageStore("SMS"));
  const qint64 mail = setup_.AddMessageStore("Mail", false);
  const qint64 mailInbox = setup_.AddSpecialFolder(mail, PR_CE_IPM_INBOX_ENTRYID, "Inbox");
  ASSERT_NE(mailInbox, 0);
  EXPECT_EQ(OpenStore(*session_, "SMS"), nullptr);

  std::unique_ptr<IMsgStore> store = OpenStore(*session_, "MAIL");
  ASSERT_NE(store, nullptr);
  EXPECT_EQ(store->GetProps({PR_IPM_OUTBOX_ENTRYID, PR_CE_IPM_INBOX_ENTRYID}, values),
            MAPI_W_ERRORS_RETURNED);
  EXPECT_EQ(values[0].ulPropTag, PROP_TAG(PT_ERROR, PROP_ID(PR_IPM_OUTBOX_ENTRYID)));
  EXPECT_EQ(values[1].ulPropTag, PR_CE_IPM_INBOX_ENTRYID);

  // Entry ids of the old store and of other objects are refused.
  std::unique_ptr<IMAPIFolder> folder;
  std::unique_ptr<IMsgStore> gone;
  EXPECT_TRUE(FAILED(store->OpenEntry(QByteArray("rubbish"), folder)));
  EXPECT_TRUE(FAILED(store->OpenEntry(QByteArray(9, '\xff'), folder)));
  EXPECT_EQ(store->OpenEntry(MakeEntryId(EntryKind::kMessage, mailInbox), folder),
            MAPI_E_INVALID_ENTRYID);
  EXPECT_EQ(store->OpenEntry(MakeEntryId(EntryKind::kFolder, -mailInbox), folder),
            MAPI_E_INVALID_ENTRYID);
  EXPECT_TRUE(FAILED(session_->OpenMsgStore(QByteArray(), gone)));
  EXPECT_EQ(store->OpenEntry(oldInbox, folder), MAPI_E_NOT_FOUND);
  EXPECT_EQ(inbox_->GetProps({PR_ENTRYID}, values), MAPI_E_CALL_FAILED);
}

TEST_F(MessagingStoreTest, ContentsTableHandsOutBatchesAndRewinds) {
  for (int i = 1; i <= 12; ++i) {
    ASSERT_NE(setup_.AddMessage(inboxId_, CompleteMessage(QString::number(i), MakeFileTime(i))), 0);
  }
  std::unique_ptr<IMAPITable> table;
  ASSERT_EQ(inbox_->GetContentsTable(table), S_OK);
  ASSERT_EQ(table->SetColumns({PR_ENTRYID}), S_OK);
  ULONG count = 0;
  ASSERT_EQ(table->GetRowCount(&count), S_OK);
  EXPECT_EQ(count, 12u);

  SRowSet rows;
  ASSERT_EQ(table->QueryRows(10, rows), S_OK);
  ASSERT_EQ(rows.size(), 10u);
  std::unique_ptr<IMessage> message;
  ASSERT_EQ(inbox_->OpenEntry(rows[0][0].Value.bin, message), S_OK);
  std::vector<SPropValue> values;
  ASSERT_EQ(message->GetProps({PR_SUBJECT_W}, values), S_OK);
  EXPECT_EQ(values[0].Value.lpszW, "1");
  ASSERT_EQ(table->QueryRows(10, rows), S_OK);
  EXPECT_EQ(rows.size(), 2u);
  ASSERT_EQ(table->QueryRows(10, rows), S_OK);
  EXPECT_TRUE(rows.empty());

  ASSERT_EQ(table->SeekRow(BOOKMARK_BEGINNING, 0), S_OK);
  ASSERT_EQ(table->SetColumns({PR_MESSAGE_DELIVERY_TIME}), S_OK);
  ASSERT_EQ(table->QueryRows(1, rows), S_OK);
  EXPECT_EQ(rows[0][0].Value.ft, MakeFileTime(1));
  EXPECT_EQ(table->QueryRows(0, rows), MAPI_E_INVALID_PARAMETER);
  EXPECT_EQ(table->SeekRow(BOOKMARK_BEGINNING, 1), MAPI_E_INVALID_PARAMETER);
}

TEST_F(MessagingStoreTest, QueryRowsCanFailOnALaterBatch) {
  for (int i = 1; i <= 12; ++i) setup_.AddMessage(inboxId_, CompleteMessage("x", MakeFileTime(i)));
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kQueryRows, inboxId_, 1));
  std::unique_ptr<IMAPITable> table;
  ASSERT_EQ(inbox_->GetContentsTable(table), S_OK);
  SRowSet rows;
  EXPECT_EQ(table->QueryRows(10, rows), S_OK);
  EXPECT_EQ(table->QueryRows(10, rows), MAPI_E_CALL_FAILED);
  EXPECT_TRUE(rows.empty());
}

TEST_F(MessagingStoreTest, MessagePropertiesLoadExactlyOrWithAWarning) {
  const qint64 complete =
      setup_.AddMessage(inboxId_, CompleteMessage("Hello", MakeDate(2010, 3, 7)));
  PhoneMessage partial = CompleteMessage("Hi", MakeDate(2010, 3, 8));
  partial.senderName.reset();
  const qint64 missingName = setup_.AddMessage(inboxId_, partial);

  std::unique_ptr<IMessage> message;
  std::vector<SPropValue> values;
  ASSERT_EQ(inbox_->OpenEntry(MakeEntryId(EntryKind::kMessage, complete), message), S_OK);
  ASSERT_EQ(message->GetProps(kLoadTags, values), S_OK);
  ASSERT_EQ(values.size(), kLoadTags.size());
  for (size_t i = 0; i < kLoadTags.size(); ++i) EXPECT_EQ(values[i].ulPropTag, kLoadTags[i]);
  EXPECT_EQ(values[1].Value.ul, 1u);
  EXPECT_EQ(values[2].Value.lpszW, "Hello");
  EXPECT_EQ(values[4].Value.ft, MakeDate(2010, 3, 7));
  EXPECT_EQ(values[5].Value.lpszW, "\"Ann\" <+8613800000000>");
  EXPECT_EQ(values[7].Value.ul, 5u);

  ASSERT_EQ(inbox_->OpenEntry(MakeEntryId(EntryKind::kMessage, missingName), message), S_OK);
  EXPECT_EQ(message->GetProps(kLoadTags, values), MAPI_W_ERRORS_RETURNED);
  EXPECT_TRUE(SUCCEEDED(MAPI_W_ERRORS_RETURNED));
  EXPECT_EQ(values[6].ulPropTag, PROP_TAG(PT_ERROR, PROP_ID(PR_SENDER_NAME_W)));
  EXPECT_EQ(values[2].Value.lpszW, "Hi");
  // A value that the phone's file holds as null is missing too.
  const QByteArray clear = "update message_properties set value = null where message_id = " +
                           QByteArray::number(missingName);
  ASSERT_TRUE(PhoneDatabase::Open()->Exec(clear.constData()));
  EXPECT_EQ(message->GetProps(kLoadTags, values), MAPI_W_ERRORS_RETURNED);
  EXPECT_EQ(values[2].ulPropTag, PROP_TAG(PT_ERROR, PROP_ID(PR_SUBJECT_W)));

  ASSERT_TRUE(setup_.FailCall(PhoneCall::kMessageGetProps, complete));
  ASSERT_EQ(inbox_->OpenEntry(MakeEntryId(EntryKind::kMessage, complete), message), S_OK);
  EXPECT_EQ(message->GetProps(kLoadTags, values), MAPI_E_CALL_FAILED);
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kFolderOpenEntry, missingName));
  EXPECT_EQ(inbox_->OpenEntry(MakeEntryId(EntryKind::kMessage, missingName), message),
            MAPI_E_CALL_FAILED);
}

TEST_F(MessagingStoreTest, RecipientTables) {
  PhoneMessage sent = CompleteMessage("to two", MakeFileTime(5));
  sent.recipients = {{"Ann", "+861", MAPI_TO}, {"Bob", "+862", MAPI_CC}};
  const qint64 withRecipients = setup_.AddMessage(inboxId_, sent);
  const qint64 without = setup_.AddMessage(inboxId_, CompleteMessage("none", MakeFileTime(6)));

  std::unique_ptr<IMessage> message;
  std::unique_ptr<IMAPITable> table;
  ASSERT_EQ(inbox_->OpenEntry(MakeEntryId(EntryKind::kMessage, without), message), S_OK);
  EXPECT_EQ(message->GetRecipientTable(table), MAPI_E_NO_RECIPIENTS);
  EXPECT_EQ(table, nullptr);

  ASSERT_EQ(inbox_->OpenEntry(MakeEntryId(EntryKind::kMessage, withRecipients), message), S_OK);
  ASSERT_EQ(message->GetRecipientTable(table), S_OK);
  SRowSet rows;
  ASSERT_EQ(table->QueryRows(1, rows), S_OK);
  ASSERT_EQ(rows.size(), 1u);
  ASSERT_EQ(rows[0].size(), 3u);
  EXPECT_EQ(rows[0][0].ulPropTag, PR_DISPLAY_NAME_W);
  EXPECT_EQ(rows[0][0].Value.lpszW, "Ann");
  EXPECT_EQ(rows[0][1].Value.lpszW, "+861");
  EXPECT_EQ(rows[0][2].Value.ul, MAPI_TO);
  ASSERT_EQ(table->QueryRows(1, rows), S_OK);
  EXPECT_EQ(rows[0][0].Value.lpszW, "Bob");
  ASSERT_EQ(table->QueryRows(1, rows), S_OK);
  EXPECT_TRUE(rows.empty());

  ASSERT_TRUE(setup_.FailCall(PhoneCall::kGetRecipientTable, withRecipients));
  EXPECT_EQ(message->GetRecipientTable(table), MAPI_E_CALL_FAILED);
}

TEST_F(MessagingStoreTest, NewMessageIsStoredWholeBySaveChanges) {
  std::unique_ptr<IMessage> message;
  ASSERT_EQ(inbox_->CreateMessage(message), S_OK);
  std::unique_ptr<IMAPITable> table;
  EXPECT_EQ(message->GetRecipientTable(table), MAPI_E_NO_RECIPIENTS);
  ASSERT_EQ(message->SetProps({{PR_SUBJECT_W, {.lpszW = "dropped"}}}), S_OK);
  message.reset();
  EXPECT_TRUE(setup_.Messages(inboxId_).empty());  // released before any save: nothing left

  ASSERT_EQ(inbox_->CreateMessage(message), S_OK);
  EXPECT_EQ(message->SetProps({{PR_ENTRYID, {.bin = "x"}}}), MAPI_E_COMPUTED);
  EXPECT_EQ(message->SetProps({{PROP_TAG(PT_ERROR, 0x37), {}}}), MAPI_E_INVALID_PARAMETER);
  ASSERT_EQ(message->SetProps({{PR_MESSAGE_FLAGS, {.ul = 3}},
                               {PR_SUBJECT_W, {.lpszW = "text\n"}},
                               {PR_LAST_MODIFICATION_TIME, {.ft = MakeFileTime(10)}},
                               {PR_MESSAGE_DELIVERY_TIME, {.ft = MakeFileTime(11)}},
                               {PR_MESSAGE_CLASS_W, {.lpszW = "IPM.SMStext"}},
                               {PR_SENDER_EMAIL_ADDRESS_W, {.lpszW = "\"1\" <1>"}},
                               {PR_MESSAGE_SIZE, {.ul = 5}}}),
            S_OK);
  EXPECT_EQ(message->ModifyRecipients(1, {}), MAPI_E_NO_SUPPORT);
  ASSERT_EQ(message->ModifyRecipients(MODRECIP_ADD, {{{PR_EMAIL_ADDRESS_W, {.lpszW = "+1"}},
                                                      {PR_RECIPIENT_TYPE, {.ul = 2}},
                                                      {PR_DISPLAY_NAME_W, {.lpszW = "One"}}}}),
            S_OK);
  EXPECT_TRUE(setup_.Messages(inboxId_).empty());
  ASSERT_EQ(message->SaveChanges(), S_OK);

  std::vector<PhoneMessage> stored = setup_.Messages(inboxId_);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].subject, "text\n");
  EXPECT_EQ(stored[0].flags, 3u);
  EXPECT_EQ(stored[0].deliveryTime, MakeFileTime(11));
  EXPECT_EQ(stored[0].senderEmailAddress, "\"1\" <1>");
  EXPECT_EQ(stored[0].senderName, std::nullopt);
  EXPECT_EQ(stored[0].recipients, (std::vector<PhoneRecipient>{{"One", "+1", 2}}));

  // A later save adds what was set since, to the same message.
  ASSERT_EQ(message->SetProps({{PR_SUBJECT_W, {.lpszW = "new"}}}), S_OK);
  ASSERT_EQ(message->ModifyRecipients(
                MODRECIP_ADD, {{{PR_DISPLAY_NAME_W, {.lpszW = "Two"}}, {PR_RECIPIENT_TYPE, {}}}}),
            S_OK);
  ASSERT_EQ(message->SaveChanges(), S_OK);
  stored = setup_.Messages(inboxId_);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].subject, "new");
  EXPECT_EQ(stored[0].recipients, (std::vector<PhoneRecipient>{{"One", "+1", 2}, {"Two", "", 0}}));
}

// A save is one transaction: a recipient the database refuses leaves no message behind, and the
// next save, once the database takes it, stores the message whole.
TEST_F(MessagingStoreTest, ASaveThatFailsPartWayStoresNothing) {
  ScopedFileTriggers triggers;  // on the connection of a session of its own
  std::unique_ptr<IMAPISession> session;
  ASSERT_EQ(MAPILogonEx(session), S_OK);
  std::unique_ptr<IMsgStore> store = OpenStore(*session, "sms");
  std::unique_ptr<IMAPIFolder> inbox = OpenSpecial(*store, PR_CE_IPM_INBOX_ENTRYID);
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(PhoneDatabasePath().toUtf8().constData(), &db), SQLITE_OK);
  const auto exec = [db](const char* sql) {
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sql;
  };
  exec(
      "create trigger refuse before insert on recipients when new.display_name = 'Refused'"
      " begin select raise(abort, 'refused'); end");
  std::unique_ptr<IMessage> message;
  ASSERT_EQ(inbox->CreateMessage(message), S_OK);
  ASSERT_EQ(message->SetProps({{PR_SUBJECT_W, {.lpszW = "whole"}}}), S_OK);
  ASSERT_EQ(message->ModifyRecipients(MODRECIP_ADD, {{{PR_DISPLAY_NAME_W, {.lpszW = "Kept"}}},
                                                     {{PR_DISPLAY_NAME_W, {.lpszW = "Refused"}}}}),
            S_OK);
  EXPECT_EQ(message->SaveChanges(), MAPI_E_CALL_FAILED);
  EXPECT_TRUE(setup_.Messages(inboxId_).empty());

  exec("drop trigger refuse");
  sqlite3_close(db);
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kSaveChanges));
  EXPECT_EQ(message->SaveChanges(), MAPI_E_CALL_FAILED);
  EXPECT_TRUE(setup_.Messages(inboxId_).empty());
  ASSERT_TRUE(setup_.ClearFailures());
  ASSERT_EQ(message->SaveChanges(), S_OK);
  const std::vector<PhoneMessage> stored = setup_.Messages(inboxId_);
  ASSERT_EQ(stored.size(), 1u);
  EXPECT_EQ(stored[0].subject, "whole");
  EXPECT_EQ(stored[0].recipients.size(), 2u);
}

TEST_F(MessagingStoreTest, SubfoldersAreListedCreatedAndOpenedIfTheyExist) {
  const qint64 work = setup_.AddFolder(inboxId_, "Work");
  ASSERT_NE(setup_.AddFolder(work, "Deep"), 0);
  ASSERT_NE(setup_.AddFolder(inboxId_, "Home"), 0);

  std::unique_ptr<IMAPITable> table;
  ASSERT_EQ(inbox_->GetHierarchyTable(table), S_OK);
  ASSERT_EQ(table->SetColumns({PR_ENTRYID, PR_DISPLAY_NAME_W}), S_OK);
  SRowSet rows;
  ASSERT_EQ(table->QueryRows(5, rows), S_OK);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0][1].Value.lpszW, "Work");
  EXPECT_EQ(rows[1][1].Value.lpszW, "Home");
  std::unique_ptr<IMAPIFolder> opened;
  ASSERT_EQ(store_->OpenEntry(rows[0][0].Value.bin, opened), S_OK);

  std::unique_ptr<IMAPIFolder> folder;
  ASSERT_EQ(inbox_->CreateFolder("Work", MAPI_UNICODE | OPEN_IF_EXISTS, folder), S_OK);
  std::vector<SPropValue> values;
  ASSERT_EQ(folder->GetProps({PR_ENTRYID}, values), S_OK);
  EXPECT_EQ(values[0].Value.bin, MakeEntryId(EntryKind::kFolder, work));
  EXPECT_EQ(inbox_->CreateFolder("Work", MAPI_UNICODE, folder), MAPI_E_COLLISION);
  EXPECT_EQ(inbox_->CreateFolder("", MAPI_UNICODE | OPEN_IF_EXISTS, folder),
            MAPI_E_INVALID_PARAMETER);
  ASSERT_EQ(inbox_->CreateFolder("work", MAPI_UNICODE | OPEN_IF_EXISTS, folder), S_OK);
  EXPECT_EQ(setup_.SubfolderNames(inboxId_), (std::vector<QString>{"Work", "Home", "work"}));

  ASSERT_TRUE(setup_.FailCall(PhoneCall::kCreateFolder));
  EXPECT_EQ(inbox_->CreateFolder("New", MAPI_UNICODE | OPEN_IF_EXISTS, folder), MAPI_E_CALL_FAILED);
  EXPECT_EQ(setup_.SubfolderId(inboxId_, "New"), 0);
}

TEST_F(MessagingStoreTest, FailingSessionCalls) {
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kMAPILogonEx));
  std::unique_ptr<IMAPISession> session;
  EXPECT_EQ(MAPILogonEx(session), MAPI_E_LOGON_FAILED);
  ASSERT_TRUE(setup_.ClearFailures());
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kOpenMsgStore));
  EXPECT_EQ(OpenStore(*session_, "SMS"), nullptr);
  ASSERT_TRUE(setup_.ClearFailures());
  ASSERT_TRUE(setup_.FailCall(PhoneCall::kMsgStoreGetProps));
  std::vector<SPropValue> values;
  EXPECT_EQ(store_->GetProps({PR_CE_IPM_INBOX_ENTRYID}, values), MAPI_E_CALL_FAILED);

  EXPECT_EQ(session_->Logoff(), S_OK);
  std::unique_ptr<IMAPITable> table;
  EXPECT_TRUE(FAILED(session_->GetMsgStoresTable(table)));
  EXPECT_EQ(inbox_->GetContentsTable(table), S_OK);  // objects got before stay usable
}

TEST_F(MessagingStoreTest, ObjectsMadeOnOneThreadWorkOnAnother) {
  setup_.AddMessage(inboxId_, CompleteMessage("from worker", MakeFileTime(1)));
  std::unique_ptr<IMAPITable> table;
  ASSERT_EQ(inbox_->GetContentsTable(table), S_OK);
  QString text;
  std::thread worker([&] {
    SRowSet rows;
    std::unique_ptr<IMessage> message;
    std::vector<SPropValue> values;
    if (table->QueryRows(10, rows) == S_OK && rows.size() == 1 &&
        inbox_->OpenEntry(rows[0][0].Value.bin, message) == S_OK &&
        message->GetProps({PR_SUBJECT_W}, values) == S_OK) {
      text = values[0].Value.lpszW;
    }
  });
  worker.join();
  EXPECT_EQ(text, "from worker");
}

}  // namespace
