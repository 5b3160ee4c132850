#include "device/contacts/contacts_restore_job.h"

#include <algorithm>
#include <optional>

#include "common/ansi_text.h"
#include "common/contacts_backup_file.h"
#include "device/contacts/contact_properties.h"
#include "device/contacts/contacts_backup_job.h"
#include "device/frame/device_text.h"
#include "device/resources/marrowind_string_ids.h"
#include "platform/device/stores/file_time.h"
#include "platform/device/stores/phone_folder.h"
#include "platform/windows/resources.h"

namespace {

// A backup date as the contact store keeps it: midnight of that day in local time, as the
// backup reads it back. Nothing for a date that does not exist.
std::optional<FILETIME> StoredDate(const BackupDate& date) {
  SYSTEMTIME midnight;
  midnight.wYear = static_cast<WORD>(date.year);
  midnight.wMonth = date.month;
  midnight.wDay = date.day;
  FILETIME local;
  FILETIME utc;
  if (date.year < 1 || date.year > 0xFFFF || !SystemTimeToFileTime(&midnight, &local) ||
      !LocalFileTimeToFileTime(&local, &utc)) {
    return std::nullopt;
  }
  return utc;
}

// Writes the picture into the item's picture stream; false unless all of it went in.
bool WritePicture(IItem& item, const QByteArray& picture) {
  std::unique_ptr<IStream> stream;
  ULONG written = 0;
  const auto size = static_cast<ULONG>(picture.size());
  return SUCCEEDED(item.OpenProperty(PIMPR_PICTURE, GENERIC_READ | GENERIC_WRITE, stream)) &&
         SUCCEEDED(stream->Write(picture.constData(), size, &written)) && written == size;
}

// The folders of a phone path, made level by level where missing.
void CreatePhoneFolders(const QString& directory) {
  if (directory.isEmpty() || PhoneDirectoryExists(directory)) return;
  const QString withSeparator = directory + QLatin1Char('\\');
  for (qsizetype at = withSeparator.indexOf(QLatin1Char('\\')); at >= 0;
       at = withSeparator.indexOf(QLatin1Char('\\'), at + 1)) {
    const QString prefix = withSeparator.left(at);
    if (!prefix.isEmpty() && !PhoneDirectoryExists(prefix)) CreatePhoneDirectory(prefix);
  }
}

// The SIM entry of a record, as the restore writes it.
SimEntry SimEntryOf(const SimContactBody& body) {
  SimEntry entry;
  entry.validFields = SIM_PARAM_PBE_ALL;
  entry.addressType = 1;
  entry.numberingPlan = 1;
  entry.SetName(AnsiToWide(body.name));
  entry.SetNumber(AnsiToWide(body.number));
  return entry;
}

QString JoinedName(const PhoneContactBody& body) {
  QString name;
  for (int part : kNamePartItems) name += AnsiToWide(body.items[part]);
  return name;
}

// What the phone keeps of a contact record, as a backup writes it back: the texts as the phone's
// wide text holds them, no date that names no day.
PhoneContactBody StoredBody(const PhoneContactBody& body) {
  PhoneContactBody stored = body;
  for (QByteArray& item : stored.items) item = WideToAnsi(AnsiToWide(item));
  for (BackupDate* date : {&stored.birthday, &stored.anniversary}) {
    if (!date->IsNone() && !StoredDate(*date)) *date = BackupDate();
  }
  return stored;
}

bool IsEmptyBody(const PhoneContactBody& body) {
  return std::all_of(body.items.begin(), body.items.end(),
                     [](const QByteArray& item) { return item.isEmpty(); }) &&
         body.birthday.IsNone() && body.anniversary.IsNone() && body.picture.isEmpty();
}

// The replacement key of a phone or SIM record (device_contact_index.h); nothing for a record
// with no value at all, which is not stored.
std::optional<QString> ReplacementKey(const BackupRecord& record) {
  if (record.body == BackupRecord::Body::kSim) {
    const SimEntry entry = SimEntryOf(record.sim);
    if (entry.Name().isEmpty() && entry.Number().isEmpty()) return std::nullopt;
    return SimReplacementKey(entry);
  }
  const QString name = JoinedName(record.phone);
  if (!name.isEmpty()) return NameReplacementKey(name);
  const PhoneContactBody stored = StoredBody(record.phone);
  if (IsEmptyBody(stored)) return std::nullopt;
  return NamelessContactKey(stored);
}

// A line of the outcome that says what another program's hold on the phone's store did.
QString LockedNote(const QString& what) {
  return QStringLiteral("\nThe phone's contacts are locked by another program: ") + what;
}

class RestoreRun {
 public:
  RestoreRun(CContactStoreSession& session, ContactsBackupReader& reader, JobProgress& progress)
      : session_(session), reader_(reader), progress_(progress) {}

  // Restores the records and ring tones of a checked file; how it went.
  JobOutcome Restore();

 private:
  enum class Outcome { kRestored, kNotRestored, kEmpty, kStop, kLocked };

  Outcome RestoreRecord(std::uint32_t number, const BackupRecord& record);
  Outcome RestorePhoneContact(std::uint32_t number, const PhoneContactBody& body);
  Outcome RestoreSimEntry(const QString& key, const SimEntry& entry);
  std::optional<DWORD> FindFreeSimSlot();
  void KeepContactsOf(const BackupRecord& record);
  void NoteInvalidDate(std::uint32_t number, const BackupDate& date);
  JobOutcome Finished(std::uint32_t count, std::uint32_t restored) const;
  QString LeftOutText() const;
  void RestoreRingTones();

  CContactStoreSession& session_;
  ContactsBackupReader& reader_;
  JobProgress& progress_;
  std::optional<SIMCAPS> simRange_;
  qint64 simIndex_ = 0;  // where the search for a free slot goes on
  // Dates of the file that name no day (the contacts are restored without them).
  int invalidDates_ = 0;
  QString firstInvalidDate_;
  int emptyRecords_ = 0;
  // The record at which another program's hold on the phone's store stopped the restore (0: none),
  // and the note when it kept the contacts the restored ones replace.
  std::uint32_t lockedAt_ = 0;
  QString keptNote_;
  QStringList notices_;  // what failed on the way, told before the outcome
};

JobOutcome RestoreRun::Restore() {
  session_.BuildDeviceContactIndex();
  std::uint32_t count = 0;
  if (!reader_.ReadRecordCount(&count)) return {.stringId = marrowind_strings::kValidationFailed};
  simRange_ = session_.SimIndexRange();
  if (simRange_) simIndex_ = simRange_->dwMinPBIndex;
  std::uint32_t restored = 0;
  bool stopped = false;
  for (std::uint32_t k = 1; k <= count; ++k) {
    BackupRecord record;
    if (!reader_.ReadRecord(&record)) break;  // the file changed meanwhile
    // The records after a stop are not restored, so the contacts they would replace stay.
    if (stopped) {
      KeepContactsOf(record);
      continue;
    }
    const Outcome outcome = RestoreRecord(k, record);
    if (outcome == Outcome::kRestored) ++restored;
    if (outcome == Outcome::kEmpty) ++emptyRecords_;
    if (outcome == Outcome::kLocked) lockedAt_ = k;
    stopped = outcome == Outcome::kStop || outcome == Outcome::kLocked;
    progress_.progress = static_cast<double>(k) / (static_cast<double>(count) + 2);
  }
  keptNote_ = DeleteReplacedContacts(session_);
  RestoreRingTones();
  progress_.progress = 1.0;
  return Finished(count, restored);
}

// The count's outcome, then what was left out or stopped it, with the notices told before.
JobOutcome RestoreRun::Finished(std::uint32_t count, std::uint32_t restored) const {
  if (restored == count) {
    return {marrowind_strings::kRestoreSucceeded, LeftOutText(), false, notices_};
  }
  const QString shortfall =
      QStringLiteral("The restore file has %1 items,but only had Finish %2 items!")
          .arg(count)
          .arg(restored);
  return {0, shortfall + LeftOutText(), false, notices_};
}

// What was left out or stopped the restore, a line each, which would otherwise go unnoticed.
QString RestoreRun::LeftOutText() const {
  QString text;
  if (invalidDates_ > 0) {
    text += QStringLiteral("\nInvalid dates not restored: %1 (the first in No.%2).")
                .arg(invalidDates_)
                .arg(firstInvalidDate_);
  }
  if (emptyRecords_ > 0)
    text += QStringLiteral("\nEmpty records not restored: %1.").arg(emptyRecords_);
  return text + (lockedAt_ != 0 ? LockedNote(QStringLiteral("stopped at No.%1.").arg(lockedAt_))
                                : keptNote_);
}

void RestoreRun::NoteInvalidDate(std::uint32_t number, const BackupDate& date) {
  if (invalidDates_++ == 0) {
    firstInvalidDate_ =
        QStringLiteral("%1: %2-%3-%4").arg(number).arg(date.year).arg(date.month).arg(date.day);
  }
}

// A restored record replaces the contacts of its key that were on the phone; one that is not
// restored keeps them all, even when another record of its key was restored.
RestoreRun::Outcome RestoreRun::RestoreRecord(std::uint32_t number, const BackupRecord& record) {
  if (record.body == BackupRecord::Body::kNone) return Outcome::kNotRestored;
  const std::optional<QString> key = ReplacementKey(record);
  if (!key) return Outcome::kEmpty;
  const Outcome outcome = record.body == BackupRecord::Body::kPhone
                              ? RestorePhoneContact(number, record.phone)
                              : RestoreSimEntry(*key, SimEntryOf(record.sim));
  if (outcome == Outcome::kRestored) {
    session_.MarkDuplicateContacts(*key);
  } else {
    session_.KeepContacts(*key);
  }
  return outcome;
}

void RestoreRun::KeepContactsOf(const BackupRecord& record) {
  if (record.body == BackupRecord::Body::kNone) return;
  if (std::optional<QString> key = ReplacementKey(record)) session_.KeepContacts(*key);
}

// A contact is saved only when every value went in.
RestoreRun::Outcome RestoreRun::RestorePhoneContact(std::uint32_t number,
                                                    const PhoneContactBody& body) {
  std::unique_ptr<IItem> item = session_.CreateContact();
  if (!item) return Outcome::kNotRestored;
  bool complete = true;
  for (int i = 0; i < kBackupStringItems; ++i) {
    if (body.items[i].isEmpty()) continue;
    CEPROPVAL value{kBackupPropertyIds[i], 0, {AnsiToWide(body.items[i]), {}}};
    complete = SUCCEEDED(item->SetProps({value})) && complete;
  }
  const std::pair<int, const BackupDate*> dates[] = {{kBackupItemBirthday, &body.birthday},
                                                     {kBackupItemAnniversary, &body.anniversary}};
  for (const auto& [itemNumber, date] : dates) {
    if (date->IsNone()) continue;
    if (std::optional<FILETIME> stored = StoredDate(*date)) {
      CEPROPVAL value{kBackupPropertyIds[itemNumber], 0, {QString(), *stored}};
      complete = SUCCEEDED(item->SetProps({value})) && complete;
    } else {
      NoteInvalidDate(number, *date);
    }
  }
  if (!body.picture.isEmpty()) complete = WritePicture(*item, body.picture) && complete;
  if (!complete) return Outcome::kNotRestored;
  const HRESULT saved = item->Save();
  if (saved == STG_E_LOCKVIOLATION) return Outcome::kLocked;
  return SUCCEEDED(saved) ? Outcome::kRestored : Outcome::kNotRestored;
}

// An entry takes the slot of an entry of its key that was on the SIM, else the lowest free one,
// so a SIM restored from its own backup keeps every entry however full it is.
RestoreRun::Outcome RestoreRun::RestoreSimEntry(const QString& key, const SimEntry& entry) {
  if (!simRange_) {
    notices_.append(QStringLiteral("Restore sim contacts error!"));
    return Outcome::kStop;
  }
  std::optional<DWORD> slot = session_.TakeSimSlot(key);
  if (!slot) slot = FindFreeSimSlot();
  if (!slot) return Outcome::kNotRestored;
  const HRESULT written = SimWritePhonebookEntry(session_.Sim(), SIM_PBSTORAGE_SIM, *slot, entry);
  if (written == STG_E_LOCKVIOLATION) return Outcome::kLocked;
  return SUCCEEDED(written) ? Outcome::kRestored : Outcome::kNotRestored;
}

// The lowest free slot from where the last search stopped. Only an index the SIM reports empty
// is free: one that cannot be read for another reason may hold an entry, and is passed over.
std::optional<DWORD> RestoreRun::FindFreeSimSlot() {
  for (; simIndex_ <= simRange_->dwMaxPBIndex; ++simIndex_) {
    SimEntry entry;
    const HRESULT read = SimReadPhonebookEntry(session_.Sim(), SIM_PBSTORAGE_SIM,
                                               static_cast<DWORD>(simIndex_), &entry);
    if (read == E_NOT_FOUND) return static_cast<DWORD>(simIndex_);
  }
  return std::nullopt;
}

// Each ring tone goes to its full path on the phone, in folders made as needed; a file the
// phone already has is kept. Paths that would leave the phone folder name no file and fail. A
// file is written whole or not at all, so a restore that is killed leaves no cut file for the
// next one to keep.
void RestoreRun::RestoreRingTones() {
  std::int32_t count = 0;
  if (!reader_.ReadRingToneCount(&count)) return;
  for (std::int32_t i = 0; i < count; ++i) {
    RingToneEntry entry;
    if (!reader_.ReadRingTone(&entry)) return;
    const QString path = AnsiToWide(entry.name);
    const qsizetype lastSeparator = path.lastIndexOf(QLatin1Char('\\'));
    CreatePhoneFolders(lastSeparator >= 0 ? path.left(lastSeparator) : QString());
    if (OpenPhoneFileForReading(path)) continue;
    if (!WritePhoneFile(path, entry.data)) {
      notices_.append(QStringLiteral("Write RingTone:%1 Error!").arg(path));
    }
  }
}

// Opens and checks the whole file before anything on the phone changes; the outcome when it
// cannot be used.
std::optional<JobOutcome> OpenCheckedFile(ContactsBackupReader& reader, const QString& path) {
  switch (reader.Open(path)) {
    case ContactsBackupReader::OpenResult::kCannotOpen:
      return JobOutcome{0, QStringLiteral("Can't open file:") + path};
    case ContactsBackupReader::OpenResult::kDigestMismatch:
      return JobOutcome{.stringId = marrowind_strings::kValidationFailed};
    case ContactsBackupReader::OpenResult::kOk:
      break;
  }
  if (!reader.CheckStructure() || !reader.Rewind()) {
    return JobOutcome{.stringId = marrowind_strings::kValidationFailed};
  }
  return std::nullopt;
}

}  // namespace

QString DeleteReplacedContacts(CContactStoreSession& session) {
  if (session.DeleteMarkedContacts()) return QString();
  return LockedNote(QStringLiteral("the contacts replaced were kept."));
}

void StartContactsRestore(CContactsRestoreJob& job) {
  StartJobWithPath(job.m_strPath, LoadString(marrowind_strings::kEmptyRestorePath), job.m_progress,
                   [&job] { ContactsRestoreThreadProc(&job); });
}

unsigned ContactsRestoreThreadProc(CContactsRestoreJob* job) {
  FinishJob(RestoreContactsFile(job->m_session, *job), job->m_progress);
  return 0;
}

JobOutcome RestoreContactsFile(CContactStoreSession& session, CContactsRestoreJob& job) {
  ContactsBackupReader reader(kPhoneDialect);
  if (std::optional<JobOutcome> refusal = OpenCheckedFile(reader, job.m_strPath)) return *refusal;
  RestoreRun run(session, reader, job.m_progress);
  return run.Restore();
}
