#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <memory>

#include "device/sms/mapi_folder.h"
#include "platform/device/stores/messaging_store.h"

// The store's five special folders, in the order every job walks them.
enum class SmsFolder { kDraft, kInbox, kOutbox, kSentedbox, kWastebox };
inline constexpr int kSmsFolderCount = 5;

struct SmsFolderEntry {
  SmsFolder folder;
  const char* name;  // the folder's name in the SMS backup file
  ULONG entryIdTag;  // the store property that holds its entry id
};

inline constexpr std::array<SmsFolderEntry, kSmsFolderCount> kSmsFolders = {{
    {SmsFolder::kDraft, "Draft", PR_CE_IPM_DRAFTS_ENTRYID},
    {SmsFolder::kInbox, "Inbox", PR_CE_IPM_INBOX_ENTRYID},
    {SmsFolder::kOutbox, "Outbox", PR_IPM_OUTBOX_ENTRYID},
    {SmsFolder::kSentedbox, "Sentedbox", PR_IPM_SENTMAIL_ENTRYID},
    {SmsFolder::kWastebox, "Wastebox", PR_IPM_WASTEBASKET_ENTRYID},
}};

// A logon to the phone's messaging with one message store open, found by its display name (any
// letter case). It owns the special folders it hands out; everything made below them belongs to
// them. Made on the UI thread, used by one worker, closed on the UI thread.
class CMapiSession {
 public:
  explicit CMapiSession(const QString& storeName);
  ~CMapiSession();
  CMapiSession(const CMapiSession&) = delete;
  CMapiSession& operator=(const CMapiSession&) = delete;

  // True when the store was found and opened.
  bool IsOpened() const { return m_bOpened; }

  // The special folder, opened on first use and kept; null when the store does not give it (the
  // next call tries again).
  CMapiFolder* SpecialFolder(SmsFolder folder);

  // The folder of an entry id of this store; null when it cannot be opened.
  std::unique_ptr<IMAPIFolder> OpenEntry(const QByteArray& entryId);

  // Releases the folders and the store and logs off; the session stays closed.
  void Close();

 private:
  bool Open(const QString& storeName);

  std::unique_ptr<IMAPISession> m_pSession;
  std::unique_ptr<IMsgStore> m_pStore;
  std::array<std::unique_ptr<CMapiFolder>, kSmsFolderCount> m_specialFolders;
  bool m_bOpened = false;
};
