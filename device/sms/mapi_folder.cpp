#include "device/sms/mapi_folder.h"

#include <QStringList>

#include "device/sms/mapi_session.h"

namespace {

constexpr int kHeldMessagesBatch = 100;

// What tells messages apart for a restore: their delivery time, text, sender and recipients, each
// part led by its length so that different messages never give the same key. Nothing when the
// recipients cannot be read.
std::optional<QString> MessageContent(CSmsMessage& message) {
  const std::vector<CSmsRecipient>* recipients = message.Recipients();
  if (recipients == nullptr) return std::nullopt;
  QStringList parts = {QString::number(FileTimeValue(message.DeliveryTime())), message.Text(),
                       message.SenderName(), message.SenderAddress()};
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

// The folders below are released one at a time from a list, each after its own subfolders were
// taken from it: released by their parents' destructors, a tree as deep as it has folders would
// nest as many calls and overflow the stack.
CMapiFolder::~CMapiFolder() {
  std::vector<std::unique_ptr<CMapiFolder>> below = TakeSubfolders();
  while (!below.empty()) {
    std::unique_ptr<CMapiFolder> folder = std::move(below.back());
    below.pop_back();
    for (std::unique_ptr<CMapiFolder>& subfolder : folder->TakeSubfolders()) {
      below.push_back(std::move(subfolder));
    }
  }
}

std::vector<std::unique_ptr<CMapiFolder>> CMapiFolder::TakeSubfolders() {
  std::vector<std::unique_ptr<CMapiFolder>> taken;
  if (m_subfolders) taken = std::move(*m_subfolders);
  m_subfolders.reset();
  for (auto& [name, folder] : m_openedSubfolders) taken.push_back(std::move(folder));
  m_openedSubfolders.clear();
  return taken;
}

std::unique_ptr<IMAPITable> CMapiFolder::OpenContentsTable() {
  std::unique_ptr<IMAPITable> table;
  if (FAILED(folder_->GetContentsTable(table)) || FAILED(table->SetColumns({PR_ENTRYID})))
    return {};
  return table;
}

CMapiContentsTable* CMapiFolder::ContentsTable(int batchSize) {
  if (!m_contentsTable) {
    std::unique_ptr<IMAPITable> table = OpenContentsTable();
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

CMapiFolder* CMapiFolder::OpenOrCreateSubfolder(const QString& name, HRESULT* refused) {
  QString folderName = name.trimmed();
  if (folderName.isEmpty()) folderName = QStringLiteral("NewFolder");
  std::unique_ptr<CMapiFolder>& opened = m_openedSubfolders[folderName];
  if (opened) return opened.get();
  std::unique_ptr<IMAPIFolder> folder;
  const HRESULT hr = folder_->CreateFolder(folderName, MAPI_UNICODE | OPEN_IF_EXISTS, folder);
  if (FAILED(hr)) {
    if (refused != nullptr) *refused = hr;
    m_openedSubfolders.erase(folderName);
    return nullptr;
  }
  opened = std::make_unique<CMapiFolder>(m_session, std::move(folder), folderName);
  return opened.get();
}

bool CMapiFolder::VisitFolderTree(const std::function<bool(CMapiFolder&)>& visit) {
  std::vector<CMapiFolder*> pending = {this};
  while (!pending.empty()) {
    CMapiFolder& folder = *pending.back();
    pending.pop_back();
    if (!visit(folder)) return false;
    const std::vector<std::unique_ptr<CMapiFolder>>* subfolders = folder.Subfolders();
    if (subfolders == nullptr) return false;
    for (auto subfolder = subfolders->rbegin(); subfolder != subfolders->rend(); ++subfolder) {
      pending.push_back(subfolder->get());
    }
  }
  return true;
}

std::unique_ptr<CSmsMessage> CMapiFolder::CreateMessage() {
  std::unique_ptr<IMessage> message;
  if (FAILED(folder_->CreateMessage(message))) return {};
  return std::make_unique<CSmsMessage>(std::move(message), *this);
}

bool CMapiFolder::IsDuplicateMessage(CSmsMessage& message) {
  if (!m_held) m_held = ReadHeldMessages();
  const std::optional<QString> content = MessageContent(message);
  const auto held = content ? m_held->find(*content) : m_held->end();
  if (held == m_held->end()) return false;
  if (--held.value() == 0) m_held->erase(held);
  return true;
}

CMapiFolder::HeldMessages CMapiFolder::ReadHeldMessages() {
  std::unique_ptr<IMAPITable> rows = OpenContentsTable();
  if (!rows) return {};
  CMapiContentsTable table(std::move(rows), *this, kHeldMessagesBatch);
  HeldMessages held;
  while (CSmsMessage* message = table.NextMessage()) {
    std::optional<QString> content = MessageContent(*message);
    if (!content) return {};
    ++held[*content];
  }
  if (table.Failed()) return {};
  return held;
}
