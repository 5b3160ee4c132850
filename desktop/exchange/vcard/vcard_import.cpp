#include "desktop/exchange/vcard/vcard_import.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

#include "common/ansi_text.h"
#include "common/regular_file.h"
#include "desktop/exchange/contact_value_batch.h"
#include "desktop/exchange/read_ahead.h"
#include "desktop/exchange/vcard/vcard_parser.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/contact_row_statement.h"
#include "desktop/store/database_connection.h"

namespace {

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
struct CardBatch {
  ContactValueBatch values{kValueCount};  // in the insert's order after ContactType
  // Why no card follows the batch: kNone when more may.
  VCardReader::Stop stop = VCardReader::Stop::kNone;

  bool IsLast() const { return stop != VCardReader::Stop::kNone; }
};

CardBatch ReadBatch(VCardReader* reader) {
  CardBatch batch;
  ContactRecord card;
  while (BatchTakesMore(batch.values.Size(), batch.values.ByteSize())) {
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

// Everything stored so far was taken back.
void LoseStored(VCardImportOutcome* outcome) {
  outcome->failed += outcome->stored;
  outcome->stored = 0;
}

VCardImportResult ResultOf(VCardReader::Stop stop) {
  switch (stop) {
    case VCardReader::Stop::kTooLarge:
      return VCardImportResult::kTooLarge;
    case VCardReader::Stop::kUnreadable:
      return VCardImportResult::kUnreadable;
    case VCardReader::Stop::kNone:
    case VCardReader::Stop::kEnd:
      break;
  }
  return VCardImportResult::kRead;
}

// Stores every card under one transaction, each replacing the stored rows of its composed name
// as a phone contact. When the database cannot take them, the cards all count as failed.
VCardImportOutcome StoreCards(QIODevice& file, const QString& databasePath) {
  DatabaseConnection db(databasePath);
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
  VCardImportOutcome outcome{.fault = replacer.Fault()};
  do {
    batch = ahead.Next(std::move(batch));
    for (int card = 0; card < batch.values.Size(); ++card) {
      if (storing && store(card)) {
        ++outcome.stored;
        continue;
      }
      ++outcome.failed;
      // Disk full or an I/O error can make the database give the whole transaction up.
      if (storing && replacer.Stopped()) {
        storing = false;
        LoseStored(&outcome);
      }
    }
  } while (!batch.IsLast());
  // A file not read to its end is not committed: nothing of it stays, and nothing is counted.
  VCardImportResult result = ResultOf(batch.stop);
  if (result != VCardImportResult::kRead) {
    return {.result = result, .fault = outcome.fault};
  }
  if (storing && !replacer.Commit()) LoseStored(&outcome);
  return outcome;
}

}  // namespace

VCardImportOutcome ImportVCard(const QString& vcardPath, const QString& databasePath) {
  if (!QFileInfo::exists(vcardPath)) return {.result = VCardImportResult::kNotFound};
  QFile file;
  if (!OpenRegularFile(file, vcardPath)) {
    return {.result = VCardImportResult::kUnreadable};
  }
  return StoreCards(file, databasePath);
}
