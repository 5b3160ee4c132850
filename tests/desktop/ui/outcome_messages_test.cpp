#include "desktop/ui/outcome_messages.h"

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "tests/support/scripted_services.h"

namespace {

struct Tip {
  int icon;
  QString text;
};

TEST(OutcomeMessages, DatabaseFaults) {
  EXPECT_EQ(DatabaseFaultText(DatabaseFault::kCannotOpen), "Can't open database!");
  EXPECT_EQ(DatabaseFaultText(DatabaseFault::kLocked), "Database is locked!");
  EXPECT_EQ(DatabaseFaultText(DatabaseFault::kCannotRead), "Can't read database!");
}

TEST(OutcomeMessages, ContactsBackupImport) {
  struct Case {
    BackupImportOutcome outcome;
    std::vector<Tip> shown;
  } cases[] = {
      {{BackupImportResult::kComplete}, {{kIconSuccess, "Import contacts complete!"}}},
      {{BackupImportResult::kFileError}, {{kIconError, "Import file error!"}}},
      {{BackupImportResult::kDatabaseFault, {}, DatabaseFault::kCannotOpen},
       {{kIconError, "Can't open database!"}}},
      {{BackupImportResult::kDatabaseFault, {}, DatabaseFault::kLocked},
       {{kIconError, "Database is locked!"}}},
      {{BackupImportResult::kFailed, {.unwritable = 2, .unusableName = true}},
       {{kIconError, "Can't open ring file!"},
        {kIconError, "Can't open ring file!"},
        {kIconError, "Invalid ring file name skipped!"},
        {kIconError, "Import fail!"}}},
  };
  for (const Case& c : cases) {
    ScriptedServices script;
    for (const Tip& tip : c.shown) script.ExpectTips(tip.icon, tip.text);
    ShowBackupImportOutcome(c.outcome);
  }
}

TEST(OutcomeMessages, ContactsExport) {
  struct Case {
    ExportOutcome outcome;
    std::vector<Tip> shown;
  } cases[] = {
      {{ExportResult::kWritten, DatabaseFault::kNone, {"\\Sounds\\a.wav", "b.wav"}},
       {{kIconError, "Can't open \\Sounds\\a.wav!!"},
        {kIconError, "Can't open b.wav!!"},
        {kIconSuccess, "Contacts exported complete!"}}},
      {{ExportResult::kDatabaseFault, DatabaseFault::kCannotOpen},
       {{kIconError, "Can't open database!"}}},
      {{ExportResult::kDatabaseFault, DatabaseFault::kLocked},
       {{kIconError, "Database is locked!"}}},
      {{ExportResult::kDatabaseFault, DatabaseFault::kCannotRead},
       {{kIconError, "Can't read database!"}}},
      {{ExportResult::kCannotCreate}, {{kIconError, "Can't create export file!"}}},
      {{ExportResult::kCannotWrite}, {{kIconError, "Can't write export file!"}}},
  };
  for (const Case& c : cases) {
    ScriptedServices script;
    for (const Tip& tip : c.shown) script.ExpectTips(tip.icon, tip.text);
    ShowContactsExportOutcome(c.outcome);
  }
}

TEST(OutcomeMessages, VCardImport) {
  const QString caption = "Import vCard File Result";
  struct Case {
    VCardImportOutcome outcome;
    const char* text;
  } cases[] = {
      {{2, 1}, "Import vCard file finish! 2 Record is Successed and 1 Record is Failded!"},
      {{.result = VCardImportResult::kTooLarge},
       "The vCard file holds a card too large to import (more than 32 MB)!"},
      {{.result = VCardImportResult::kUnreadable}, "Can't read the vCard file!"},
  };
  for (const Case& c : cases) {
    ScriptedServices script;
    script.ExpectMessageBox(c.text, caption, IDOK);
    ShowVCardImportOutcome(c.outcome);
  }
  ScriptedServices script;
  script.ExpectTips(kIconError, "Database is locked!")
      .ExpectMessageBox("Import vCard file finish! 0 Record is Successed and 3 Record is Failded!",
                        caption, IDOK);
  ShowVCardImportOutcome({0, 3, VCardImportResult::kRead, DatabaseFault::kLocked});
}

}  // namespace
