#include "device/contacts/contacts_text_listing.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <vector>

#include "common/contacts_listing.h"
#include "common/whole_file_writer.h"
#include "device/contacts/contact_properties.h"
#include "device/frame/device_text.h"
#include "platform/device/stores/file_time.h"

namespace {

constexpr char kLineEnd[] = "\r\n";

// The properties of the listed values, read in one call, and where each value stands among them.
struct ListedProperties {
  std::vector<CEPROPID> ids;
  std::array<int, kContactValueCount> position;  // -1 for a value not listed
};

const ListedProperties& Listed() {
  static const ListedProperties listed = [] {
    ListedProperties made;
    made.position.fill(-1);
    auto add = [&made](ContactFieldId field) {
      made.position[Index(field)] = static_cast<int>(made.ids.size());
      made.ids.push_back(PropertyOf(field));
    };
    for (ContactFieldId part : kListingNameParts) add(part);
    for (const ListingLine& line : kListingLines) {
      if (line.kind != ListingLineKind::kAddress) {
        add(line.field);
        continue;
      }
      for (ContactFieldId part : AddressFields(line.field)) add(part);
    }
    return made;
  }();
  return listed;
}

QString Separator() { return QString(44, QLatin1Char('-')) + QLatin1String(kLineEnd); }

// A date as "%m/%d/%Y" in local time; nothing when it cannot be converted.
std::optional<QString> LocalDateText(const FILETIME& time) {
  FILETIME local;
  SYSTEMTIME fields;
  if (!FileTimeToLocalFileTime(&time, &local) || !FileTimeToSystemTime(&local, &fields)) {
    return std::nullopt;
  }
  return QString::asprintf("%02d/%02d/%d", fields.wMonth, fields.wDay, fields.wYear);
}

class ContactBlock {
 public:
  explicit ContactBlock(const std::vector<CEPROPVAL>& values) : values_(values) {}

  QString Text() {
    AppendNameLine();
    for (const ListingLine& line : kListingLines) {
      if (line.kind == ListingLineKind::kAddress) {
        AppendAddress(AddressFields(line.field), line.label);
      } else {
        AppendLabelledLine(line);
      }
    }
    text_ += Separator();
    return text_;
  }

 private:
  const CEPROPVAL& Property(ContactFieldId field) const {
    return values_[Listed().position[Index(field)]];
  }
  bool Found(ContactFieldId field) const { return IsFound(Property(field)); }
  const QString& Value(ContactFieldId field) const { return Property(field).val.lpwstr; }
  bool AnyFound(std::span<const ContactFieldId> fields) const {
    return std::any_of(fields.begin(), fields.end(), [this](auto field) { return Found(field); });
  }

  // "Name:" then the first name, and the middle name, last name, "nickname" and suffix after a
  // blank each; the parts found only.
  void AppendNameLine() {
    using enum ContactFieldId;
    if (!AnyFound(kListingNameParts)) return;
    text_ += QLatin1String("Name:");
    if (Found(kFirstName)) text_ += Value(kFirstName);
    if (Found(kMiddleName)) text_ += QLatin1Char(' ') + Value(kMiddleName);
    if (Found(kLastName)) text_ += QLatin1Char(' ') + Value(kLastName);
    if (Found(kNickName)) text_ += QLatin1String(" \"") + Value(kNickName) + QLatin1Char('"');
    if (Found(kSuffix)) text_ += QLatin1Char(' ') + Value(kSuffix);
    text_ += QLatin1String(kLineEnd);
  }

  // Label and value on one line; a date in local time.
  void AppendLabelledLine(const ListingLine& line) {
    if (!Found(line.field)) return;
    const CEPROPVAL& value = Property(line.field);
    std::optional<QString> text = line.kind == ListingLineKind::kDate
                                      ? LocalDateText(value.val.filetime)
                                      : std::optional<QString>(value.val.lpwstr);
    if (text) text_ += QLatin1String(line.label) + *text + QLatin1String(kLineEnd);
  }

  // The label with the street on its line; city, state and postal code on the next, indented as
  // far as the label reaches; the country on its own, indented the same.
  void AppendAddress(const std::array<ContactFieldId, 5>& parts, const char* label) {
    const auto [street, city, state, zip, country] = parts;
    if (!AnyFound(parts)) return;
    const QString blanks(QLatin1String(label).size(), QLatin1Char(' '));
    text_ += QLatin1String(label);
    if (Found(street)) text_ += Value(street) + QLatin1String(kLineEnd);
    if (AnyFound(std::span(parts).subspan(1, 3))) {
      text_ += blanks;
      if (Found(city)) text_ += Value(city) + QLatin1String("  ");
      if (Found(state)) text_ += Value(state) + QLatin1String("  ");
      if (Found(zip)) text_ += Value(zip);
      text_ += QLatin1String(kLineEnd);
    }
    if (Found(country)) text_ += blanks + Value(country) + QLatin1String(kLineEnd);
  }

  const std::vector<CEPROPVAL>& values_;
  QString text_;
};

// The block of the contact at `index`; nothing when it or its properties cannot be read.
std::optional<QString> ContactBlockAt(CContactStoreSession& session, IPOutlookItemCollection& items,
                                      int index) {
  const CEOID oid = session.ContactOidAt(items, index);
  std::unique_ptr<IItem> item = oid != 0 ? session.ContactItem(oid) : nullptr;
  std::vector<CEPROPVAL> values;
  if (!item || FAILED(item->GetProps(Listed().ids, values))) return std::nullopt;
  return ContactBlock(values).Text();
}

QString SimBlock(const SimEntry& entry) {
  return QStringLiteral("SIM_Name:") + entry.Name() + QLatin1String(kLineEnd) +
         QStringLiteral("SIM_Mobile tel:") + entry.Number() + QLatin1String(kLineEnd) + Separator();
}

}  // namespace

void ExportContactsText(CContactStoreSession& session, CContactsBackupJob& job) {
  const DWORD used = session.SimUsedCount();
  WholeFileWriter file(job.m_strPath);
  if (!file.open(QIODevice::WriteOnly)) {
    FinishContactsJob(job.m_progress, CannotCreateFileText(job.m_strPath));
    return;
  }
  std::optional<CContactStoreSession::ContactItems> contacts = session.GetContactItems();
  const int contactCount = contacts ? contacts->count : 0;
  const int total = static_cast<int>(used) + contactCount;
  int listed = 0;
  for (int i = 1; i <= contactCount; ++i) {
    if (std::optional<QString> block = ContactBlockAt(session, *contacts->items, i)) {
      file.write(WideToAnsi(*block));
      ++listed;
    }
    job.m_progress.progress = static_cast<double>(i) / total;
  }
  int simRead = 0;
  session.ForEachSimEntry(used, [&](DWORD, const SimEntry& entry) {
    file.write(WideToAnsi(SimBlock(entry)));
    ++listed;
    ++simRead;
    job.m_progress.progress = static_cast<double>(contactCount + simRead) / total;
  });
  const QString outcome = file.commit() ? BackupOutcomeText(contacts.has_value(), total, listed)
                                        : CannotWriteFileText(job.m_strPath);
  FinishContactsJob(job.m_progress, outcome);
}
