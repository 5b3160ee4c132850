#include "common/contacts_backup_file.h"

#include <sys/mman.h>

#include <gtest/gtest.h>

#include <random>

#include "tests/support/backup_file_builder.h"
#include "tests/support/working_folder.h"

namespace {

using Builder = BackupFileBuilder;
namespace item = backup_item;

class ContactsBackupFileTest : public WorkingFolderTest {
 protected:
  // Reads every record and ring tone of the file; false when the reader refuses it anywhere.
  static bool ReadAll(const QString& path, BackupDialect dialect,
                      std::vector<BackupRecord>* records, std::vector<RingToneEntry>* ringTones) {
    ContactsBackupReader reader(dialect);
    if (reader.Open(path) != ContactsBackupReader::OpenResult::kOk) return false;
    std::uint32_t count;
    if (!reader.ReadRecordCount(&count)) return false;
    for (std::uint32_t i = 0; i < count; ++i) {
      BackupRecord record;
      if (!reader.ReadRecord(&record)) return false;
      records->push_back(record);
    }
    std::int32_t tones;
    if (!reader.ReadRingToneCount(&tones)) return false;
    for (std::int32_t i = 0; i < tones; ++i) {
      RingToneEntry entry;
      if (!reader.ReadRingTone(&entry)) return false;
      ringTones->push_back(entry);
    }
    return true;
  }

  static bool StructureIsWhole(const QByteArray& bytes) {
    WriteFileBytes("probe.cbk", bytes);
    ContactsBackupReader reader(kDesktopDialect);
    return reader.Open("probe.cbk") == ContactsBackupReader::OpenResult::kOk &&
           reader.CheckStructure();
  }

  static QByteArray SampleFile() {
    return Builder()
        .AddPhone({{item::kFirstName, "John"}, {item::kLastName, "Smith"}, {item::kNotes, "n"}},
                  {1980, 7, 5}, {2001, 1, 2}, QByteArray("\x89PNG....", 8))
        .AddSim("Ann", "123")
        .AddRingTone("\\Application Data\\Sounds\\a.wav", "RIFFdata")
        .Bytes();
  }
};

TEST_F(ContactsBackupFileTest, EmptyFileIs24BytesWithTheDigestOfItsLength) {
  ContactsBackupWriter writer;
  ASSERT_TRUE(writer.Create("empty.cbk", 0));
  ASSERT_TRUE(writer.WriteRingToneCount(0));
  ASSERT_TRUE(writer.Finish());
  QByteArray bytes = ReadFileBytes("empty.cbk");
  ASSERT_EQ(bytes.size(), 24);
  EXPECT_EQ(bytes.left(16).toHex(), QByteArray("4c02cb120be69cbde4c0e285d3532c7b"));
  EXPECT_EQ(bytes.mid(16), QByteArray(8, '\0'));
  EXPECT_EQ(LengthDigestText(24, kContactsDigestSalt), "24KRVTQ_MaloBexin");
}

TEST_F(ContactsBackupFileTest, RecordSizesAndDateEncoding) {
  ContactsBackupWriter writer;
  ASSERT_TRUE(writer.Create("sizes.cbk", 3));
  ASSERT_TRUE(writer.WritePhoneRecord(PhoneContactBody()));
  qint64 afterEmpty = 20 + 233;
  PhoneContactBody dated;
  dated.birthday = {1980, 7, 5};
  ASSERT_TRUE(writer.WritePhoneRecord(dated));
  ASSERT_TRUE(writer.WriteSimRecord({"Ann", ""}));
  ASSERT_TRUE(writer.WriteRingToneCount(0));
  ASSERT_TRUE(writer.Finish());

  QByteArray bytes = ReadFileBytes("sizes.cbk");
  ASSERT_EQ(bytes.size(), afterEmpty + 237 + 12 + 4);
  // The dated record: type byte, 55 empty strings, then the birthday.
  QByteArray birthday = bytes.mid(afterEmpty + 1 + 55 * 4, 8);
  EXPECT_EQ(birthday, Builder::Int32(1980) + Builder::Uint16(7) + Builder::Uint16(5));
  EXPECT_EQ(bytes.mid(afterEmpty + 237, 12), QByteArray("\x02\x03\0\0\0Ann\0\0\0\0", 12));
}

TEST_F(ContactsBackupFileTest, WriterAndReaderRoundTrip) {
  PhoneContactBody phone;
  for (int i = 0; i < kBackupStringItems; ++i) phone.items[i] = QByteArray::number(i * 7);
  phone.items[item::kFirstName] = "  John ";
  phone.birthday = {1980, 12, 25};
  phone.picture = QByteArray(700000, 'p');  // past the reader's buffer: skipped by seeking

  ContactsBackupWriter writer;
  ASSERT_TRUE(writer.Create("round.cbk", 2));
  ASSERT_TRUE(writer.WritePhoneRecord(phone));
  ASSERT_TRUE(writer.WriteSimRecord({"Ann", "123"}));
  ASSERT_TRUE(writer.WriteRingToneCount(1));
  ASSERT_TRUE(writer.WriteRingTone({"\\Sounds\\a.wav", "RIFF"}));
  ASSERT_TRUE(writer.Finish());

  EXPECT_TRUE(StructureIsWhole(ReadFileBytes("round.cbk")));
  std::vector<BackupRecord> records;
  std::vector<RingToneEntry> tones;
  ASSERT_TRUE(ReadAll("round.cbk", kDesktopDialect, &records, &tones));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].body, BackupRecord::Body::kPhone);
  EXPECT_EQ(records[0].phone.items, phone.items);
  EXPECT_EQ(records[0].phone.birthday, phone.birthday);
  EXPECT_TRUE(records[0].phone.anniversary.IsNone());
  EXPECT_EQ(records[0].phone.picture, phone.picture);
  EXPECT_EQ(records[1].body, BackupRecord::Body::kSim);
  EXPECT_EQ(records[1].sim.name, QByteArray("Ann"));
  EXPECT_EQ(records[1].sim.number, QByteArray("123"));
  ASSERT_EQ(tones.size(), 1u);
  EXPECT_EQ(tones[0].name, QByteArray("\\Sounds\\a.wav"));
  EXPECT_EQ(tones[0].data, QByteArray("RIFF"));

  EXPECT_EQ(BackupText(records[0].phone.items[item::kFirstName], kDesktopDialect), "John");
  EXPECT_EQ(BackupText(records[0].phone.items[item::kFirstName], kPhoneDialect), "  John ");
}

// The phone writes year -1 with month and day 0xFFFF for a date it cannot convert: a date like
// any other to the file, month and day included.
TEST_F(ContactsBackupFileTest, DatesAreStoredAsWrittenAndReadBack) {
  const struct {
    BackupDate date;
    const char* hex;
  } kCases[] = {
      {{1980, 7, 5}, "bc07000007000500"},
      {{-1, 0xFFFF, 0xFFFF}, "ffffffffffffffff"},
      {{}, "00000000"},
  };
  for (const auto& test : kCases) {
    PhoneContactBody body;
    body.birthday = test.date;
    body.anniversary = {2001, 12, 25};
    ContactsBackupWriter writer;
    ASSERT_TRUE(writer.Create("dates.cbk", 1));
    ASSERT_TRUE(writer.WritePhoneRecord(body));
    ASSERT_TRUE(writer.WriteRingToneCount(0));
    ASSERT_TRUE(writer.Finish());
    QByteArray hex(test.hex);
    EXPECT_EQ(ReadFileBytes("dates.cbk").mid(20 + 1 + 55 * 4, hex.size() / 2).toHex(), hex);

    std::vector<BackupRecord> records;
    std::vector<RingToneEntry> tones;
    ASSERT_TRUE(ReadAll("dates.cbk", kDesktopDialect, &records, &tones)) << test.hex;
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].phone.birthday, test.date) << test.hex;
    EXPECT_EQ(records[0].phone.anniversary, (BackupDate{2001, 12, 25})) << test.hex;
  }
}

TEST_F(ContactsBackupFileTest, PhoneWriterPatchesTheCountAtTheEnd) {
  ContactsBackupWriter writer;
  ASSERT_TRUE(writer.Create("phone.vbx", 0));
  ASSERT_TRUE(writer.WriteSimRecord({"A", "1"}));
  ASSERT_TRUE(writer.WriteSimRecord({"B", "2"}));
  ASSERT_TRUE(writer.WriteRingToneCount(0));
  ASSERT_TRUE(writer.Finish(2u));
  std::vector<BackupRecord> records;
  std::vector<RingToneEntry> tones;
  ASSERT_TRUE(ReadAll("phone.vbx", kPhoneDialect, &records, &tones));
  EXPECT_EQ(records.size(), 2u);
}

TEST_F(ContactsBackupFileTest, UnknownTypeByteDependsOnTheDialect) {
  // Type 7 followed by a SIM body: the desktop reads the body, the phone reads none and takes
  // the next byte as the next record's type.
  QByteArray bytes = Builder().AddSim("Bob", "9", 7).Bytes();
  WriteFileBytes("seven.cbk", bytes);

  std::vector<BackupRecord> records;
  std::vector<RingToneEntry> tones;
  ASSERT_TRUE(ReadAll("seven.cbk", kDesktopDialect, &records, &tones));
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].type, 7);
  EXPECT_EQ(records[0].body, BackupRecord::Body::kSim);
  EXPECT_EQ(records[0].sim.name, QByteArray("Bob"));

  ContactsBackupReader phone(kPhoneDialect);
  ASSERT_EQ(phone.Open("seven.cbk"), ContactsBackupReader::OpenResult::kOk);
  std::uint32_t count;
  ASSERT_TRUE(phone.ReadRecordCount(&count));
  BackupRecord record;
  ASSERT_TRUE(phone.ReadRecord(&record));
  EXPECT_EQ(record.body, BackupRecord::Body::kNone);
  EXPECT_EQ(phone.Position(), 21);
}

TEST_F(ContactsBackupFileTest, DigestBindsTheLengthOnly) {
  QByteArray bytes = SampleFile();
  auto openResult = [](const QByteArray& content) {
    WriteFileBytes("d.cbk", content);
    return ContactsBackupReader(kDesktopDialect).Open("d.cbk");
  };
  EXPECT_EQ(openResult(bytes), ContactsBackupReader::OpenResult::kOk);
  EXPECT_EQ(openResult(bytes + 'x'), ContactsBackupReader::OpenResult::kDigestMismatch);
  EXPECT_EQ(openResult(bytes.chopped(1)), ContactsBackupReader::OpenResult::kDigestMismatch);
  EXPECT_EQ(openResult(bytes.left(10)), ContactsBackupReader::OpenResult::kDigestMismatch);
  EXPECT_EQ(openResult(QByteArray()), ContactsBackupReader::OpenResult::kDigestMismatch);

  QByteArray changed = bytes;
  int john = changed.indexOf("John");
  changed[john] = 'X';
  EXPECT_EQ(openResult(changed), ContactsBackupReader::OpenResult::kOk);

  EXPECT_EQ(ContactsBackupReader(kDesktopDialect).Open("missing.cbk"),
            ContactsBackupReader::OpenResult::kCannotOpen);
}

TEST_F(ContactsBackupFileTest, EveryTruncationIsRefused) {
  QByteArray bytes = SampleFile();
  ASSERT_TRUE(StructureIsWhole(bytes));
  for (qsizetype length = 16; length < bytes.size(); ++length) {
    EXPECT_FALSE(StructureIsWhole(WithContactsDigest(bytes.left(length)))) << length;
  }
}

TEST_F(ContactsBackupFileTest, CountsLargerThanTheFileAreRefusedBeforeReading) {
  // A record count far beyond the bytes left.
  EXPECT_FALSE(StructureIsWhole(Builder().AddSim("A", "1").ForceRecordCount(0xFFFFFFFF).Bytes()));
  // A string claiming 2 GB.
  QByteArray huge = QByteArray(16, '\0') + Builder::Int32(1) + '\x02' + Builder::Int32(0x7FFFFFFF) +
                    "abc" + Builder::Int32(0);
  EXPECT_FALSE(StructureIsWhole(WithContactsDigest(huge)));
  // A negative string length.
  QByteArray negative = QByteArray(16, '\0') + Builder::Int32(1) + '\x02' + Builder::Int32(-5) +
                        Builder::Int32(0) + Builder::Int32(0);
  EXPECT_FALSE(StructureIsWhole(WithContactsDigest(negative)));
  // Ring-tone counts: as many empty entries as the bytes left hold, one more, huge and negative.
  QByteArray empty = Builder::Int32(0) + Builder::Int32(0);
  EXPECT_TRUE(StructureIsWhole(WithContactsDigest(QByteArray(16, '\0') + Builder::Int32(0) +
                                                  Builder::Int32(2) + empty + empty)));
  EXPECT_FALSE(StructureIsWhole(WithContactsDigest(QByteArray(16, '\0') + Builder::Int32(0) +
                                                   Builder::Int32(3) + empty + empty)));
  QByteArray tones = QByteArray(16, '\0') + Builder::Int32(0) + Builder::Int32(1000000);
  EXPECT_FALSE(StructureIsWhole(WithContactsDigest(tones)));
  tones = QByteArray(16, '\0') + Builder::Int32(0) + Builder::Int32(-1);
  EXPECT_FALSE(StructureIsWhole(WithContactsDigest(tones)));
}

TEST_F(ContactsBackupFileTest, RandomMutationsNeverCrashTheReader) {
  QByteArray valid = SampleFile();
  std::mt19937 random(20261208);
  for (int round = 0; round < 400; ++round) {
    QByteArray bytes = valid;
    int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) {
      qsizetype at = 16 + static_cast<qsizetype>(random() % (bytes.size() - 16));
      switch (random() % 3) {
        case 0:
          bytes[at] = static_cast<char>(random());
          break;
        case 1:
          bytes.insert(at, static_cast<char>(random()));
          break;
        default:
          if (bytes.size() > 17) bytes.remove(at, 1);
          break;
      }
    }
    bytes = WithContactsDigest(bytes);
    WriteFileBytes("m.cbk", bytes);
    for (BackupDialect dialect : {kDesktopDialect, kPhoneDialect}) {
      ContactsBackupReader reader(dialect);
      ASSERT_EQ(reader.Open("m.cbk"), ContactsBackupReader::OpenResult::kOk);
      bool whole = reader.CheckStructure();
      EXPECT_LE(reader.Position(), bytes.size());
      std::vector<BackupRecord> records;
      std::vector<RingToneEntry> tones;
      EXPECT_EQ(ReadAll("m.cbk", dialect, &records, &tones), whole) << round;
    }
  }
}

TEST_F(ContactsBackupFileTest, WriterFailureLeavesNothing) {
  ContactsBackupWriter writer;
  EXPECT_FALSE(writer.Create("no/such/dir/x.cbk", 0));
  EXPECT_FALSE(writer.WriteRingToneCount(0));
  EXPECT_FALSE(writer.Finish());

  WriteFileBytes("old.cbk", "old");
  {
    ContactsBackupWriter abandoned;
    ASSERT_TRUE(abandoned.Create("old.cbk", 0));
    abandoned.Abandon();
    EXPECT_FALSE(abandoned.Finish());
  }
  EXPECT_EQ(ReadFileBytes("old.cbk"), QByteArray("old"));

  // A ring tone longer than a 32-bit count can say; its pages are zeros that are never touched.
  const qint64 hugeSize = kMaxBackupBytes + 1;
  void* zeros =
      mmap(nullptr, hugeSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  ASSERT_NE(zeros, MAP_FAILED);
  ContactsBackupWriter tooLarge;
  ASSERT_TRUE(tooLarge.Create("old.cbk", 0));
  ASSERT_TRUE(tooLarge.WriteRingToneCount(1));
  EXPECT_FALSE(tooLarge.WriteRingTone(
      {"huge.wav", QByteArray::fromRawData(static_cast<const char*>(zeros), hugeSize)}));
  EXPECT_FALSE(tooLarge.Finish());
  munmap(zeros, hugeSize);
  EXPECT_EQ(ReadFileBytes("old.cbk"), QByteArray("old"));
}

TEST(BackupDate, TextsAreReadAtFixedOffsets) {
  EXPECT_EQ(BackupDateFromText("1980-5-7", false), (BackupDate{1980, 5, 7}));
  EXPECT_EQ(BackupDateFromText("1980-12-5", false), (BackupDate{1980, 12, 5}));
  EXPECT_EQ(BackupDateFromText("1980-12-25", false), (BackupDate{1980, 12, 25}));
  EXPECT_EQ(BackupDateFromText("1980-5-17", false), (BackupDate{1980, 5, 17}));
  EXPECT_TRUE(BackupDateFromText("", false).IsNone());
  EXPECT_TRUE(BackupDateFromText("no date", false).IsNone());
  EXPECT_TRUE(BackupDateFromText("0-5-7", false).IsNone());
  // Short texts read 0 past their end instead of reading beyond it.
  EXPECT_EQ(BackupDateFromText("1980", false), (BackupDate{1980, 0, 0}));
  EXPECT_EQ(BackupDateFromText("1980-5", false), (BackupDate{1980, 5, 0}));
  // The anniversary's month is taken as an absolute value.
  EXPECT_EQ(BackupDateFromText("1980--5-7", true).month, 5);
  // Offset 7 reads 0 ("/25"): the day comes from offset 8.
  EXPECT_EQ(BackupDateFromText("1980/12/25", false), (BackupDate{1980, 12, 25}));
  // The phone's mark for a date it could not convert, as an import stores it, is still a date.
  EXPECT_EQ(BackupDateFromText("-1-65535-65535", false), (BackupDate{-1, 535, 5}));
}

TEST(BackupDate, TextOfADate) {
  EXPECT_EQ(BackupDateText({1980, 7, 5}), "1980-7-5");
  EXPECT_EQ(BackupDateText({2001, 12, 25}), "2001-12-25");
  EXPECT_EQ(BackupDateText({-1, 0xFFFF, 0xFFFF}), "-1-65535-65535");
}

}  // namespace
