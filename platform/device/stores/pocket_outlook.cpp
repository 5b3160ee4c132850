#include "platform/device/stores/pocket_outlook.h"

#include <algorithm>
#include <cstring>

#include "platform/device/stores/contact_rows.h"
#include "platform/device/stores/phone_database.h"
#include "platform/device/stores/phone_faults.h"
#include "platform/device/stores/phone_schema.h"

namespace {

// A picture is held in memory: its streams stay below 2 GiB.
constexpr qint64 kLargestPosition = 0x7FFFFFFF;

}  // namespace

HRESULT CoInitializeEx(DWORD /*coInit*/) {
  std::shared_ptr<PhoneDatabase> db = PhoneDatabase::Open();
  return db && !CallFails(*db, PhoneCall::kCoInitializeEx) ? S_OK : E_FAIL;
}

void CoUninitialize() {}

HRESULT CoCreateInstance(const CLSID& clsid, std::unique_ptr<IPOutlookApp2>& app) {
  if (clsid != CLSID_Application) return REGDB_E_CLASSNOTREG;
  std::shared_ptr<PhoneDatabase> db = PhoneDatabase::Open();
  if (!db || CallFails(*db, PhoneCall::kCoCreateInstance)) return E_FAIL;
  if (db->Setting(kContactStorePresentSetting, 0) == 0) return REGDB_E_CLASSNOTREG;
  app = std::make_unique<IPOutlookApp2>(std::move(db));
  return S_OK;
}

HRESULT IPOutlookApp2::Logon(LONG /*hwnd*/) {
  if (CallFails(*db_, PhoneCall::kLogon)) return E_FAIL;
  loggedOn_ = true;
  return S_OK;
}

HRESULT IPOutlookApp2::Logoff() {
  loggedOn_ = false;
  return S_OK;
}

HRESULT IPOutlookApp2::GetDefaultFolder(int folderKind, std::unique_ptr<IFolder>& folder) {
  if (!loggedOn_ || CallFails(*db_, PhoneCall::kGetDefaultFolder)) return E_FAIL;
  if (folderKind != olFolderContacts) return E_INVALIDARG;
  folder = std::make_unique<IFolder>(db_);
  return S_OK;
}

HRESULT IPOutlookApp2::GetItemFromOidEx(CEOID oid, std::unique_ptr<IItem>& item) {
  if (!loggedOn_ || CallFails(*db_, PhoneCall::kGetItemFromOidEx, oid)) return E_FAIL;
  if (!ContactExists(*db_, oid)) return E_NOT_FOUND;
  item = std::make_unique<IItem>(db_, oid);
  return S_OK;
}

HRESULT IPOutlookApp2::CreateItem(int itemKind, std::unique_ptr<IItem>& item) {
  if (!loggedOn_ || CallFails(*db_, PhoneCall::kCreateItem)) return E_FAIL;
  if (itemKind != olContactItem) return E_INVALIDARG;
  item = std::make_unique<IItem>(db_, 0);
  return S_OK;
}

HRESULT IFolder::get_Items(std::unique_ptr<IPOutlookItemCollection>& items) {
  if (CallFails(*db_, PhoneCall::kGetItems)) return E_FAIL;
  items = std::make_unique<IPOutlookItemCollection>(db_);
  return S_OK;
}

IPOutlookItemCollection::IPOutlookItemCollection(std::shared_ptr<PhoneDatabase> db)
    : db_(std::move(db)), positions_(std::make_unique<ContactPositions>()) {}

IPOutlookItemCollection::~IPOutlookItemCollection() = default;

HRESULT IPOutlookItemCollection::get_Count(int* count) {
  if (CallFails(*db_, PhoneCall::kGetCount)) return E_FAIL;
  std::optional<int> stored = CountContacts(*db_);
  if (!stored) return E_FAIL;
  *count = *stored;
  return S_OK;
}

HRESULT IPOutlookItemCollection::Item(int index, std::unique_ptr<IContact>& contact) {
  if (CallFails(*db_, PhoneCall::kItem, index)) return E_FAIL;
  const CEOID oid = positions_->At(*db_, index);
  if (oid == 0) return E_INVALIDARG;
  contact = std::make_unique<IContact>(db_, oid);
  return S_OK;
}

HRESULT IContact::get_Oid(CEOID* oid) {
  if (CallFails(*db_, PhoneCall::kGetOid, oid_)) return E_FAIL;
  *oid = oid_;
  return S_OK;
}

IItem::IItem(std::shared_ptr<PhoneDatabase> db, CEOID oid) : db_(std::move(db)), oid_(oid) {}

HRESULT IItem::GetProps(const std::vector<CEPROPID>& ids, std::vector<CEPROPVAL>& values) {
  if (CallFails(*db_, PhoneCall::kItemGetProps, oid_)) return E_FAIL;
  ContactProps props;
  if (oid_ != 0 && !LoadContactProps(*db_, oid_, props)) return E_FAIL;
  for (const auto& [id, value] : changes_) props[id] = value;
  values.clear();
  for (CEPROPID id : ids) {
    const auto found = props.find(id);
    if (found != props.end()) {
      values.push_back(found->second);
    } else {
      values.push_back(CEPROPVAL{id, CEDB_PROPNOTFOUND, {}});
    }
  }
  return S_OK;
}

HRESULT IItem::SetProps(const std::vector<CEPROPVAL>& values) {
  if (CallFails(*db_, PhoneCall::kItemSetProps, oid_)) return E_FAIL;
  const bool allStored = std::all_of(values.begin(), values.end(), [](const CEPROPVAL& value) {
    return IsStoredPropertyType(value.propid);
  });
  if (!allStored) return E_INVALIDARG;
  for (const CEPROPVAL& value : values)
    changes_[value.propid] = CEPROPVAL{value.propid, 0, value.val};
  return S_OK;
}

HRESULT IItem::Save() {
  if (CallFails(*db_, PhoneCall::kItemSave, oid_)) return E_FAIL;
  PhoneTransaction transaction(*db_);
  if (!transaction.IsActive()) return BeginFailure(transaction);
  const std::optional<QByteArray> picture =
      newPicture_ ? std::optional<QByteArray>(*newPicture_) : std::nullopt;
  const CEOID saved = SaveContact(*db_, oid_, changes_, picture);
  if (saved == 0 || !transaction.Commit()) return E_FAIL;
  oid_ = saved;
  changes_.clear();
  newPicture_.reset();
  return S_OK;
}

HRESULT IItem::Delete() {
  if (oid_ == 0 || CallFails(*db_, PhoneCall::kItemDelete, oid_)) return E_FAIL;
  PhoneTransaction transaction(*db_);
  if (!transaction.IsActive()) return BeginFailure(transaction);
  return DeleteContact(*db_, oid_) && transaction.Commit() ? S_OK : E_FAIL;
}

HRESULT IItem::OpenProperty(CEPROPID id, DWORD access, std::unique_ptr<IStream>& stream) {
  if (CallFails(*db_, PhoneCall::kItemOpenProperty, oid_)) return E_FAIL;
  if (id != PIMPR_PICTURE) return E_INVALIDARG;
  if ((access & GENERIC_WRITE) != 0) {
    newPicture_ = std::make_shared<QByteArray>();
    stream = std::make_unique<IStream>(db_, oid_, newPicture_, true);
    return S_OK;
  }
  std::optional<QByteArray> picture;
  if (newPicture_) {
    picture = *newPicture_;
  } else if (oid_ != 0) {
    picture = LoadContactPicture(*db_, oid_);
  }
  if (!picture || picture->isEmpty()) return E_NOT_FOUND;
  stream = std::make_unique<IStream>(db_, oid_, std::make_shared<QByteArray>(*picture), false);
  return S_OK;
}

IStream::IStream(std::shared_ptr<PhoneDatabase> db, CEOID oid, std::shared_ptr<QByteArray> bytes,
                 bool writable)
    : db_(std::move(db)), oid_(oid), bytes_(std::move(bytes)), writable_(writable) {}

HRESULT IStream::Seek(qint64 move, DWORD origin, quint64* newPosition) {
  if (CallFails(*db_, PhoneCall::kStreamSeek, oid_)) return E_FAIL;
  qint64 base;
  switch (origin) {
    case STREAM_SEEK_SET:
      base = 0;
      break;
    case STREAM_SEEK_CUR:
      base = static_cast<qint64>(position_);
      break;
    case STREAM_SEEK_END:
      base = bytes_->size();
      break;
    default:
      return STG_E_INVALIDFUNCTION;
  }
  if (move < -base || move > kLargestPosition - base) return STG_E_INVALIDFUNCTION;
  position_ = static_cast<quint64>(base + move);
  if (newPosition != nullptr) *newPosition = position_;
  return S_OK;
}

HRESULT IStream::Read(void* buffer, ULONG count, ULONG* read) {
  if (CallFails(*db_, PhoneCall::kStreamRead, oid_)) return E_FAIL;
  const quint64 size = static_cast<quint64>(bytes_->size());
  const quint64 available = position_ < size ? size - position_ : 0;
  const auto copied = static_cast<ULONG>(std::min<quint64>(count, available));
  if (copied > 0) std::memcpy(buffer, bytes_->constData() + position_, copied);
  position_ += copied;
  if (read != nullptr) *read = copied;
  return S_OK;
}

HRESULT IStream::Write(const void* data, ULONG count, ULONG* written) {
  if (!writable_) return STG_E_ACCESSDENIED;
  if (CallFails(*db_, PhoneCall::kStreamWrite, oid_)) return E_FAIL;
  const quint64 end = position_ + count;
  if (end > static_cast<quint64>(kLargestPosition)) return E_FAIL;
  if (end > static_cast<quint64>(bytes_->size())) bytes_->resize(static_cast<qsizetype>(end), '\0');
  if (count > 0) std::memcpy(bytes_->data() + position_, data, count);
  position_ = end;
  if (written != nullptr) *written = count;
  return S_OK;
}
