#include "platform/device/stores/messaging_store.h"

#include <algorithm>

#include "platform/device/stores/phone_database.h"
#include "platform/device/stores/phone_faults.h"

namespace {

// S_OK when every value was found, else the warning that some are missing.
HRESULT PropsResult(const std::vector<SPropValue>& values) {
  const bool anyMissing = std::any_of(values.begin(), values.end(), [](const SPropValue& value) {
    return PROP_TYPE(value.ulPropTag) == PT_ERROR;
  });
  return anyMissing ? MAPI_W_ERRORS_RETURNED : S_OK;
}

bool IsStorableValue(const SPropValue& value) {
  const ULONG type = PROP_TYPE(value.ulPropTag);
  return type == PT_LONG || type == PT_SYSTIME || type == PT_UNICODE || type == PT_BINARY;
}

HRESULT CheckValues(const std::vector<SPropValue>& values) {
  for (const SPropValue& value : values) {
    if (value.ulPropTag == PR_ENTRYID) return MAPI_E_COMPUTED;
    if (!IsStorableValue(value)) return MAPI_E_INVALID_PARAMETER;
  }
  return S_OK;
}

}  // namespace

HRESULT MAPILogonEx(std::unique_ptr<IMAPISession>& session) {
  std::shared_ptr<PhoneDatabase> db = PhoneDatabase::Open();
  if (!db || CallFails(*db, PhoneCall::kMAPILogonEx)) return MAPI_E_LOGON_FAILED;
  session = std::make_unique<IMAPISession>(std::move(db));
  return S_OK;
}

HRESULT IMAPISession::GetMsgStoresTable(std::unique_ptr<IMAPITable>& table) {
  if (!loggedOn_ || CallFails(*db_, PhoneCall::kGetMsgStoresTable)) return MAPI_E_CALL_FAILED;
  table = std::make_unique<IMAPITable>(db_, TableKind::kStores, 0);
  return S_OK;
}

HRESULT IMAPISession::OpenMsgStore(const QByteArray& entryId, std::unique_ptr<IMsgStore>& store) {
  const qint64 storeId = EntryIdRow(EntryKind::kStore, entryId);
  if (!loggedOn_ || CallFails(*db_, PhoneCall::kOpenMsgStore, storeId)) return MAPI_E_CALL_FAILED;
  if (storeId == 0) return MAPI_E_INVALID_ENTRYID;
  std::vector<SPropValue> values;
  if (!LoadStoreProps(*db_, storeId, {}, values)) return MAPI_E_NOT_FOUND;
  store = std::make_unique<IMsgStore>(db_, storeId);
  return S_OK;
}

HRESULT IMAPISession::Logoff() {
  loggedOn_ = false;
  return S_OK;
}

IMsgStore::IMsgStore(std::shared_ptr<PhoneDatabase> db, qint64 storeId)
    : db_(std::move(db)), storeId_(storeId) {}

HRESULT IMsgStore::GetProps(const SPropTagArray& tags, std::vector<SPropValue>& values) {
  if (CallFails(*db_, PhoneCall::kMsgStoreGetProps, storeId_) ||
      !LoadStoreProps(*db_, storeId_, tags, values)) {
    values.clear();
    return MAPI_E_CALL_FAILED;
  }
  return PropsResult(values);
}

HRESULT IMsgStore::OpenEntry(const QByteArray& entryId, std::unique_ptr<IMAPIFolder>& folder) {
  const qint64 folderId = EntryIdRow(EntryKind::kFolder, entryId);
  if (CallFails(*db_, PhoneCall::kMsgStoreOpenEntry, folderId)) return MAPI_E_CALL_FAILED;
  if (folderId == 0) return MAPI_E_INVALID_ENTRYID;
  if (FolderStore(*db_, folderId) != storeId_) return MAPI_E_NOT_FOUND;
  folder = std::make_unique<IMAPIFolder>(db_, storeId_, folderId);
  return S_OK;
}

IMAPIFolder::IMAPIFolder(std::shared_ptr<PhoneDatabase> db, qint64 storeId, qint64 folderId)
    : db_(std::move(db)), storeId_(storeId), folderId_(folderId) {}

HRESULT IMAPIFolder::GetProps(const SPropTagArray& tags, std::vector<SPropValue>& values) {
  if (CallFails(*db_, PhoneCall::kFolderGetProps, folderId_) ||
      !LoadFolderProps(*db_, folderId_, tags, values)) {
    values.clear();
    return MAPI_E_CALL_FAILED;
  }
  return PropsResult(values);
}

HRESULT IMAPIFolder::GetHierarchyTable(std::unique_ptr<IMAPITable>& table) {
  if (CallFails(*db_, PhoneCall::kGetHierarchyTable, folderId_)) return MAPI_E_CALL_FAILED;
  table = std::make_unique<IMAPITable>(db_, TableKind::kHierarchy, folderId_);
  return S_OK;
}

HRESULT IMAPIFolder::GetContentsTable(std::unique_ptr<IMAPITable>& table) {
  if (CallFails(*db_, PhoneCall::kGetContentsTable, folderId_)) return MAPI_E_CALL_FAILED;
  table = std::make_unique<IMAPITable>(db_, TableKind::kContents, folderId_);
  return S_OK;
}

HRESULT IMAPIFolder::CreateFolder(const QString& name, ULONG flags,
                                  std::unique_ptr<IMAPIFolder>& folder) {
  if (CallFails(*db_, PhoneCall::kCreateFolder, folderId_)) return MAPI_E_CALL_FAILED;
  if (name.isEmpty()) return MAPI_E_INVALID_PARAMETER;
  PhoneTransaction transaction(*db_);
  if (!transaction.IsActive()) return BeginFailure(transaction);
  if (FolderStore(*db_, folderId_) != storeId_) return MAPI_E_NOT_FOUND;
  std::optional<qint64> subfolderId = FindSubfolder(*db_, folderId_, name);
  if (!subfolderId) return MAPI_E_CALL_FAILED;
  if (*subfolderId != 0 && (flags & OPEN_IF_EXISTS) == 0) return MAPI_E_COLLISION;
  if (*subfolderId == 0) subfolderId = InsertFolder(*db_, storeId_, folderId_, name, 0);
  if (*subfolderId == 0 || !transaction.Commit()) return MAPI_E_CALL_FAILED;
  folder = std::make_unique<IMAPIFolder>(db_, storeId_, *subfolderId);
  return S_OK;
}

HRESULT IMAPIFolder::CreateMessage(std::unique_ptr<IMessage>& message) {
  if (CallFails(*db_, PhoneCall::kCreateMessage, folderId_)) return MAPI_E_CALL_FAILED;
  message = std::make_unique<IMessage>(db_, folderId_, 0);
  return S_OK;
}

HRESULT IMAPIFolder::OpenEntry(const QByteArray& entryId, std::unique_ptr<IMessage>& message) {
  const qint64 messageId = EntryIdRow(EntryKind::kMessage, entryId);
  if (CallFails(*db_, PhoneCall::kFolderOpenEntry, messageId)) return MAPI_E_CALL_FAILED;
  if (messageId == 0) return MAPI_E_INVALID_ENTRYID;
  if (MessageStore(*db_, messageId) != storeId_) return MAPI_E_NOT_FOUND;
  message = std::make_unique<IMessage>(db_, folderId_, messageId);
  return S_OK;
}

IMessage::IMessage(std::shared_ptr<PhoneDatabase> db, qint64 folderId, qint64 messageId)
    : db_(std::move(db)), folderId_(folderId), messageId_(messageId) {}

HRESULT IMessage::GetProps(const SPropTagArray& tags, std::vector<SPropValue>& values) {
  values.clear();
  if (CallFails(*db_, PhoneCall::kMessageGetProps, messageId_)) return MAPI_E_CALL_FAILED;
  if (messageId_ == 0) {
    for (ULONG tag : tags) values.push_back(MissingProp(tag));
  } else if (!LoadMessageProps(*db_, messageId_, tags, values)) {
    values.clear();
    return MAPI_E_CALL_FAILED;
  }
  return PropsResult(values);
}

HRESULT IMessage::SetProps(const std::vector<SPropValue>& values) {
  if (CallFails(*db_, PhoneCall::kMessageSetProps, messageId_)) return MAPI_E_CALL_FAILED;
  if (HRESULT hr = CheckValues(values); FAILED(hr)) return hr;
  for (const SPropValue& value : values) unsavedValues_[value.ulPropTag] = value;
  return S_OK;
}

HRESULT IMessage::GetRecipientTable(std::unique_ptr<IMAPITable>& table) {
  if (CallFails(*db_, PhoneCall::kGetRecipientTable, messageId_)) return MAPI_E_CALL_FAILED;
  if (messageId_ == 0) return MAPI_E_NO_RECIPIENTS;
  std::optional<qint64> count = CountRows(*db_, TableKind::kRecipients, messageId_);
  if (!count) return MAPI_E_CALL_FAILED;
  if (*count == 0) return MAPI_E_NO_RECIPIENTS;
  table = std::make_unique<IMAPITable>(db_, TableKind::kRecipients, messageId_);
  return S_OK;
}

HRESULT IMessage::ModifyRecipients(ULONG flags, const ADRLIST& recipients) {
  if (CallFails(*db_, PhoneCall::kModifyRecipients, messageId_)) return MAPI_E_CALL_FAILED;
  if (flags != MODRECIP_ADD) return MAPI_E_NO_SUPPORT;
  unsavedRecipients_.insert(unsavedRecipients_.end(), recipients.begin(), recipients.end());
  return S_OK;
}

HRESULT IMessage::SaveChanges() {
  if (CallFails(*db_, PhoneCall::kSaveChanges, messageId_)) return MAPI_E_CALL_FAILED;
  PhoneTransaction transaction(*db_);
  if (!transaction.IsActive()) return BeginFailure(transaction);
  const qint64 messageId = StoredMessageId();
  if (messageId == 0) return MAPI_E_NOT_FOUND;
  for (const auto& [tag, value] : unsavedValues_) {
    if (!WriteMessageProp(*db_, messageId, value)) return MAPI_E_CALL_FAILED;
  }
  for (const ADRENTRY& entry : unsavedRecipients_) {
    if (!InsertRecipient(*db_, messageId, entry)) return MAPI_E_CALL_FAILED;
  }
  if (!transaction.Commit()) return MAPI_E_CALL_FAILED;
  messageId_ = messageId;
  unsavedValues_.clear();
  unsavedRecipients_.clear();
  return S_OK;
}

qint64 IMessage::StoredMessageId() {
  if (messageId_ != 0) return MessageStore(*db_, messageId_) != 0 ? messageId_ : 0;
  return FolderStore(*db_, folderId_) != 0 ? InsertMessage(*db_, folderId_) : 0;
}
