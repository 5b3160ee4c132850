// Every file a user picks for the programs to read, when it is a FIFO and not a file: each reader
// refuses it instead of reading what another program sends through it (or waiting for one to).

#include <QDir>

#include <gtest/gtest.h>

#include <functional>

#include "desktop/exchange/csv/column_config_file.h"
#include "desktop/exchange/csv/csv_reader.h"
#include "desktop/exchange/vcard/vcard_import.h"
#include "desktop/store/contact_database.h"
#include "device/sms/sms_restore_job.h"
#include "platform/windows/picture.h"
#include "tests/support/fifo_with_writer.h"
#include "tests/support/phone_test.h"

namespace {

struct Reader {
  const char* name;
  const char* file;    // in the working folder
  QByteArray content;  // what the FIFO's writer sends: a file the reader would take
  std::function<bool(const QString& path)> refuses;
};

const Reader kReaders[] = {
    {"CSV", "in.csv", "Given\r\nAnn\r\n",
     [](const QString& path) {
       CsvRecordReader reader;
       return reader.Open(path) == CsvReadResult::kNotFound;
     }},
    {"vCard", "in.vcf", "BEGIN:VCARD\nN:Ann\nEND:VCARD\n",
     [](const QString& path) {
       return ImportVCard(path, kContactDatabaseFile).result == VCardImportResult::kUnreadable;
     }},
    {"column layout", "Config/Lay.cnf", "First_Name\r\n",
     [](const QString&) { return !ReadColumnConfigFile("Lay").has_value(); }},
    {"picture", "in.png", "not a picture",
     [](const QString& path) {
       QByteArray bytes;
       return ReadPictureFile(path, &bytes) == PictureFileResult::kCannotRead;
     }},
    {"SMS backup", "in.qrd", QByteArray(20, '\0'),
     [](const QString& path) {
       CSmsRestoreJob job(path);
       return RunSmsRestore(job).text == "Not a regular file";
     }},
};

class FifoReadingTest : public PhoneTest {};

TEST_F(FifoReadingTest, EveryReaderRefusesAFifo) {
  ASSERT_TRUE(QDir().mkpath("Config"));
  ViewState state;
  ASSERT_TRUE(InitContactDatabase(state));
  for (const Reader& reader : kReaders) {
    FifoWithWriter fifo(reader.file, reader.content);
    EXPECT_TRUE(reader.refuses(folder_.FilePath(reader.file))) << reader.name;
  }
}

}  // namespace
