#include "platform/device/tool/phone_tool.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

#include "tests/support/phone_test.h"

namespace {

class PhoneToolTest : public PhoneTest {
 protected:
  int Run(const QStringList& arguments) {
    out_.clear();
    err_.clear();
    QTextStream out(&out_);
    QTextStream err(&err_);
    return RunPhoneTool(arguments, out, err);
  }

  QString out_;
  QString err_;
};

TEST_F(PhoneToolTest, AWrongCommandLineIsRefusedWithTheReasonAndTheUsage) {
  struct Case {
    QStringList arguments;
    QString reason;
  };
  const Case cases[] = {
      {{}, "no command given"},
      {{"wipe"}, "unknown command \"wipe\""},
      {{"show", "--contacts", "5"}, "\"--contacts\" is not an option of show"},
      {{"seed", "--sms"}, "--sms needs a value"},
      {{"seed", "--sim", "70000"}, "--sim takes a number from 0 to 65535, not \"70000\""},
      {{"seed", "--contacts", "-3"}, "--contacts takes a number from 0 to 1000000, not \"-3\""},
      {{"seed", "--sms", "1e3"}, "--sms takes a number from 0 to 1000000, not \"1e3\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    EXPECT_EQ(Run(c.arguments), 2);
    EXPECT_TRUE(err_.startsWith("phone: " + c.reason + "\n\nUsage: phone seed"))
        << err_.toStdString();
    EXPECT_TRUE(out_.isEmpty());
  }
  EXPECT_FALSE(QFileInfo::exists(PhoneFile("phone.db")));
}

TEST_F(PhoneToolTest, HelpPrintsTheUsageWithTheEnvironment) {
  for (const char* help : {"--help", "-h", "help"}) {
    EXPECT_EQ(Run({help}), 0);
    for (const char* text : {"phone seed [--contacts N] [--sim N] [--sms N] [--root DIR]",
                             "phone show [--root DIR]", "PHONE_ROOT=DIR", "PHONE_SCREEN=WxH@DPI"}) {
      EXPECT_TRUE(out_.contains(text)) << text;
    }
  }
}

TEST_F(PhoneToolTest, SeedFillsAnEmptyPhoneOnlyAndShowCountsWhatItHolds) {
  const QString root = folder_.FilePath("my phone");
  EXPECT_EQ(Run({"show", "--root", root}), 1);
  EXPECT_TRUE(err_.contains("there is no phone in")) << err_.toStdString();
  EXPECT_FALSE(QFileInfo::exists(root));  // showing makes no phone

  ASSERT_EQ(Run({"seed", "--contacts", "3", "--sim", "2", "--sms", "40", "--root", root}), 0);
  ASSERT_EQ(Run({"show", "--root", root}), 0);
  for (const char* line :
       {"Phone folder: ", "\nContacts: 3\n", "\nSIM: 2 entries at indexes 1 to 250\n",
        "\nMessage store \"SMS\": 40 messages\n  Drafts: ", "\n      Projects: ",
        "\nFiles: 4\n  \\Application Data\\Sounds\\"}) {
    EXPECT_TRUE(out_.contains(line)) << line << "\n" << out_.toStdString();
  }

  EXPECT_EQ(Run({"seed", "--root", root}), 1);
  EXPECT_TRUE(err_.contains("already holds data")) << err_.toStdString();
}

// A crafted phone.db may nest folders as deep as it has folders: show lists them all, on a stack
// that does not grow with the depth, indented no further than 30 levels.
TEST_F(PhoneToolTest, ShowListsFoldersNestedTenThousandDeepOnASmallStack) {
  PhoneSetup phone;
  NestFolders(phone.SpecialFolderId(phone.MessageStoreId("SMS"), PR_CE_IPM_INBOX_ENTRYID), 10'000);
  int status = -1;
  RunOnSmallStack([&] { status = Run({"show"}); });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(out_.count("d: 0\n"), 10'000);
  EXPECT_TRUE(out_.contains("\n" + QString(62, ' ') + "d: 0\n"));
  EXPECT_FALSE(out_.contains(QString(63, ' ')));
}

TEST_F(PhoneToolTest, APhoneThatCannotBeUsedIsReportedWithItsReason) {
  struct Case {
    const char* what;
    std::function<void(const QString& root)> make;
    const char* problem;  // after the folder (and its phone.db)
  };
  const Case cases[] = {
      {"text", [](const QString& root) { WriteFileBytes(root + "/phone.db", "just text"); },
       "/phone.db is not a phone's database\n"},
      {"damaged", [](const QString&) { MakeDamagedPhone(); }, "/phone.db is damaged\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const QString root = folder_.FilePath(c.what);
    qputenv(kPhoneRootVariable, root.toLocal8Bit());
    ASSERT_TRUE(QDir().mkpath(root));
    c.make(root);
    const QByteArray before = ReadFileBytes(root + "/phone.db");
    for (const char* command : {"show", "seed"}) {
      EXPECT_EQ(Run({command, "--root", root}), 1);
      EXPECT_EQ(err_, "phone: " + root + c.problem);
    }
    EXPECT_EQ(ReadFileBytes(root + "/phone.db"), before);
  }

  WriteFileBytes(folder_.FilePath("file"), "");
  const QString underAFile = folder_.FilePath("file/phone");
  EXPECT_EQ(Run({"seed", "--root", underAFile}), 1);
  EXPECT_EQ(err_, "phone: " + underAFile +
                      " cannot be written: the folder or its phone.db is read-only, or the folder "
                      "cannot be made\n");
}

}  // namespace
