#include "desktop/ui/exchange/csv_export_dialog.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "common/text_mode_file.h"
#include "desktop/exchange/csv/column_config_file.h"
#include "desktop/exchange/csv/csv_export.h"
#include "desktop/store/contact_database.h"
#include "platform/windows/window_styles.h"
#include "tests/desktop/ui/exchange/export_dialog_testing.h"
#include "tests/support/sample_contacts.h"

namespace {

const char kSaveResult[] = "Save Config Result";
const char kExportResult[] = "Export csv Result";

// A layout whose every name tells its line: "n1", "n2", ...
ColumnConfigFile NumberedNames(const QString& prefix) {
  ColumnConfigFile names;
  for (int i = 0; i < kContactFieldCount; ++i) names.names[i] = prefix + QString::number(i + 1);
  return names;
}

class CsvExportDialogTest : public ExportDialogTest<CDlgCSVExportConfig> {
 protected:
  static CComboBox* Layouts(CDlgCSVExportConfig& dialog) {
    return dynamic_cast<CComboBox*>(dialog.GetDlgItem(CDlgCSVExportConfig::kConfigNameCombo));
  }
  // Chooses a list item as the user does.
  static void Choose(CDlgCSVExportConfig& dialog, const QString& layout) {
    int index = Layouts(dialog)->findText(layout);
    ASSERT_GE(index, 0) << layout.toStdString();
    Layouts(dialog)->setCurrentIndex(index);
    emit Layouts(dialog)->activated(index);
  }
  static void SaveAs(CDlgCSVExportConfig& dialog, const QString& title) {
    Layouts(dialog)->setEditText(title);
    Click(dialog, CDlgCSVExportConfig::kSaveConfigButton);
  }
  static bool BoxesReadOnly(CDlgCSVExportConfig& dialog, bool readOnly) {
    for (CCsvExportPage* page : {static_cast<CCsvExportPage*>(&dialog.Pages().FirstPage()),
                                 static_cast<CCsvExportPage*>(&dialog.Pages().SecondPage())}) {
      for (QLineEdit* box : page->findChildren<QLineEdit*>()) {
        if (box->isReadOnly() != readOnly) return false;
      }
    }
    return true;
  }
};

TEST_F(CsvExportDialogTest, OpensWithTheBuiltInLayoutsAndTheDefaultNames) {
  EXPECT_EQ(
      Run([](CDlgCSVExportConfig& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "CSV File Export Config");
        EXPECT_EQ(Items(Layouts(dialog)), QStringList({"Default", "Google", "Outlook"}));
        EXPECT_EQ(Layouts(dialog)->currentText(), "Default");
        EXPECT_EQ(dialog.Pages().GetColumnNames().names, DefaultCsvColumns().names);
        EXPECT_TRUE(BoxesReadOnly(dialog, false));
        EXPECT_EQ(dialog.Pages().FirstPage().GetBoxText(0), "First Name");
        EXPECT_EQ(dialog.Pages().SecondPage().GetBoxText(25), "Notes");

        auto* tabs = dynamic_cast<CTabCtrl*>(dialog.GetDlgItem(CDlgCSVExportConfig::kSettingTab));
        EXPECT_EQ(tabs->TabBar()->tabText(0), "First Config");
        EXPECT_EQ(tabs->TabBar()->tabText(1), "Second Config");
        EXPECT_FALSE(dialog.Pages().FirstPage().isHidden());
        EXPECT_TRUE(dialog.Pages().SecondPage().isHidden());
        EXPECT_EQ(dialog.Pages().FirstPage().geometry(),
                  tabs->GetClientRect().adjusted(1, 22, -2, -2));
        dialog.show();
        SaveScreenshot(&dialog, "csv_export_config_first_page");
        QTest::mouseClick(tabs->TabBar(), Qt::LeftButton, {}, tabs->TabBar()->tabRect(1).center());
        EXPECT_TRUE(dialog.Pages().FirstPage().isHidden());
        EXPECT_FALSE(dialog.Pages().SecondPage().isHidden());
        SaveScreenshot(&dialog, "csv_export_config_second_page");

        Click(dialog, IDCANCEL);
        return dialog.result();
      }),
      IDCANCEL);
}

TEST_F(CsvExportDialogTest, ASavedTitleSortingFirstIsSelectedButTheBoxesShowDefault) {
  ASSERT_TRUE(WriteColumnConfigFile("alpha", NumberedNames("a")));
  ASSERT_TRUE(WriteColumnConfigFile("Mine", NumberedNames("m")));
  Run([](CDlgCSVExportConfig& dialog) {
    EXPECT_EQ(Items(Layouts(dialog)),
              QStringList({"alpha", "Default", "Google", "Mine", "Outlook"}));
    EXPECT_EQ(Layouts(dialog)->currentIndex(), 0);
    EXPECT_EQ(dialog.Pages().GetColumnNames().names, DefaultCsvColumns().names);
    return IDCANCEL;
  });
}

TEST_F(CsvExportDialogTest, ChoosingLayouts) {
  ColumnConfigFile tenLines;
  for (int i = 0; i < 10; ++i) tenLines.names[i] = QString("c%1").arg(i + 1);
  ASSERT_TRUE(WriteColumnConfigFile("Ten", tenLines));
  ASSERT_TRUE(WriteColumnConfigFile("gone", tenLines));
  ExpectMessage("Can't open the Config File!", "Load Config Result");
  Run([&](CDlgCSVExportConfig& dialog) {
    Choose(dialog, "Google");
    EXPECT_EQ(dialog.Pages().GetColumnNames().names, ColumnConfigFile().names);
    EXPECT_TRUE(BoxesReadOnly(dialog, true));
    Choose(dialog, "Outlook");
    EXPECT_TRUE(BoxesReadOnly(dialog, false));
    EXPECT_EQ(dialog.Pages().GetColumnNames().names, OutlookCsvColumns().names);
    Choose(dialog, "Google");
    Choose(dialog, "Ten");  // fewer lines empty the other boxes
    EXPECT_TRUE(BoxesReadOnly(dialog, false));
    EXPECT_EQ(dialog.Pages().GetColumnNames().names, tenLines.names);
    Choose(dialog, "Default");
    EXPECT_EQ(dialog.Pages().GetColumnNames().names, DefaultCsvColumns().names);
    QFile::remove(ColumnConfigPath("gone"));  // deleted after the list was built
    Choose(dialog, "gone");
    EXPECT_EQ(dialog.Pages().GetColumnNames().names, DefaultCsvColumns().names);
    return IDCANCEL;
  });
}

TEST_F(CsvExportDialogTest, SaveConfigRefusesReservedAndUnusableTitles) {
  ExpectMessage(
      "Can't use the Default,Google or Outlook as the Config name,Please Put the new name!",
      kSaveResult);
  ExpectMessage(
      "Can't use the Default,Google or Outlook as the Config name,Please Put the new name!",
      kSaveResult);
  for (int i = 0; i < 3; ++i) {
    ExpectMessage("This name can't be used as a Config file name,Please Put the new name!",
                  kSaveResult);
  }
  Run([](CDlgCSVExportConfig& dialog) {
    dialog.show();
    for (const char* title : {"google", "OUTLOOK", "", "../outside", ".."}) SaveAs(dialog, title);
    EXPECT_EQ(dialog.focusWidget(), Layouts(dialog));
    return IDCANCEL;
  });
  EXPECT_TRUE(QDir("Config").entryList(QDir::Files).isEmpty());
  EXPECT_FALSE(QFile::exists("outside.cnf"));
}

TEST_F(CsvExportDialogTest, SaveConfigWritesTheBoxesAndAsksBeforeOverwriting) {
  ExpectMessage("Save Config Success!", kSaveResult);
  ExpectMessage("The Config File is already exist,Do you want to overwrite?", "Save Config File",
                IDCANCEL);
  ExpectMessage("The Config File is already exist,Do you want to overwrite?", "Save Config File");
  ExpectMessage("Save Config Success!", kSaveResult);
  Run([](CDlgCSVExportConfig& dialog) {
    Choose(dialog, "Outlook");
    dialog.Pages().SecondPage().SetBoxText(25, "Remarks, \"all\"");  // Notes
    SaveAs(dialog, "Mine");
    ColumnConfigFile saved = OutlookCsvColumns();
    saved.names[54] = "Remarks, \"all\"";
    EXPECT_EQ(ReadColumnConfigFile("Mine")->names, saved.names);
    // Listed in sorted place; the selection stays.
    EXPECT_EQ(Items(Layouts(dialog)), QStringList({"Default", "Google", "Mine", "Outlook"}));
    EXPECT_EQ(Layouts(dialog)->currentIndex(), 3);

    dialog.Pages().FirstPage().SetBoxText(0, "Changed");
    SaveAs(dialog, "Mine");  // cancelled
    EXPECT_EQ(ReadColumnConfigFile("Mine")->names, saved.names);
    SaveAs(dialog, "Mine");  // overwritten
    EXPECT_EQ(ReadColumnConfigFile("Mine")->names[0], "Changed");
    EXPECT_EQ(Layouts(dialog)->count(), 4);
    return IDCANCEL;
  });
  // The next dialog lists it.
  Run([](CDlgCSVExportConfig& dialog) {
    EXPECT_EQ(Items(Layouts(dialog)), QStringList({"Default", "Google", "Mine", "Outlook"}));
    return IDCANCEL;
  });
}

TEST_F(CsvExportDialogTest, ExportStaysOpenWithoutAPathOrRecords) {
  ExpectMessage("Location the export file!", "Export csv Error");
  ExpectMessage("Has none Record!", kExportResult);
  ExpectMessage("Location the export file!", "Export csv Error");
  InsertContacts({});
  EXPECT_EQ(Run([](CDlgCSVExportConfig& dialog) {
              dialog.show();
              Click(dialog, CDlgCSVExportConfig::kExportButton);
              EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(CDlgCSVExportConfig::kPathEdit));
              ExportTo(dialog, "out.csv");
              EXPECT_EQ(dialog.result(), 0);  // still open
              // Enter presses Export.
              dialog.SetDlgItemText(CDlgCSVExportConfig::kPathEdit, "");
              QTest::keyClick(&dialog, Qt::Key_Return);
              EXPECT_EQ(dialog.result(), 0);
              Click(dialog, IDCANCEL);
              return dialog.result();
            }),
            IDCANCEL);
  EXPECT_FALSE(QFile::exists("out.csv"));
}

TEST_F(CsvExportDialogTest, ExportWritesTheEditedHeaderAndCloses) {
  InsertContacts({SamplePhoneContact("Ann", "Lee", "138")});
  ExpectMessage("Export Contacts success!", kExportResult);
  EXPECT_EQ(Run([](CDlgCSVExportConfig& dialog) {
              Choose(dialog, "Outlook");
              dialog.Pages().FirstPage().SetBoxText(3, "Anrede");  // Title, the first column
              ExportTo(dialog, "out.csv");
              return dialog.result();
            }),
            IDOK);
  QByteArray file = ReadFileBytes("out.csv");
  EXPECT_TRUE(file.startsWith("\"Anrede\",\"First Name\",\"Middle Name\",\"Last Name\","));
  EXPECT_TRUE(file.contains("\"Business Street\""));
  EXPECT_EQ(file.count("\r\n"), 2);
}

TEST_F(CsvExportDialogTest, GoogleInAnyLetterCaseExportsTheGoogleLayout) {
  InsertContacts({SamplePhoneContact("Ann", "Lee", "138")});
  ASSERT_TRUE(WriteColumnConfigFile("GOOGLE", NumberedNames("g")));  // put there by hand
  ExpectMessage("Export Contacts success!", kExportResult);
  Run([](CDlgCSVExportConfig& dialog) {
    Choose(dialog, "GOOGLE");
    EXPECT_TRUE(BoxesReadOnly(dialog, true));
    ExportTo(dialog, "out.csv");
    return dialog.result();
  });
  EXPECT_TRUE(ReadFileBytes("out.csv").startsWith(ToTextModeBytes(BuildGoogleCsvHeader())));
}

TEST_F(CsvExportDialogTest, AnExportThatFailsSaysSoAndCloses) {
  InsertContacts({SamplePhoneContact("Ann", "Lee", "138")});
  QString path = QDir::current().filePath("missing/out.csv");
  ExpectMessage("The  file " + path + " not exist!", "create common csv Error");
  ExpectMessage("Export Contacts fail!", kExportResult);
  EXPECT_EQ(Run([&](CDlgCSVExportConfig& dialog) {
              ExportTo(dialog, path);
              return dialog.result();
            }),
            IDOK);
}

// Rows that cannot be read are the database's fault, told as the views tell it; the dialog stays.
TEST_F(CsvExportDialogTest, AnExportOfADamagedDatabaseSaysSoAndStaysOpen) {
  InsertContactsWithOneDamaged(3, 1);
  ExpectMessage("Can't read database!", "Export csv Error");
  EXPECT_EQ(Run([](CDlgCSVExportConfig& dialog) {
              ExportTo(dialog, "out.csv");
              EXPECT_EQ(dialog.result(), 0);
              Click(dialog, IDCANCEL);
              return dialog.result();
            }),
            IDCANCEL);
}

TEST_F(CsvExportDialogTest, ExportFileProposesANameAndFillsThePath) {
  ExpectFile("Export the contacts as a CSV File", std::nullopt);
  ExpectFile("Export the contacts as a CSV File", QString("/tmp/contacts.csv"));
  Run([this](CDlgCSVExportConfig& dialog) {
    dialog.SetDlgItemText(CDlgCSVExportConfig::kPathEdit, "kept.csv");
    Click(dialog, CDlgCSVExportConfig::kExportFileButton);
    EXPECT_EQ(dialog.GetDlgItemText(CDlgCSVExportConfig::kPathEdit), "kept.csv");
    const FileDialogRequest& request = script_.LastFileDialog();
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.filter, "CSV files (*.csv)|*.csv|");
    EXPECT_EQ(request.defaultExtension, "Export files");
    EXPECT_EQ(request.flags, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR);
    EXPECT_TRUE(request.fileName.startsWith("Contact_"));
    Click(dialog, CDlgCSVExportConfig::kExportFileButton);
    EXPECT_EQ(dialog.GetDlgItemText(CDlgCSVExportConfig::kPathEdit), "/tmp/contacts.csv");
    return IDCANCEL;
  });
}

}  // namespace
