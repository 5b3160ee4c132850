#include "platform/device/tool/phone_summary.h"

#include <QDir>
#include <QDirIterator>

#include <algorithm>

#include "platform/device/stores/contact_rows.h"
#include "platform/device/stores/message_rows.h"
#include "platform/device/stores/phone_database.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/device/stores/phone_schema.h"
#include "platform/device/stores/sim_rows.h"

namespace {

// Subfolders are indented two blanks a level down to this level, and no further: a tree as deep
// as it has folders would otherwise fill the listing with blanks, quadratic in its depth.
constexpr int kIndentedLevels = 30;

QString DisplayName(const std::vector<SPropValue>& values) {
  return PROP_TYPE(values[0].ulPropTag) == PT_UNICODE ? values[0].Value.lpszW : QString();
}

// Adds the folder and every folder below it, depth first in the order of each subfolder list. The
// folders still to add wait on a list, not in nested calls: a tree may be as deep as it has
// folders (a crafted phone.db), and that many calls would overflow the stack.
bool AddFolderTree(PhoneDatabase& db, qint64 topId, PhoneStoreCount& store) {
  std::vector<std::pair<qint64, int>> pending = {{topId, 0}};  // folder id, depth
  while (!pending.empty()) {
    const auto [folderId, depth] = pending.back();
    pending.pop_back();
    std::vector<SPropValue> values;
    std::optional<qint64> messages = CountRows(db, TableKind::kContents, folderId);
    if (!messages || !LoadFolderProps(db, folderId, {PR_DISPLAY_NAME_W}, values)) return false;
    store.folders.push_back({DisplayName(values), depth, *messages});
    std::vector<qint64> subfolders;
    if (!ListRows(db, TableKind::kHierarchy, folderId, 0, -1, subfolders)) return false;
    for (auto id = subfolders.rbegin(); id != subfolders.rend(); ++id) {
      pending.emplace_back(*id, depth + 1);
    }
  }
  return true;
}

bool AddStores(PhoneDatabase& db, std::vector<PhoneStoreCount>& stores) {
  std::vector<qint64> ids;
  if (!ListRows(db, TableKind::kStores, 0, 0, -1, ids)) return false;
  SPropTagArray tags = {PR_DISPLAY_NAME_W};
  for (const SpecialFolderEntry& special : kSpecialFolders) tags.push_back(special.tag);
  for (qint64 id : ids) {
    std::vector<SPropValue> values;
    if (!LoadStoreProps(db, id, tags, values)) return false;
    PhoneStoreCount& store = stores.emplace_back(PhoneStoreCount{DisplayName(values), {}});
    for (size_t i = 1; i < values.size(); ++i) {
      const qint64 folderId = EntryIdRow(EntryKind::kFolder, values[i].Value.bin);
      if (folderId != 0 && !AddFolderTree(db, folderId, store)) return false;
    }
  }
  return true;
}

bool AddSim(PhoneDatabase& db, PhoneSummary& summary) {
  if (db.Setting(kSimPresentSetting, 1) == 0) return true;
  std::optional<SimRange> range = LoadSimRange(db);
  std::optional<DWORD> count = range ? CountSimEntries(db, *range) : std::nullopt;
  if (!count) return false;
  summary.simEntries = *count;
  summary.simLowestIndex = static_cast<int>(range->lowest);
  summary.simHighestIndex = static_cast<int>(range->highest);
  return true;
}

std::vector<PhoneFileSize> PhoneFiles(const QString& root) {
  std::vector<PhoneFileSize> files;
  const QDir rootDir(root);
  QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo file = it.nextFileInfo();
    const QString relative = rootDir.relativeFilePath(file.filePath());
    if (IsPhoneDatabaseFileName(relative.section(QLatin1Char('/'), 0, 0))) continue;
    files.push_back({'\\' + QString(relative).replace('/', '\\'), file.size()});
  }
  std::sort(files.begin(), files.end(),
            [](const auto& a, const auto& b) { return a.phonePath < b.phonePath; });
  return files;
}

QString Plural(qint64 count, const char* one, const char* many) {
  return QString::number(count) + ' ' + QLatin1String(count == 1 ? one : many);
}

}  // namespace

bool PhoneSummary::IsEmpty() const {
  bool noMessages = std::all_of(stores.begin(), stores.end(), [](const PhoneStoreCount& store) {
    return std::all_of(store.folders.begin(), store.folders.end(),
                       [](const PhoneFolderCount& folder) { return folder.messages == 0; });
  });
  return contacts.value_or(0) == 0 && simEntries.value_or(0) == 0 && noMessages;
}

std::optional<PhoneSummary> SummarizePhone() {
  std::shared_ptr<PhoneDatabase> db = PhoneDatabase::Open();
  if (db == nullptr) return std::nullopt;
  PhoneSummary summary;
  summary.root = PhoneRootPath();
  if (db->Setting(kContactStorePresentSetting, 1) != 0) {
    summary.contacts = CountContacts(*db);
    if (!summary.contacts) return std::nullopt;
  }
  if (!AddSim(*db, summary) || !AddStores(*db, summary.stores)) return std::nullopt;
  summary.files = PhoneFiles(summary.root);
  return summary;
}

QString FormatPhoneSummary(const PhoneSummary& summary) {
  QString text = "Phone folder: " + summary.root + '\n';
  text +=
      "Contacts: " +
      (summary.contacts ? QString::number(*summary.contacts) : QStringLiteral("no contact store")) +
      '\n';
  if (summary.simEntries) {
    text += QStringLiteral("SIM: %1 at indexes %2 to %3\n")
                .arg(Plural(*summary.simEntries, "entry", "entries"))
                .arg(summary.simLowestIndex)
                .arg(summary.simHighestIndex);
  } else {
    text += "SIM: none\n";
  }
  for (const PhoneStoreCount& store : summary.stores) {
    qint64 total = 0;
    for (const PhoneFolderCount& folder : store.folders) total += folder.messages;
    text += QStringLiteral("Message store \"%1\": %2\n")
                .arg(store.name, Plural(total, "message", "messages"));
    for (const PhoneFolderCount& folder : store.folders) {
      text += QString(2 * (std::min(folder.depth, kIndentedLevels) + 1), ' ') + folder.name + ": " +
              QString::number(folder.messages) + '\n';
    }
  }
  text += "Files: " + QString::number(summary.files.size()) + '\n';
  for (const PhoneFileSize& file : summary.files) {
    text += "  " + file.phonePath + " (" + Plural(file.bytes, "byte", "bytes") + ")\n";
  }
  return text;
}
