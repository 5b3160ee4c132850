#include "platform/device/stores/phone_setup.h"

#include "platform/device/stores/contact_rows.h"
#include "platform/device/stores/message_rows.h"
#include "platform/device/stores/phone_database.h"
#include "platform/device/stores/phone_schema.h"
#include "platform/device/stores/sim_rows.h"

namespace {

// Runs `write` in one transaction; its result when that committed, else a value-initialised one.
// Inside PhoneSetup::InOneTransaction it runs in that transaction.
template <typename Write>
auto InTransaction(PhoneDatabase* db, Write write) -> decltype(write()) {
  if (db == nullptr) return {};
  if (sqlite3_get_autocommit(db->Handle()) == 0) return write();
  PhoneTransaction transaction(*db);
  if (!transaction.IsActive()) return {};
  auto result = write();
  if (!result || !transaction.Commit()) return {};
  return result;
}

const SPropTagArray kMessageTags = {
    PR_MESSAGE_CLASS_W,        PR_SUBJECT_W,
    PR_MESSAGE_FLAGS,          PR_MESSAGE_SIZE,
    PR_LAST_MODIFICATION_TIME, PR_MESSAGE_DELIVERY_TIME,
    PR_SENDER_EMAIL_ADDRESS_W, PR_SENDER_NAME_W,
};

std::vector<SPropValue> MessageValues(const PhoneMessage& message) {
  std::vector<SPropValue> values;
  auto addText = [&](ULONG tag, const std::optional<QString>& text) {
    if (text) values.push_back({tag, PropValue{.lpszW = *text}});
  };
  auto addLong = [&](ULONG tag, const std::optional<ULONG>& number) {
    if (number) values.push_back({tag, PropValue{.ul = *number}});
  };
  auto addTime = [&](ULONG tag, const std::optional<FILETIME>& time) {
    if (time) values.push_back({tag, PropValue{.ft = *time}});
  };
  addText(PR_MESSAGE_CLASS_W, message.messageClass);
  addText(PR_SUBJECT_W, message.subject);
  addLong(PR_MESSAGE_FLAGS, message.flags);
  addLong(PR_MESSAGE_SIZE, message.size);
  addTime(PR_LAST_MODIFICATION_TIME, message.lastModificationTime);
  addTime(PR_MESSAGE_DELIVERY_TIME, message.deliveryTime);
  addText(PR_SENDER_EMAIL_ADDRESS_W, message.senderEmailAddress);
  addText(PR_SENDER_NAME_W, message.senderName);
  return values;
}

// The values of kMessageTags, in that order, into a message.
void SetMessageFields(const std::vector<SPropValue>& values, PhoneMessage* message) {
  auto text = [&](int i) -> std::optional<QString> {
    if (PROP_TYPE(values[i].ulPropTag) == PT_ERROR) return std::nullopt;
    return values[i].Value.lpszW;
  };
  auto number = [&](int i) -> std::optional<ULONG> {
    if (PROP_TYPE(values[i].ulPropTag) == PT_ERROR) return std::nullopt;
    return values[i].Value.ul;
  };
  auto time = [&](int i) -> std::optional<FILETIME> {
    if (PROP_TYPE(values[i].ulPropTag) == PT_ERROR) return std::nullopt;
    return values[i].Value.ft;
  };
  message->messageClass = text(0);
  message->subject = text(1);
  message->flags = number(2);
  message->size = number(3);
  message->lastModificationTime = time(4);
  message->deliveryTime = time(5);
  message->senderEmailAddress = text(6);
  message->senderName = text(7);
}

bool LoadRecipients(PhoneDatabase& db, qint64 messageId, std::vector<PhoneRecipient>* recipients) {
  std::vector<qint64> ids;
  if (!ListRows(db, TableKind::kRecipients, messageId, 0, -1, ids)) return false;
  for (qint64 id : ids) {
    std::vector<SPropValue> values;
    if (!LoadRecipientProps(db, id, {PR_DISPLAY_NAME_W, PR_EMAIL_ADDRESS_W, PR_RECIPIENT_TYPE},
                            values)) {
      return false;
    }
    recipients->push_back({values[0].Value.lpszW, values[1].Value.lpszW, values[2].Value.ul});
  }
  return true;
}

}  // namespace

PhoneSetup::PhoneSetup() : db_(PhoneDatabase::Open()) {}

PhoneSetup::~PhoneSetup() = default;

bool PhoneSetup::InOneTransaction(const std::function<bool()>& changes) {
  return InTransaction(db_.get(), changes);
}

bool PhoneSetup::SetContactStorePresent(bool present) {
  return db_ && db_->SetSetting(kContactStorePresentSetting, present ? 1 : 0);
}

CEOID PhoneSetup::AddContact(const PhoneContact& contact) {
  ContactProps props;
  for (const auto& [id, text] : contact.texts) {
    if (PropIdType(id) != CEVT_LPWSTR) return 0;
    props[id] = CEPROPVAL{id, 0, {.lpwstr = text}};
  }
  for (const auto& [id, date] : contact.dates) {
    if (PropIdType(id) != CEVT_FILETIME) return 0;
    props[id] = CEPROPVAL{id, 0, {.filetime = date}};
  }
  return InTransaction(db_.get(), [&] { return SaveContact(*db_, 0, props, contact.picture); });
}

std::vector<PhoneContact> PhoneSetup::Contacts() {
  std::vector<PhoneContact> contacts;
  const int count = db_ ? CountContacts(*db_).value_or(0) : 0;
  ContactPositions positions;
  for (int index = 1; index <= count; ++index) {
    PhoneContact contact;
    contact.oid = positions.At(*db_, index);
    ContactProps props;
    if (contact.oid == 0 || !LoadContactProps(*db_, contact.oid, props)) return {};
    for (const auto& [id, value] : props) {
      if (PropIdType(id) == CEVT_LPWSTR) {
        contact.texts[id] = value.val.lpwstr;
      } else {
        contact.dates[id] = value.val.filetime;
      }
    }
    contact.picture = LoadContactPicture(*db_, contact.oid).value_or(QByteArray());
    contacts.push_back(contact);
  }
  return contacts;
}

bool PhoneSetup::SetSimPresent(bool present) {
  return db_ && db_->SetSetting(kSimPresentSetting, present ? 1 : 0);
}

bool PhoneSetup::SetSimCapacity(DWORD lowest, DWORD highest) {
  if (lowest > highest || highest > kLargestSimIndex) return false;
  return InTransaction(db_.get(), [&] {
    return db_->SetSetting(kSimLowestIndexSetting, lowest) &&
           db_->SetSetting(kSimHighestIndexSetting, highest);
  });
}

bool PhoneSetup::AddSimEntry(DWORD index, const QString& name, const QString& number) {
  return InTransaction(db_.get(), [&] {
    std::optional<SimRange> range = LoadSimRange(*db_);
    if (!range || !range->Contains(index)) return false;
    SimEntry entry;
    entry.validFields = SIM_PARAM_PBE_ALL;
    entry.SetName(name);
    entry.SetNumber(number);
    entry.addressType = 1;
    entry.numberingPlan = 1;
    return WriteSimEntry(*db_, index, entry);
  });
}

std::map<DWORD, SimEntry> PhoneSetup::SimEntries() {
  if (!db_) return {};
  return LoadSimEntries(*db_).value_or(std::map<DWORD, SimEntry>());
}

qint64 PhoneSetup::AddMessageStore(const QString& name, bool withSpecialFolders) {
  return InTransaction(db_.get(),
                       [&] { return InsertMessageStore(*db_, name, withSpecialFolders); });
}

bool PhoneSetup::RemoveMessageStore(const QString& name) {
  return InTransaction(db_.get(), [&] {
    PhoneStatement stores(*db_, "select count(*) from message_stores where display_name = ?");
    if (stores.BindText(1, name).QueryInt64().value_or(0) == 0) return false;
    constexpr const char* kRemovals[] = {
        "delete from recipients where message_id in (select m.id from messages m join"
        " message_folders f on f.id = m.folder_id join message_stores s on s.id = f.store_id"
        " where s.display_name = ?)",
        "delete from message_properties where message_id in (select m.id from messages m join"
        " message_folders f on f.id = m.folder_id join message_stores s on s.id = f.store_id"
        " where s.display_name = ?)",
        "delete from messages where folder_id in (select f.id from message_folders f join"
        " message_stores s on s.id = f.store_id where s.display_name = ?)",
        "delete from message_folders where store_id in (select id from message_stores"
        " where display_name = ?)",
        "delete from message_stores where display_name = ?",
    };
    for (const char* sql : kRemovals) {
      PhoneStatement removal(*db_, sql);
      if (!removal.BindText(1, name).Run()) return false;
    }
    return true;
  });
}

qint64 PhoneSetup::MessageStoreId(const QString& name) {
  if (!db_) return 0;
  PhoneStatement find(*db_,
                      "select id from message_stores where display_name = ? order by id limit 1");
  return find.BindText(1, name).QueryInt64().value_or(0);
}

qint64 PhoneSetup::SpecialFolderId(qint64 storeId, ULONG tag) {
  if (!db_) return 0;
  std::vector<SPropValue> values;
  if (!LoadStoreProps(*db_, storeId, {tag}, values)) return 0;
  return EntryIdRow(EntryKind::kFolder, values[0].Value.bin);
}

qint64 PhoneSetup::AddSpecialFolder(qint64 storeId, ULONG tag, const QString& name) {
  return InTransaction(db_.get(), [&] { return InsertFolder(*db_, storeId, 0, name, tag); });
}

qint64 PhoneSetup::AddFolder(qint64 parentFolderId, const QString& name) {
  return InTransaction(db_.get(), [&]() -> qint64 {
    const qint64 storeId = FolderStore(*db_, parentFolderId);
    return storeId != 0 ? InsertFolder(*db_, storeId, parentFolderId, name, 0) : 0;
  });
}

qint64 PhoneSetup::SubfolderId(qint64 parentFolderId, const QString& name) {
  return db_ ? FindSubfolder(*db_, parentFolderId, name).value_or(0) : 0;
}

std::vector<QString> PhoneSetup::SubfolderNames(qint64 parentFolderId) {
  std::vector<QString> names;
  std::vector<qint64> ids;
  if (!db_ || !ListRows(*db_, TableKind::kHierarchy, parentFolderId, 0, -1, ids)) return names;
  for (qint64 id : ids) {
    std::vector<SPropValue> values;
    if (!LoadFolderProps(*db_, id, {PR_DISPLAY_NAME_W}, values)) return {};
    names.push_back(values[0].Value.lpszW);
  }
  return names;
}

qint64 PhoneSetup::AddMessage(qint64 folderId, const PhoneMessage& message) {
  return InTransaction(db_.get(), [&]() -> qint64 {
    if (FolderStore(*db_, folderId) == 0) return 0;
    const qint64 messageId = InsertMessage(*db_, folderId);
    if (messageId == 0) return 0;
    for (const SPropValue& value : MessageValues(message)) {
      if (!WriteMessageProp(*db_, messageId, value)) return 0;
    }
    for (const PhoneRecipient& recipient : message.recipients) {
      const ADRENTRY entry = {{PR_DISPLAY_NAME_W, PropValue{.lpszW = recipient.displayName}},
                              {PR_EMAIL_ADDRESS_W, PropValue{.lpszW = recipient.address}},
                              {PR_RECIPIENT_TYPE, PropValue{.ul = recipient.type}}};
      if (!InsertRecipient(*db_, messageId, entry)) return 0;
    }
    return messageId;
  });
}

std::vector<PhoneMessage> PhoneSetup::Messages(qint64 folderId) {
  std::vector<PhoneMessage> messages;
  std::vector<qint64> ids;
  if (!db_ || !ListRows(*db_, TableKind::kContents, folderId, 0, -1, ids)) return messages;
  for (qint64 id : ids) {
    PhoneMessage message;
    message.id = id;
    std::vector<SPropValue> values;
    if (!LoadMessageProps(*db_, id, kMessageTags, values) ||
        !LoadRecipients(*db_, id, &message.recipients)) {
      return {};
    }
    SetMessageFields(values, &message);
    messages.push_back(message);
  }
  return messages;
}

bool PhoneSetup::FailCall(PhoneCall call, std::optional<qint64> subject, int successesFirst) {
  return db_ && AddFailingCall(*db_, call, subject, successesFirst);
}

bool PhoneSetup::FailCallOnce(PhoneCall call, std::optional<qint64> subject) {
  return db_ && AddFailingCall(*db_, call, subject, 0, true);
}

bool PhoneSetup::ClearFailures() { return db_ && ClearFailingCalls(*db_); }
