#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "device/sms/mapi_contents_table.h"
#include "device/sms/sms_message.h"
#include "platform/device/stores/messaging_store.h"

class CMapiSession;

// A folder of the store "SMS": one of the store's special folders (named after the special
// folder: "Draft", "Inbox", ...), a subfolder found below another folder, or one opened or made
// by name. It owns its contents table, its subfolders and the messages of the current batch.
class CMapiFolder {
 public:
  // `entryId` empty: the folder's own PR_ENTRYID is read. `parent` is set for subfolders found
  // by Subfolders() only.
  CMapiFolder(CMapiSession& session, std::unique_ptr<IMAPIFolder> folder, QString name,
              QByteArray entryId = {}, CMapiFolder* parent = nullptr);
  ~CMapiFolder();
  CMapiFolder(const CMapiFolder&) = delete;
  CMapiFolder& operator=(const CMapiFolder&) = delete;

  const QString& Name() const { return m_strName; }
  const QByteArray& EntryId() const { return m_entryId; }
  CMapiFolder* Parent() const { return m_pParent; }
  IMAPIFolder& Interface() const { return *folder_; }

  // The table of the folder's messages, made on first use; null when the store refuses it.
  CMapiContentsTable* ContentsTable(int batchSize = CMapiContentsTable::kDefaultBatchSize);

  // The direct subfolders in the order of the folder's hierarchy table, found on first use;
  // null when the table cannot be read to its end (asked again at the next call).
  const std::vector<std::unique_ptr<CMapiFolder>>* Subfolders();

  // The subfolder of this name (white space trimmed from both ends; an empty name becomes
  // "NewFolder"), made when it does not exist; null when the store refuses, with its failure in
  // `refused` when given. The folder keeps it for the next call with that name, so a restore
  // opens each folder once and its duplicate test reads each folder's messages once.
  CMapiFolder* OpenOrCreateSubfolder(const QString& name, HRESULT* refused = nullptr);

  // Calls `visit` on this folder and on every folder below it, depth first in the order of each
  // folder's hierarchy table, from a list of the folders still to visit rather than by nested
  // calls: a tree may be as deep as it has folders. False as soon as a visit returns false or a
  // folder's subfolders cannot be listed.
  bool VisitFolderTree(const std::function<bool(CMapiFolder&)>& visit);

  // A new, empty message in this folder, stored by its first save; null when the store refuses.
  std::unique_ptr<CSmsMessage> CreateMessage();

  // Whether `message`, filled and not yet saved, repeats a message that the folder held when it
  // was first asked (before a restore stored anything in it): the same delivery time (or none),
  // text, sender and recipients. Each held message answers for one message asked about at most:
  // two identical held messages make two identical messages duplicates, not a third. The folder's
  // messages are read once, at the first call; when they cannot be read whole, no message is a
  // duplicate.
  bool IsDuplicateMessage(CSmsMessage& message);

 private:
  // How many messages of each content (time, text, sender, recipients) the folder held when it
  // was first asked, less those that duplicates have used up; empty when they cannot be read.
  using HeldMessages = QHash<QString, int>;
  HeldMessages ReadHeldMessages();

  std::unique_ptr<IMAPITable> OpenContentsTable();
  // The subfolders this folder owns, taken from it.
  std::vector<std::unique_ptr<CMapiFolder>> TakeSubfolders();

  CMapiSession& m_session;
  std::unique_ptr<IMAPIFolder> folder_;
  CMapiFolder* m_pParent;
  QString m_strName;
  QByteArray m_entryId;
  std::unique_ptr<CMapiContentsTable> m_contentsTable;
  std::unique_ptr<std::vector<std::unique_ptr<CMapiFolder>>> m_subfolders;
  std::map<QString, std::unique_ptr<CMapiFolder>> m_openedSubfolders;
  std::optional<HeldMessages> m_held;
};
