#include "device/contacts/contacts_text_listing.h"

#include <array>
#include <optional>
#include <vector>

#include "common/whole_file_writer.h"
#include "device/contacts/contact_properties.h"
#include "device/frame/device_text.h"
#include "platform/device/stores/file_time.h"

namespace {

constexpr char kLineEnd[] = "\r\n";

// The properties listed, read in one call and used by position.
struct ListedProperty {
  CEPROPID id;
  const char* label;  // null for the name parts and the address lines
};

constexpr std::array<ListedProperty, 53> kListedProperties = {{
    {0x82001F, nullptr},  // 0 first name
    {0x83001F, nullptr},  // 1 middle name
    {0x84001F, nullptr},  // 2 last name
    {0x86001F, nullptr},  // 3 nickname
    {0x85001F, nullptr},  // 4 suffix
    {0x8A001F, "Company:"},
    {0x8B001F, "Department:"},
    {0x8C001F, "Job title:"},
    {0x97001F, "Work tel:"},
    {0x9B001F, "Work fax:"},
    {0xC1001F, nullptr},  // 10-14 work address
    {0xC2001F, nullptr},
    {0xC3001F, nullptr},
    {0xC4001F, nullptr},
    {0xC5001F, nullptr},
    {0x93001F, "IM:"},
    {0x90001F, "E-mail:"},
    {0x96001F, "Mobile tel:"},
    {0xA7001F, "Web page:"},
    {0x8E001F, "Office loc:"},
    {0x99001F, "Home tel:"},
    {0xD1001F, nullptr},  // 21-25 home address
    {0xD2001F, nullptr},
    {0xD3001F, nullptr},
    {0xD4001F, nullptr},
    {0xD5001F, nullptr},
    {0xE1001F, nullptr},  // 26-30 other address
    {0xE2001F, nullptr},
    {0xE3001F, nullptr},
    {0xE4001F, nullptr},
    {0xE5001F, nullptr},
    {0x9D001F, "Pager:"},
    {0x9E001F, "Car tel:"},
    {0x9C001F, "Home fax:"},
    {0xA0001F, "Company tel:"},
    {0x98001F, "Work2 tel:"},
    {0x9A001F, "Home2 tel:"},
    {0x9F001F, "Radio tel:"},
    {0x94001F, "IM2:"},
    {0x95001F, "IM3:"},
    {0x91001F, "E-mail2:"},
    {0x92001F, "E-mail3:"},
    {0x8F001F, "Assistant:"},
    {0xA1001F, "Assistant tel:"},
    {0x8D001F, "Manager:"},
    {0xAA001F, "Govt.ID:"},
    {0xAB001F, "Account:"},
    {0xA9001F, "Customer ID:"},
    {0xF00040, "Birthday:"},
    {0xF10040, "Anniversary:"},
    {0xA5001F, "Spouse:"},
    {0xA6001F, "Children:"},
    {0x101F001F, "Notes:"},
}};

// Positions in kListedProperties.
constexpr int kFirstName = 0;
constexpr int kMiddleName = 1;
constexpr int kLastName = 2;
constexpr int kNickname = 3;
constexpr int kSuffix = 4;

// A run of positions, first and last included.
struct Positions {
  int first;
  int last;
};
constexpr Positions kNameParts{kFirstName, kSuffix};
// The labelled lines before the work address: company, department, job title, work tel and fax.
constexpr Positions kWorkLines{5, 9};
// The labelled lines between the work and home addresses: IM, e-mail, mobile tel, web page,
// office location and home tel.
constexpr Positions kLinesAfterWorkAddress{15, 20};
// The labelled lines after the addresses: pager to notes.
constexpr Positions kLinesAfterAddresses{31, 52};
static_assert(kLinesAfterAddresses.last == kListedProperties.size() - 1);

// First positions of the three address blocks (street, city, state, postal code, country).
constexpr int kWorkAddress = 10;
constexpr int kHomeAddress = 21;
constexpr int kOtherAddress = 26;

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
    AppendLabelledLines(kWorkLines);
    AppendAddress(kWorkAddress, "Work addr:", 10);
    AppendLabelledLines(kLinesAfterWorkAddress);
    AppendAddress(kHomeAddress, "Home addr:", 10);
    AppendAddress(kOtherAddress, "Other addr:", 11);
    AppendLabelledLines(kLinesAfterAddresses);
    text_ += Separator();
    return text_;
  }

 private:
  bool Found(int position) const { return IsFound(values_[position]); }
  const QString& Value(int position) const { return values_[position].val.lpwstr; }
  bool AnyFound(Positions positions) const {
    for (int position = positions.first; position <= positions.last; ++position) {
      if (Found(position)) return true;
    }
    return false;
  }

  // "Name:" then the first name, and the middle name, last name, "nickname" and suffix after a
  // blank each; the parts found only.
  void AppendNameLine() {
    if (!AnyFound(kNameParts)) return;
    text_ += QLatin1String("Name:");
    if (Found(kFirstName)) text_ += Value(kFirstName);
    if (Found(kMiddleName)) text_ += QLatin1Char(' ') + Value(kMiddleName);
    if (Found(kLastName)) text_ += QLatin1Char(' ') + Value(kLastName);
    if (Found(kNickname)) text_ += QLatin1String(" \"") + Value(kNickname) + QLatin1Char('"');
    if (Found(kSuffix)) text_ += QLatin1Char(' ') + Value(kSuffix);
    text_ += QLatin1String(kLineEnd);
  }

  // Label and value, one line each; dates in local time.
  void AppendLabelledLines(Positions positions) {
    for (int position = positions.first; position <= positions.last; ++position) {
      if (!Found(position)) continue;
      const CEPROPVAL& value = values_[position];
      std::optional<QString> text = PropIdType(value.propid) == CEVT_FILETIME
                                        ? LocalDateText(value.val.filetime)
                                        : std::optional<QString>(value.val.lpwstr);
      if (text) {
        text_ += QLatin1String(kListedProperties[position].label) + *text + QLatin1String(kLineEnd);
      }
    }
  }

  // The label with the street on its line; city, state and postal code on the next, indented;
  // the country on its own, indented.
  void AppendAddress(int first, const char* label, int indent) {
    const int street = first, city = first + 1, state = first + 2, zip = first + 3,
              country = first + 4;
    if (!AnyFound({street, country})) return;
    const QString blanks(indent, QLatin1Char(' '));
    text_ += QLatin1String(label);
    if (Found(street)) text_ += Value(street) + QLatin1String(kLineEnd);
    if (AnyFound({city, zip})) {
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
  std::vector<CEPROPID> ids;
  for (const ListedProperty& property : kListedProperties) ids.push_back(property.id);
  std::vector<CEPROPVAL> values;
  if (!item || FAILED(item->GetProps(ids, values))) return std::nullopt;
  return ContactBlock(values).Text();
}

QString SimBlock(const SimEntry& entry) {
  return QStringLiteral("SIM_Name:") + entry.Name() + QLatin1String(kLineEnd) +
         QStringLiteral("SIM_Mobile tel:") + entry.Number() + QLatin1String(kLineEnd) + Separator();
}

}  // namespace

JobOutcome ExportContactsText(CContactStoreSession& session, CContactsBackupJob& job) {
  const DWORD used = session.SimUsedCount();
  WholeFileWriter file(job.m_strPath);
  if (!file.open(QIODevice::WriteOnly)) return CannotCreateFileOutcome(job.m_strPath);
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
  if (!file.commit()) return {0, CannotWriteFileText(job.m_strPath)};
  return BackupOutcome(contacts.has_value(), total, listed);
}
