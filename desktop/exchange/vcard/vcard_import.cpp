#include "desktop/exchange/vcard/vcard_import.h"

#include <QFile>
#include <QFileInfo>

#include "common/regular_file.h"
#include "desktop/exchange/contact_value_batch.h"
#include "desktop/exchange/import_pipeline.h"
#include "desktop/exchange/vcard/vcard_parser.h"
#include "desktop/store/composed_name.h"
#include "desktop/store/contact_replacer.h"
#include "desktop/store/contact_row_statement.h"
#include "desktop/store/database_connection.h"

namespace {

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

// Parses cards into batches of field values.
void ReadBatch(VCardReader& reader, ContactValueBatch& batch) {
  batch.Restart(kFieldValueCount);
  ContactRecord card;
  while (BatchTakesMore(batch.Size(), batch.ByteSize())) {
    if (!reader.Next(&card)) {
      bool unread = ResultOf(reader.Stopped()) != VCardImportResult::kRead;
      batch.SetEnd(unread ? BatchEnd::kUnread : BatchEnd::kLast);
      return;
    }
    int added = batch.Add();
    batch.SetText(added, kNameValue,
                  ComposedContactName(card.firstName, card.middleName, card.lastName));
    for (const ContactField& field : kContactFields) {
      batch.SetText(added, field.number, card.Field(field.number));
    }
    batch.DropLastIfBlank();
  }
}

// Stores every card under one transaction, each replacing the stored rows of its composed name
// as a phone contact. When the database cannot take them, the cards all count as failed.
VCardImportOutcome StoreCards(QIODevice& file, const QString& databasePath) {
  DatabaseConnection db(databasePath);
  ContactRowInsert insert(db, FieldValuesInsertColumns());
  ContactReplacer replacer(db);
  VCardReader reader(file);
  ContactValueBatch first;
  ReadBatch(reader, first);
  ImportRun run = StoreRecords<ContactValueBatch>(
      insert.IsValid() && replacer.IsBegun() ? &replacer : nullptr, std::move(first),
      {.read = [&](ContactValueBatch& batch) { ReadBatch(reader, batch); },
       .bind = [&](const ContactValueBatch& batch,
                   int card) { return batch.BindFieldValues(card, insert); }});
  // A file not read to its end is not committed: nothing of it stays, and nothing is counted.
  if (!run.whole) return {.result = ResultOf(reader.Stopped()), .fault = replacer.Fault()};
  CommitImport(replacer, &run);
  return {run.stored, run.failed, VCardImportResult::kRead, replacer.Fault()};
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
