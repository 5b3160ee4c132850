#include "platform/device/stores/phone_folder.h"

#include <QDir>
#include <QFileInfo>

#include "tests/support/phone_test.h"

namespace {

class PhoneFolderTest : public PhoneTest {};

TEST_F(PhoneFolderTest, RootComesFromTheVariableOrDefaultsToPhoneInTheWorkingFolder) {
  EXPECT_EQ(PhoneRootFolder(), QDir::cleanPath(folder_.FilePath("phone")));
  EXPECT_TRUE(QFileInfo(PhoneRootFolder()).isDir());
  EXPECT_EQ(PhoneDatabasePath(), PhoneFile("phone.db"));

  qputenv(kPhoneRootVariable, "nested/elsewhere");
  EXPECT_EQ(PhoneRootFolder(), QDir::cleanPath(folder_.FilePath("nested/elsewhere")));
  qunsetenv(kPhoneRootVariable);
  EXPECT_EQ(PhoneRootFolder(), QDir::cleanPath(folder_.FilePath("phone")));
}

TEST_F(PhoneFolderTest, PhonePathsMapBelowTheRoot) {
  const QString root = PhoneRootFolder();
  EXPECT_EQ(PhonePathToLocal("\\Application Data\\Sounds\\a.wav"),
            root + "/Application Data/Sounds/a.wav");
  EXPECT_EQ(PhonePathToLocal("Application Data/Sounds//a.wav"),
            root + "/Application Data/Sounds/a.wav");
  EXPECT_EQ(PhonePathToLocal("\\a\\.\\b\\..\\c.wav"), root + "/a/c.wav");
  EXPECT_EQ(PhonePathToLocal("\\"), root);
  EXPECT_EQ(PhonePathToLocal(""), root);
}

TEST_F(PhoneFolderTest, PathsThatWouldLeaveTheFolderMapToNothing) {
  EXPECT_EQ(PhonePathToLocal("\\..\\outside.txt"), std::nullopt);
  EXPECT_EQ(PhonePathToLocal("..\\..\\etc\\passwd"), std::nullopt);
  EXPECT_EQ(PhonePathToLocal("\\a\\..\\..\\b"), std::nullopt);
  EXPECT_EQ(PhonePathToLocal("/../phone2/x"), std::nullopt);
  EXPECT_EQ(PhonePathToLocal(QString("\\a") + QChar(u'\0') + "\\..\\..\\b"), std::nullopt);
  EXPECT_EQ(PhonePathToLocal(QString("\\phone.db") + QChar(u'\0') + ".wav"), std::nullopt);

  EXPECT_FALSE(CreatePhoneDirectory("\\..\\escaped"));
  EXPECT_FALSE(QFileInfo::exists(folder_.FilePath("escaped")));
  EXPECT_FALSE(WritePhoneFile("\\..\\escaped.txt", "x"));
  EXPECT_FALSE(QFileInfo::exists(folder_.FilePath("escaped.txt")));
  WriteFileBytes(folder_.FilePath("secret.txt"), "secret");
  EXPECT_EQ(OpenPhoneFileForReading("\\..\\secret.txt"), nullptr);
  EXPECT_FALSE(PhoneDirectoryExists("\\.."));
}

TEST_F(PhoneFolderTest, NoPathReachesTheDatabaseOrTheFilesBesideIt) {
  for (const char* path : {"\\phone.db", "phone.db-journal", "/PHONE.DB-wal", "\\Phone.db-shm",
                           "\\Sounds\\..\\phone.db-mj0123", "\\phone.db-journal\\x"}) {
    EXPECT_EQ(PhonePathToLocal(path), std::nullopt) << path;
  }
  const QString root = PhoneRootFolder();
  EXPECT_EQ(PhonePathToLocal("\\Sounds\\phone.db"), root + "/Sounds/phone.db");
  EXPECT_EQ(PhonePathToLocal("\\phone.dbx"), root + "/phone.dbx");
  EXPECT_FALSE(WritePhoneFile("\\phone.db-journal", "x"));
  EXPECT_FALSE(CreatePhoneDirectory("\\phone.db-wal"));
  EXPECT_FALSE(QFileInfo::exists(PhoneFile("phone.db-journal")));
  EXPECT_FALSE(QFileInfo::exists(PhoneFile("phone.db-wal")));
}

// Links to the root, above it and to the database's journal: no path goes through one.
TEST_F(PhoneFolderTest, NoPathGoesThroughALink) {
  const QString root = PhoneRootFolder();
  ASSERT_TRUE(QDir(root).mkdir("Sounds"));
  ASSERT_TRUE(QFile::link(".", PhoneFile("Up")));
  ASSERT_TRUE(QFile::link("..", PhoneFile("Sounds/Out")));
  ASSERT_TRUE(QFile::link("../phone.db-journal", PhoneFile("Sounds/ring.wav")));
  for (const char* path :
       {"\\Up", "\\Up\\phone.db-journal", "\\Sounds\\Out\\x.wav", "\\Sounds\\ring.wav"}) {
    EXPECT_EQ(PhonePathToLocal(path), std::nullopt) << path;
    EXPECT_FALSE(WritePhoneFile(path, "x")) << path;
  }
  EXPECT_FALSE(CreatePhoneDirectory("\\Sounds\\Out\\escaped"));
  EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            (QStringList{"Sounds", "Up"}));
  EXPECT_EQ(QDir(folder_.Path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList{"phone"});
}

TEST_F(PhoneFolderTest, FoldersAreCreatedOneLevelAtATime) {
  EXPECT_FALSE(PhoneDirectoryExists("\\Application Data"));
  EXPECT_FALSE(CreatePhoneDirectory("\\Application Data\\Sounds"));  // parent missing
  EXPECT_TRUE(CreatePhoneDirectory("\\Application Data"));
  EXPECT_FALSE(CreatePhoneDirectory("\\Application Data"));  // exists already
  EXPECT_TRUE(CreatePhoneDirectory("\\Application Data\\Sounds"));
  EXPECT_TRUE(PhoneDirectoryExists("\\Application Data\\Sounds"));
  EXPECT_TRUE(QFileInfo(PhoneFile("Application Data/Sounds")).isDir());
}

TEST_F(PhoneFolderTest, FilesAreWrittenReadAndNeverMistakenForFolders) {
  EXPECT_FALSE(WritePhoneFile("\\Missing\\ring.wav", "x"));
  ASSERT_TRUE(CreatePhoneDirectory("\\Sounds"));
  EXPECT_FALSE(WritePhoneFile("\\Sounds", "x"));
  EXPECT_EQ(OpenPhoneFileForReading("\\Sounds"), nullptr);
  EXPECT_EQ(OpenPhoneFileForReading("\\Sounds\\ring.wav"), nullptr);

  ASSERT_TRUE(WritePhoneFile("\\Sounds\\ring.wav", "RIFF1234"));
  EXPECT_EQ(ReadFileBytes(PhoneFile("Sounds/ring.wav")), "RIFF1234");
  EXPECT_FALSE(PhoneDirectoryExists("\\Sounds\\ring.wav"));

  std::unique_ptr<QFile> read = OpenPhoneFileForReading("/Sounds/ring.wav");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->readAll(), "RIFF1234");

  ASSERT_TRUE(WritePhoneFile("\\Sounds\\ring.wav", ""));  // replaces the file
  EXPECT_EQ(ReadFileBytes(PhoneFile("Sounds/ring.wav")), "");
}

}  // namespace
