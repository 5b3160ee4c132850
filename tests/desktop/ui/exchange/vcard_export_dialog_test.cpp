#include "desktop/ui/exchange/vcard_export_dialog.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "desktop/store/contact_database.h"
#include "platform/windows/window_styles.h"
#include "tests/desktop/ui/exchange/export_dialog_testing.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/working_folder.h"

namespace {

const char kResult[] = "Export vCard Result";

using VCardExportDialogTest = ExportDialogTest<CDlgvCardExportConfig>;

const char kBrowseTitle[] = "Export the contacts as a vCard File";

TEST_F(VCardExportDialogTest, ShowsTheFixedPropertiesReadOnly) {
  WriteFileBytes("Config/Work.vcf", "");
  WriteFileBytes("Config/Layout.cnf", "");
  Run([](CDlgvCardExportConfig& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "vCard File Export Config");
    auto* layouts =
        dynamic_cast<CComboBox*>(dialog.GetDlgItem(CDlgvCardExportConfig::kConfigNameCombo));
    EXPECT_EQ(Items(layouts), QStringList({"Apple Address Book", "Work"}));
    EXPECT_EQ(layouts->currentIndex(), 0);

    ColumnConfigFile names = dialog.Pages().GetColumnNames();
    for (int field : {0, 1, 2, 3, 4, 14, 20, 28}) EXPECT_EQ(names.names[field], "") << field;
    EXPECT_EQ(names.names[5], "NICKNAME");
    EXPECT_EQ(names.names[12], "EMAIL;TYPE=INTERNET");
    EXPECT_EQ(names.names[29], "COMPANY_MAIN");
    EXPECT_EQ(names.names[32], "TEL;TYPE=WORK;TYPE=FAX");
    EXPECT_EQ(names.names[42], "EMAIL;TYPE=INTERNET");
    EXPECT_EQ(names.names[47], "ASSISTANT");
    EXPECT_EQ(names.names[51], "Gove ID");
    EXPECT_EQ(names.names[54], "NOTE");
    for (QLineEdit* box : dialog.Pages().FirstPage().findChildren<QLineEdit*>()) {
      EXPECT_TRUE(box->isReadOnly());
    }
    for (QLineEdit* box : dialog.Pages().SecondPage().findChildren<QLineEdit*>()) {
      EXPECT_TRUE(box->isReadOnly());
    }

    // Neither the layout box nor Save Config does anything.
    layouts->setCurrentIndex(1);
    emit layouts->activated(1);
    Click(dialog, CDlgvCardExportConfig::kSaveConfigButton);
    EXPECT_EQ(dialog.Pages().GetColumnNames().names, names.names);

    dialog.show();
    SaveScreenshot(&dialog, "vcard_export_config_first_page");
    auto* tabs = dynamic_cast<CTabCtrl*>(dialog.GetDlgItem(CDlgvCardExportConfig::kSettingTab));
    QTest::mouseClick(tabs->TabBar(), Qt::LeftButton, {}, tabs->TabBar()->tabRect(1).center());
    EXPECT_TRUE(dialog.Pages().FirstPage().isHidden());
    EXPECT_FALSE(dialog.Pages().SecondPage().isHidden());
    SaveScreenshot(&dialog, "vcard_export_config_second_page");
    return IDCANCEL;
  });
  EXPECT_EQ(QDir("Config").entryList(QDir::Files).size(), 2);
}

TEST_F(VCardExportDialogTest, ExportStaysOpenWithoutAPathOrRecords) {
  InsertContacts({});
  ExpectMessage("Location the export file!", "Export vCard  Error");
  ExpectMessage("Has none Record!", kResult);
  EXPECT_EQ(Run([](CDlgvCardExportConfig& dialog) {
              dialog.show();
              Click(dialog, CDlgvCardExportConfig::kExportButton);
              EXPECT_EQ(dialog.focusWidget(), dialog.GetDlgItem(CDlgvCardExportConfig::kPathEdit));
              dialog.SetDlgItemText(CDlgvCardExportConfig::kPathEdit, "out.vcf");
              QTest::keyClick(&dialog, Qt::Key_Return);  // Enter presses Export
              EXPECT_EQ(dialog.result(), 0);
              Click(dialog, IDCANCEL);
              return dialog.result();
            }),
            IDCANCEL);
  EXPECT_FALSE(QFile::exists("out.vcf"));
}

TEST_F(VCardExportDialogTest, ExportWritesTheFileReportsAndCloses) {
  InsertContacts({SamplePhoneContact("John", "", "555")});
  ExpectFile(kBrowseTitle, QDir::current().filePath("out.vcf"));
  ExpectMessage("Export vCard Successfull!", kResult);
  EXPECT_EQ(Run([this](CDlgvCardExportConfig& dialog) {
              Click(dialog, CDlgvCardExportConfig::kExportFileButton);
              EXPECT_EQ(script_.LastFileDialog().filter, "vCard files (*.vcf)|*.vcf|");
              EXPECT_EQ(script_.LastFileDialog().defaultExtension, "Export files");
              EXPECT_TRUE(script_.LastFileDialog().fileName.startsWith("Contact_"));
              Click(dialog, CDlgvCardExportConfig::kExportButton);
              return dialog.result();
            }),
            IDOK);
  EXPECT_TRUE(ReadFileBytes("out.vcf").startsWith("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:John \r\n"));
}

TEST_F(VCardExportDialogTest, AnExportThatFailsSaysSo) {
  InsertContacts({SamplePhoneContact("John", "", "555")});
  ExpectFile(kBrowseTitle, std::nullopt);
  ExpectMessage("Export vCard faild!", kResult);
  EXPECT_EQ(Run([](CDlgvCardExportConfig& dialog) {
              Click(dialog, CDlgvCardExportConfig::kExportFileButton);  // cancelled
              EXPECT_EQ(dialog.GetDlgItemText(CDlgvCardExportConfig::kPathEdit), "");
              ExportTo(dialog, QDir::current().filePath("missing/out.vcf"));
              return dialog.result();
            }),
            IDOK);
}

}  // namespace
