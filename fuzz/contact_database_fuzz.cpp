// Fills an empty contact database with hostile rows (InsertHostileRows: texts, blobs, numbers and
// huge texts in any column) and reads it as the program does. The first byte chooses the reader,
// so that a run costs one read: the views' records in every mode with a keyword search for the
// input's last bytes, or one of the exports.
#include <QDir>

#include <algorithm>
#include <cstdint>
#include <span>

#include "common/ansi_text.h"
#include "desktop/exchange/backup/contacts_backup_export.h"
#include "desktop/exchange/csv/csv_export.h"
#include "desktop/exchange/text/contacts_text_export.h"
#include "desktop/exchange/vcard/vcard_export.h"
#include "desktop/store/result_query.h"
#include "fuzz/fuzz_support.h"

namespace {

// The first page of each view mode, every column of its records read as the cards read them.
void ReadViews(const QString& keyword) {
  for (ViewMode mode : {ViewMode::kAll, ViewMode::kPhoneContacts, ViewMode::kSimContacts,
                        ViewMode::kKeywordSearch}) {
    ResultIds result = LoadResultIds(mode, keyword);
    std::span page(result.ids.data(), std::min<std::size_t>(result.ids.size(), 30));
    ReadRecords(QStringLiteral("*"), page, [](size_t, const SqlStatement& row) {
      for (int column = 0; column < row.ColumnCount(); ++column) {
        row.ColumnText(column);
        row.ColumnInt(column);
      }
    });
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const FuzzFolder folder;
  if (size == 0) return 0;
  const QString database = FreshContactDatabase(folder);
  InsertHostileRows(database, data + 1, size - 1);
  QDir::setCurrent(folder.Path(QStringLiteral("desktop")));
  switch (data[0] % 6) {
    case 0: {
      std::size_t tail = std::min<std::size_t>(size, 4);
      ReadViews(AnsiToWide(FuzzBytes(data + size - tail, tail)));
      break;
    }
    case 1:
      ExportContactsBackup(QStringLiteral("out.cbk"), database, nullptr);
      break;
    case 2:
      ExportContactsText(QStringLiteral("out.txt"), database, nullptr);
      break;
    case 3:
      WriteCommonCsvRows(QStringLiteral("out.csv"), DefaultCsvColumns(), database);
      break;
    case 4:
      WriteGoogleCsvRows(QStringLiteral("out.csv"), database);
      break;
    default:
      WriteVCardFile(QStringLiteral("out.vcf"), database);
  }
  return 0;
}
