#include "desktop/exchange/vcard/vcard_import.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

#include "common/ansi_text.h"
#include "desktop/exchange/contact_value_batch.h"
#include "desktop/exchange/read_ahead.h"
#include "desktop/exchange/vcard/vcard_parser.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/contact_row_statement.h"
#include "desktop/store/database_connection.h"
#include "platform/windows/message_service.h"

namespace {

constexpr char kResultCaption[] = "Import vCard File Result";
constexpr char kSummary[] =
    "Import vCard file finish! %d Record is Successed and %d Record is Failded!";
constexpr char kTooLarge[] = "The vCard file holds a card too large to import (more than %1 MB)!";
constexpr char kUnreadable[] = "Can't read the vCard file!";

// ---- Reading cards ahead -------------------------------------------------------------------

// ContactType, SIM_Name, then the 55 contact fields in their order.
std::vector<const char*> InsertColumns() {
  std::vector<const char*> columns = {"ContactType", "SIM_Name"};
  for (const ContactField& field : kContactFields) columns.push_back(field.column);
  return columns;
}
constexpr int kNameValue = 0;  // SIM_Name, and contact field n is value n
constexpr int kValueCount = 1 + kContactFieldCount;

// Cards are parsed and turned into the bytes they are stored as a batch at a time on a second
// thread, while the database stores the batch before.
constexpr int kBatchSize = 512;

struct CardBatch {
  ContactValueBatch values{kValueCount};  // in the insert's order after ContactType
  // Why no card follows the batch: kNone when more may.
  VCardReader::Stop stop = VCardReader::Stop::kNone;

  bool IsLast() const { return stop != VCardReader::Stop::kNone; }
};

CardBatch ReadBatch(VCardReader* reader) {
  CardBatch batch;
  ContactRecord card;
  while (batch.values.Size() < kBatchSize &&
         batch.values.ByteSize() < ContactValueBatch::kFullBytes) {
    if (!reader->Next(&card)) {
      batch.stop = reader->Stopped();
      break;
    }
    int added = batch.values.Add();
    QString name = ComposedContactName(card.firstName, card.middleName, card.lastName);
    batch.values.SetValue(added, kNameValue, WideToAnsi(name));
    for (const ContactField& field : kContactFields) {
      batch.values.SetValue(added, field.number, WideToAnsi(card.Field(field.number)));
    }
    batch.values.DropLastIfBlank();
  }
  return batch;
}

// ---- The run -------------------------------------------------------------------------------

struct CardCounts {
  int stored = 0;
  int failed = 0;

  // Everything stored so far was taken back.
  void LoseStored() {
    failed += stored;
    stored = 0;
  }
};

// Stores every card under one transaction, each replacing the stored rows of its composed name
// as a phone contact. A database that cannot be opened is said once; its cards all count as
// failed. When the file cannot be read to its end, nothing is stored and `*stop` says why.
CardCounts StoreCards(QIODevice& file, const QString& databasePath, VCardReader::Stop* stop) {
  DatabaseConnection db(databasePath);
  if (!db.IsOpen()) ShowTips(kIconError, QStringLiteral("Can't open database!"));
  ContactRowInsert insert(db, InsertColumns());
  ContactReplacer replacer(db);
  bool storing = insert.IsValid() && replacer.IsBegun();
  VCardReader reader(file);
  ReadAhead<CardBatch> ahead([&] { return ReadBatch(&reader); },
                             [](const CardBatch& batch) { return batch.IsLast(); });
  CardBatch batch;
  auto store = [&](int card) {
    insert.SetInteger(0, kPhoneContact);
    batch.values.SetValuesOf(card, insert, 1);
    return replacer.Replace(batch.values.Value(card, kNameValue), insert);
  };
  CardCounts counts;
  do {
    batch = ahead.Next(std::move(batch));
    for (int card = 0; card < batch.values.Size(); ++card) {
      if (storing && store(card)) {
        ++counts.stored;
        continue;
      }
      ++counts.failed;
      // Disk full or an I/O error can make the database give the whole transaction up.
      if (storing && replacer.Stopped()) {
        storing = false;
        counts.LoseStored();
      }
    }
  } while (!batch.IsLast());
  *stop = batch.stop;
  // A file not read to its end is not committed: nothing of it stays.
  if (storing && batch.stop == VCardReader::Stop::kEnd && !replacer.Commit()) counts.LoseStored();
  return counts;
}

void ShowResult(const QString& text, unsigned icon) {
  ShowMessageBox(text, QLatin1String(kResultCaption), MB_OK | icon);
}

}  // namespace

bool ImportVCard(const QString& vcardPath, const QString& databasePath) {
  if (!QFileInfo::exists(vcardPath)) return false;
  QFile file(vcardPath);
  if (!QFileInfo(vcardPath).isFile() || !file.open(QIODevice::ReadOnly)) {
    ShowResult(QLatin1String(kUnreadable), MB_ICONERROR);
    return true;
  }
  VCardReader::Stop stop = VCardReader::Stop::kNone;
  CardCounts counts = StoreCards(file, databasePath, &stop);
  if (stop == VCardReader::Stop::kTooLarge) {
    ShowResult(QString::fromLatin1(kTooLarge).arg(kMaxVCardCardBytes / (1024 * 1024)),
               MB_ICONERROR);
  } else if (stop == VCardReader::Stop::kUnreadable) {
    ShowResult(QLatin1String(kUnreadable), MB_ICONERROR);
  } else {
    ShowResult(QString::asprintf(kSummary, counts.stored, counts.failed), MB_ICONINFORMATION);
  }
  return true;
}
