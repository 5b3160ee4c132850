#include "device/sms/mapi_session.h"

CMapiSession::CMapiSession(const QString& storeName) { m_bOpened = Open(storeName); }

CMapiSession::~CMapiSession() { Close(); }

bool CMapiSession::Open(const QString& storeName) {
  if (m_pSession || FAILED(MAPILogonEx(m_pSession))) return false;
  std::unique_ptr<IMAPITable> stores;
  if (FAILED(m_pSession->GetMsgStoresTable(stores)) ||
      FAILED(stores->SetColumns({PR_ENTRYID, PR_DISPLAY_NAME_W}))) {
    return false;
  }
  SRowSet rows;
  while (SUCCEEDED(stores->QueryRows(1, rows)) && !rows.empty()) {
    const SRow& row = rows.front();
    if (row.size() != 2 || row[0].ulPropTag != PR_ENTRYID ||
        row[1].ulPropTag != PR_DISPLAY_NAME_W ||
        row[1].Value.lpszW.compare(storeName, Qt::CaseInsensitive) != 0) {
      continue;
    }
    return SUCCEEDED(m_pSession->OpenMsgStore(row[0].Value.bin, m_pStore));
  }
  return false;
}

CMapiFolder* CMapiSession::SpecialFolder(SmsFolder folder) {
  const SmsFolderEntry& entry = kSmsFolders[static_cast<int>(folder)];
  std::unique_ptr<CMapiFolder>& cached = m_specialFolders[static_cast<int>(folder)];
  if (cached || !m_pStore) return cached.get();
  std::vector<SPropValue> values;
  if (m_pStore->GetProps({entry.entryIdTag}, values) != S_OK || values.size() != 1) return nullptr;
  const QByteArray entryId = values.front().Value.bin;
  std::unique_ptr<IMAPIFolder> opened = OpenEntry(entryId);
  if (!opened) return nullptr;
  cached = std::make_unique<CMapiFolder>(*this, std::move(opened), QString::fromLatin1(entry.name),
                                         entryId);
  return cached.get();
}

std::unique_ptr<IMAPIFolder> CMapiSession::OpenEntry(const QByteArray& entryId) {
  std::unique_ptr<IMAPIFolder> folder;
  if (!m_pStore || FAILED(m_pStore->OpenEntry(entryId, folder))) return {};
  return folder;
}

void CMapiSession::Close() {
  for (std::unique_ptr<CMapiFolder>& folder : m_specialFolders) folder.reset();
  m_pStore.reset();
  if (m_pSession) m_pSession->Logoff();
  m_pSession.reset();
  m_bOpened = false;
}
