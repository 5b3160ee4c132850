#include "device/sms/mapi_folder.h"

#include <QStringList>

#include "device/sms/mapi_session.h"

namespace {

constexpr LONG kKnownMessagesBatch = 100;

// What tells messages without delivery time apart: their text, sender and recipients, each part
// led by its length so that different messages never give the same key. Nothing when the
// recipients cannot be read.
std::optional<QString> UntimedContent(CSmsMessage& message) {
  const std::vector<CSmsRecipient>* recipients = message.Recipients();
  if (recipients == nullptr) return std::nullopt;
  QStringList parts = {message.Text(), message.SenderName(), message.SenderAddress()};
  for (const CSmsRecipient& recipient : *recipients) {
    parts << recipient.m_strDisplayName << recipient.m_strAddress
          << QString::number(recipient.m_ulType);
  }
  QString content;
  for (const QString& part : parts) content += QString::number(part.size()) + u':' + part;
  return content;
}

}  // namespace

CMapiFolder::CMapiFolder(CMapiSession& session, std::unique_ptr<IMAPIFolder> folder, QString name,
                         QByteArray entryId, CMapiFolder* parent)
    : m_session(session),
      folder_(std::move(folder)),
      m_pParent(parent),
      m_strName(std::move(name)),
      m_entryId(std::move(entryId)) {
  if (!m_entryId.isEmpty()) return;
  std::vector<SPropValue> values;
  if (SUCCEEDED(folder_->GetProps({PR_ENTRYID}, values)) && values.size() == 1 &&
      values.front().ulPropTag == PR_ENTRYID) {
    m_entryId = values.front().Value.bin;
  }
}

CMapiFolder::~CMapiFolder() = default;

std::unique_ptr<IMAPITable> CMapiFolder::OpenContentsTable(const SPropTagArray& columns) {
  std::unique_ptr<IMAPITable> table;
  if (FAILED(folder_->GetContentsTable(table)) || FAILED(table->SetColumns(columns))) return {};
  return table;
}

CMapiContentsTable* CMapiFolder::ContentsTable(int batchSize) {
  if (!m_contentsTable) {
    std::unique_ptr<IMAPITable> table = OpenContentsTable({PR_ENTRYID});
    if (!table) return nullptr;
    m_contentsTable = std::make_unique<CMapiContentsTable>(std::move(table), *this, batchSize);
  }
  return m_contentsTable.get();
}

const std::vector<std::unique_ptr<CMapiFolder>>* CMapiFolder::Subfolders() {
  if (m_subfolders) return m_subfolders.get();
  std::unique_ptr<IMAPITable> table;
  if (FAILED(folder_->GetHierarchyTable(table)) ||
      FAILED(table->SetColumns({PR_ENTRYID, PR_DISPLAY_NAME_W}))) {
    return nullptr;
  }
  auto subfolders = std::make_unique<std::vector<std::unique_ptr<CMapiFolder>>>();
  SRowSet rows;
  while (true) {
    // A subfolder that cannot be listed or opened would be left out of a backup unnoticed, so
    // the list is made whole or not at all.
    if (FAILED(table->QueryRows(1, rows))) return nullptr;
    if (rows.empty()) break;
    const SRow& row = rows.front();
    if (row.size() != 2 || row[0].ulPropTag != PR_ENTRYID) return nullptr;
    std::unique_ptr<IMAPIFolder> opened = m_session.OpenEntry(row[0].Value.bin);
    if (!opened) return nullptr;
    const QString name = row[1].ulPropTag == PR_DISPLAY_NAME_W ? row[1].Value.lpszW : QString();
    subfolders->push_back(
        std::make_unique<CMapiFolder>(m_session, std::move(opened), name, row[0].Value.bin, this));
  }
  m_subfolders = std::move(subfolders);
  return m_subfolders.get();
}

CMapiFolder* CMapiFolder::OpenOrCreateSubfolder(const QString& name) {
  QString folderName = name.trimmed();
  if (folderName.isEmpty()) folderName = QStringLiteral("NewFolder");
  std::unique_ptr<CMapiFolder>& opened = m_openedSubfolders[folderName];
  if (opened) return opened.get();
  std::unique_ptr<IMAPIFolder> folder;
  if (FAILED(folder_->CreateFolder(folderName, MAPI_UNICODE | OPEN_IF_EXISTS, folder))) {
    m_openedSubfolders.erase(folderName);
    return nullptr;
  }
  opened = std::make_unique<CMapiFolder>(m_session, std::move(folder), folderName);
  return opened.get();
}

std::unique_ptr<CSmsMessage> CMapiFolder::CreateMessage() {
  std::unique_ptr<IMessage> message;
  if (FAILED(folder_->CreateMessage(message))) return {};
  return std::make_unique<CSmsMessage>(std::move(message), *this);
}

bool CMapiFolder::IsDuplicateMessage(FILETIME deliveryTime) {
  const quint64 value = FileTimeValue(deliveryTime);
  KnownMessages* known = value != 0 ? Known() : nullptr;
  return known != nullptr && known->deliveryTimes.contains(value);
}

bool CMapiFolder::HoldsSameUntimedMessage(CSmsMessage& message) {
  KnownMessages* known = Known();
  const std::optional<QString> content = known != nullptr ? UntimedContent(message) : std::nullopt;
  return content && known->untimedContents.contains(*content);
}

void CMapiFolder::NoteSavedMessage(CSmsMessage& message) {
  if (!m_known) return;
  if (const quint64 time = FileTimeValue(message.DeliveryTime()); time != 0) {
    m_known->deliveryTimes.insert(time);
  } else if (std::optional<QString> content = UntimedContent(message)) {
    m_known->untimedContents.insert(*content);
  }
}

CMapiFolder::KnownMessages* CMapiFolder::Known() {
  if (!m_known) m_known = ReadKnownMessages();
  return m_known ? &*m_known : nullptr;
}

std::optional<CMapiFolder::KnownMessages> CMapiFolder::ReadKnownMessages() {
  std::unique_ptr<IMAPITable> table = OpenContentsTable({PR_MESSAGE_DELIVERY_TIME, PR_ENTRYID});
  if (!table) return std::nullopt;
  KnownMessages known;
  SRowSet rows;
  do {
    if (FAILED(table->QueryRows(kKnownMessagesBatch, rows))) return std::nullopt;
    for (const SRow& row : rows) {
      const quint64 time = row.size() == 2 && row[0].ulPropTag == PR_MESSAGE_DELIVERY_TIME
                               ? FileTimeValue(row[0].Value.ft)
                               : 0;
      if (time != 0) {
        known.deliveryTimes.insert(time);
        continue;
      }
      // Messages without delivery time are few (drafts): each is opened for its contents.
      std::unique_ptr<IMessage> opened;
      if (row.size() != 2 || row[1].ulPropTag != PR_ENTRYID ||
          FAILED(folder_->OpenEntry(row[1].Value.bin, opened))) {
        return std::nullopt;
      }
      CSmsMessage message(std::move(opened), *this);
      std::optional<QString> content =
          message.Load() ? UntimedContent(message) : std::optional<QString>();
      if (!content) return std::nullopt;
      known.untimedContents.insert(*content);
    }
  } while (!rows.empty());
  return known;
}
