// Fills an empty contact database with hostile rows (InsertHostileRows: texts, blobs, numbers and
// huge texts in any column) and reads it as the program does. The first byte chooses the reader,
// so that a run costs one read: one of the exports, or the views' records in one mode (the first
// byte divided by 6 chooses it; a keyword search looks for the input's last bytes).
#include <QDir>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <span>

#include "common/ansi_text.h"
#include "desktop/exchange/backup/contacts_backup_export.h"
#include "desktop/exchange/csv/csv_export.h"
#include "desktop/exchange/text/contacts_text_export.h"
#include "desktop/exchange/vcard/vcard_export.h"
#include "desktop/store/result_query.h"
#include "fuzz/fuzz_support.h"

namespace {

constexpr ViewMode kViewModes[] = {ViewMode::kAll, ViewMode::kPhoneContacts, ViewMode::kSimContacts,
                                   ViewMode::kKeywordSearch};

// The first page of a view mode, every column of its records read as the cards read them.
void ReadView(ViewMode mode, const QString& keyword) {
  ResultIds result = LoadResultIds(mode, keyword);
  std::span page(result.ids.data(), std::min<std::size_t>(result.ids.size(), 30));
  ReadRecords(QStringLiteral("*"), page, [](size_t, const SqlStatement& row) {
    for (int column = 0; column < row.ColumnCount(); ++column) {
      row.ColumnText(column);
      row.ColumnInt(column);
    }
  });
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
      ReadView(kViewModes[data[0] / 6 % std::size(kViewModes)],
               AnsiToWide(FuzzBytes(data + size - tail, tail)));
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
