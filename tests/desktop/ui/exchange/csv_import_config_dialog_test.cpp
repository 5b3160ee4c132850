#include "desktop/ui/exchange/csv_import_config_dialog.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

#include "common/ansi_text.h"
#include "desktop/exchange/csv/column_config_file.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/contact_database.h"
#include "desktop/store/view_state.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scripted_services.h"
#include "tests/support/working_folder.h"

namespace {

// Boxes of the second page, by position on the page.
constexpr int kBirthdayOnPage = 19;
constexpr int kNotesOnPage = 20;
constexpr int kOfficeLocOnPage = 21;

const QString kSaveResult = "Save Config Result";
const QString kSaveSuccess = "Save Config Success!";
const QString kImportCaption = "Import CSV File Result";
const QString kImportResult =
    "Import csv file finish! %1 Record is Successed and %2 Record is Failded!";

QStringList Items(QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

CComboBox* ConfigNames(CDlgCSVImportConfig& dialog) {
  return dynamic_cast<CComboBox*>(dialog.GetDlgItem(CDlgCSVImportConfig::kConfigNameCombo));
}

void Click(CDlgCSVImportConfig& dialog, int id) { dialog.Item<QPushButton>(id)->click(); }

int Cancel(CDlgCSVImportConfig& dialog) {
  Click(dialog, IDCANCEL);
  return dialog.result();
}

void SaveAs(CDlgCSVImportConfig& dialog, const QString& name) {
  ConfigNames(dialog)->setEditText(name);
  Click(dialog, CDlgCSVImportConfig::kSaveConfigButton);
}

// Chooses the first layout of the layout box as the user does, with the keyboard.
void ChooseFirstLayout(CDlgCSVImportConfig& dialog) {
  dialog.show();
  QTest::keyClick(ConfigNames(dialog), Qt::Key_Down);
}

class CsvImportConfigDialogTest : public ::testing::Test {
 protected:
  struct Message {
    QString text;
    QString caption;
    int answer = IDOK;
  };

  CsvImportConfigDialogTest() {
    QDir().mkdir("Config");
    ViewState state;
    InitContactDatabase(state);
    AppViewState()->m_bDataChanged = false;
  }

  // Runs the dialog on `csv` (written as in.csv) and lets `work` drive it; `messages` are the
  // message boxes expected meanwhile, with their answers.
  int Run(const QByteArray& csv, const std::vector<Message>& messages,
          std::function<int(CDlgCSVImportConfig&)> work) {
    WriteFileBytes("in.csv", csv);
    script_.ExpectDialog(
        [&](QDialog* shown) { return work(*static_cast<CDlgCSVImportConfig*>(shown)); });
    for (const Message& message : messages) {
      script_.ExpectMessageBox(message.text, message.caption, message.answer);
    }
    CDlgCSVImportConfig dialog("in.csv");
    return dialog.DoModal();
  }

  TempWorkingFolder folder_;
  ScriptedServices script_;
};

TEST_F(CsvImportConfigDialogTest, MissingFileOrHugeHeaderIsReportedAndTheDialogNeverShows) {
  script_.ExpectMessageBox("The import file is not found!", "Import csv Error", IDOK);
  CDlgCSVImportConfig missing("missing.csv");
  EXPECT_EQ(missing.DoModal(), IDCANCEL);

  QFile file("huge.csv");  // sparse: one line of NUL bytes that takes no room on the disk
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.resize(kMaxCsvRecordMemory + 1));
  file.close();
  script_.ExpectMessageBox("The import file holds a record too large to import!",
                           "Import csv Error", IDOK);
  CDlgCSVImportConfig huge("huge.csv");
  EXPECT_EQ(huge.DoModal(), IDCANCEL);
}

TEST_F(CsvImportConfigDialogTest, OpensWithTheFileTheLayoutsAndTheHeaderInEveryBox) {
  for (const char* title : {"zeta", "Alpha", "beta"}) WriteFileBytes(ColumnConfigPath(title), "");
  Run("Phone,Name,Email,Name\r\nx\r\n", {}, [](CDlgCSVImportConfig& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "CSV File Import Config");
    EXPECT_EQ(dialog.GetDlgItemText(CDlgCSVImportConfig::kFilePathStatic), "in.csv");
    EXPECT_EQ(Items(ConfigNames(dialog)), QStringList({"Alpha", "beta", "zeta"}));
    EXPECT_EQ(ConfigNames(dialog)->currentText(), "");

    const QStringList header = {"Email", "Name", "Name", "Phone"};  // sorted, duplicates kept
    CCsvImportPage* pages[] = {&dialog.FirstPage(), &dialog.SecondPage()};
    for (CCsvImportPage* page : pages) {
      for (int i = 0; i < page->ComboCount(); ++i) {
        EXPECT_EQ(Items(page->Combo(i)), header);
        EXPECT_EQ(page->Combo(i)->currentIndex(), -1);
        EXPECT_EQ(page->GetComboText(i), "");
      }
    }
    auto* tabs = dynamic_cast<CTabCtrl*>(dialog.GetDlgItem(CDlgCSVImportConfig::kSettingTab));
    EXPECT_EQ(tabs->GetItemCount(), 2);
    EXPECT_EQ(tabs->TabBar()->tabText(0), "First Config");
    EXPECT_EQ(tabs->TabBar()->tabText(1), "Second Config");
    EXPECT_FALSE(dialog.FirstPage().isHidden());
    EXPECT_TRUE(dialog.SecondPage().isHidden());
    EXPECT_EQ(dialog.FirstPage().geometry(), tabs->GetClientRect().adjusted(1, 22, -2, -2));

    dialog.show();
    SaveScreenshot(&dialog, "csv_import_config_first_page");
    QTest::mouseClick(tabs->TabBar(), Qt::LeftButton, {}, tabs->TabBar()->tabRect(1).center());
    EXPECT_TRUE(dialog.FirstPage().isHidden());
    EXPECT_FALSE(dialog.SecondPage().isHidden());
    SaveScreenshot(&dialog, "csv_import_config_second_page");
    QTest::mouseClick(tabs->TabBar(), Qt::LeftButton, {}, tabs->TabBar()->tabRect(0).center());
    EXPECT_FALSE(dialog.FirstPage().isHidden());
    EXPECT_TRUE(dialog.SecondPage().isHidden());
    return Cancel(dialog);
  });
  EXPECT_FALSE(AppViewState()->m_bDataChanged);
}

TEST_F(CsvImportConfigDialogTest, ImportMapsBoxesByHeaderNameAndReports) {
  InsertContacts({SamplePhoneContact("Ann", "Lee", "old")});
  QByteArray csv =
      // The header's last field is empty: a box left empty maps to no column, not to that one.
      WideToAnsi(QString::fromUtf8("Given,Family,Mobile,Born,Notes,\r\n"
                                   "Ann,Lee,111,1/2/2003,\"two\r\nlines\",unnamed\r\n"
                                   "伟,张,222,,,unnamed\r\n"));
  int result =
      Run(csv, {{kImportResult.arg(2).arg(0), kImportCaption}}, [](CDlgCSVImportConfig& dialog) {
        CDlgFirCSVImpCf& first = dialog.FirstPage();
        CDlgSecCSVImpCf& second = dialog.SecondPage();
        first.SetComboText(0, "Given");
        first.SetComboText(2, "Family");
        first.SetComboText(10, "Mobile");
        first.SetComboText(12, "mobile");  // names match case-sensitively
        second.SetComboText(kBirthdayOnPage, "Born");
        second.SetComboText(kNotesOnPage, "Notes");
        dialog.show();
        // Enter in a box presses the default button, Import.
        QTest::keyClick(first.Combo(0), Qt::Key_Return);
        return dialog.result();
      });
  EXPECT_EQ(result, IDOK);
  EXPECT_TRUE(AppViewState()->m_bDataChanged);
  EXPECT_EQ(CountContactRows(), 2);
  EXPECT_EQ(ColumnValue("Mobile_Phone", "SIM_Name='Lee,Ann'"), "111");
  EXPECT_EQ(ColumnValue("Birthday", "SIM_Name='Lee,Ann'"), "2003-1-2");
  EXPECT_EQ(ColumnValue("Notes", "SIM_Name='Lee,Ann'"), "two\r\nlines");
  EXPECT_EQ(ColumnValue("E_Mail", "SIM_Name='Lee,Ann'"), "");
  EXPECT_EQ(ColumnValue("Mobile_Phone", QString::fromUtf8("SIM_Name='张,伟'")), "222");
}

// The box as the user finds it: the title of its group and the label on its left.
QString BoxName(CCsvImportPage& page, int box) {
  QRect combo = page.Combo(box)->geometry();
  QString group, label;
  int labelRight = -1;
  for (QGroupBox* found : page.findChildren<QGroupBox*>()) {
    if (found->geometry().contains(combo.topLeft())) group = found->title();
  }
  for (QLabel* found : page.findChildren<QLabel*>()) {
    QRect place = found->geometry();
    if (place.right() < combo.left() && place.right() > labelRight &&
        std::abs(place.top() - combo.top()) < place.height()) {
      label = found->text();
      labelRight = place.right();
    }
  }
  return group + "/" + label;
}

// Every box fed by a column of its own fills the column of Contact_Table its label names.
TEST_F(CsvImportConfigDialogTest, EachBoxFillsTheColumnItsLabelNames) {
  const std::map<QString, QString> kColumnOfBox = {
      {"Name/First Name:", "First_Name"},
      {"Name/Middle Name:", "Middle_Name"},
      {"Name/Last Name:", "Last_Name"},
      {"Name/Title:", "Title"},
      {"Name/Suffix:", "Suffix"},
      {"Name/Nickname:", "Nick_Name"},
      {"Job/Company:", "Company"},
      {"Job/Department:", "Department"},
      {"Job/Job title:", "Job_Title"},
      {"Job/File As:", "File_As"},
      {"Contact Information/Mobile phone:", "Mobile_Phone"},
      {"Contact Information/Web page:", "Web_Page"},
      {"Contact Information/E-mail:", "E_Mail"},
      {"Contact Information/Pager:", "Pager"},
      {"Work address/Street:", "Work_Street"},
      {"Work address/City:", "Work_City"},
      {"Work address/State:", "Work_State"},
      {"Work address/Zip:", "Work_Zip"},
      {"Work address/Country/Region:", "Work_Country"},
      {"Home address:/Street:", "Home_Street"},
      {"Home address:/City:", "Home_City"},
      {"Home address:/State:", "Home_State"},
      {"Home address:/Zip:", "Home_Zip"},
      {"Home address:/Country/Region:", "Home_Country"},
      {"Other address:/Street:", "Other_Street"},
      {"Other address:/City:", "Other_City"},
      {"Other address:/State:", "Other_State"},
      {"Other address:/Zip:", "Other_Zip"},
      {"Other address:/Country/Region:", "Other_Country"},
      {"Tel info/Company tel:", "Company_Tel"},
      {"Tel info/Work tel:", "Work_Tel"},
      {"Tel info/Work2 tel:", "Work_Tel2"},
      {"Tel info/Work fax:", "Work_Fax"},
      {"Tel info/Car tel:", "Car_Tel"},
      {"Tel info/Home tel:", "Home_Tel"},
      {"Tel info/Home2 tel:", "Home_Tel2"},
      {"Tel info/Home fax:", "Home_Fax"},
      {"Tel info/Spouse:", "Spouse"},
      {"Tel info/Children:", "Children"},
      {"E-contact/IM:", "IM"},
      {"E-contact/IM2:", "IM2"},
      {"E-contact/IM3:", "IM3"},
      {"E-contact/E-mail2:", "E_Mail2"},
      {"E-contact/E-mail3:", "E_Mail3"},
      {"Others/Radio tel:", "Radio_Tel"},
      {"Others/Assistant:", "Assistant"},
      {"Others/Manager:", "Manager"},
      {"Others/Account:", "Account"},
      {"Others/Birthday:", "Birthday"},
      {"Others/Notes:", "Notes"},
      {"Others/Office loc:", "Office_Loc"},
      {"Others/Assistant tel:", "Assistant_Tel"},
      {"Others/Customer ID:", "Customer_ID"},
      {"Others/Gove. ID:", "Gove_ID"},
      {"Others/Anniversary:", "Anniversary"}};
  // Column n of the file holds "n/2/2003", a date for the date boxes; the boxes take the
  // columns in the reverse order of the pages.
  const int count = static_cast<int>(kColumnOfBox.size());
  QStringList header, values;
  for (int column = 0; column < count; ++column) {
    header << QString("c%1").arg(column);
    values << QString("%1/2/2003").arg(column + 1);
  }
  std::map<QString, QString> expected;  // by column of Contact_Table
  Run(header.join(',').toLatin1() + "\r\n" + values.join(',').toLatin1() + "\r\n",
      {{kImportResult.arg(1).arg(0), kImportCaption}}, [&](CDlgCSVImportConfig& dialog) {
        int column = count;
        for (CCsvImportPage* page : {static_cast<CCsvImportPage*>(&dialog.FirstPage()),
                                     static_cast<CCsvImportPage*>(&dialog.SecondPage())}) {
          for (int box = 0; box < page->ComboCount(); ++box) {
            page->SetComboText(box, header[--column]);
            QString name = BoxName(*page, box);
            EXPECT_TRUE(kColumnOfBox.contains(name) && !expected.contains(kColumnOfBox.at(name)))
                << name.toStdString();
            bool date = name.endsWith("Birthday:") || name.endsWith("Anniversary:");
            expected[kColumnOfBox.at(name)] =
                date ? QString("2003-%1-2").arg(column + 1) : values[column];
          }
        }
        EXPECT_EQ(column, 0);
        Click(dialog, CDlgCSVImportConfig::kImportButton);
        return dialog.result();
      });
  ASSERT_EQ(expected.size(), kColumnOfBox.size());
  for (const auto& [column, value] : expected) {
    EXPECT_EQ(ColumnValue(column, "1"), value) << column.toStdString();
  }
  QString name =
      expected["Last_Name"] + "," + expected["First_Name"] + " " + expected["Middle_Name"];
  EXPECT_EQ(CountContactRows("ContactType=1 and hasPic=0 and Picture is null and Categories='' "
                             "and Ring_Tone='' and SIM_Name='" +
                             name + "'"),
            1);
}

TEST_F(CsvImportConfigDialogTest, ADatabaseThatCannotTakeTheRecordsIsSaidAndTheyCountFailed) {
  DatabaseConnection otherProgram;
  ASSERT_EQ(otherProgram.Exec("begin exclusive"), SQLITE_OK);
  WriteFileBytes("in.csv", "Given\r\nAnn\r\nBob\r\n");
  script_
      .ExpectDialog([](QDialog* shown) {
        auto& dialog = *static_cast<CDlgCSVImportConfig*>(shown);
        dialog.FirstPage().SetComboText(0, "Given");
        Click(dialog, CDlgCSVImportConfig::kImportButton);
        return dialog.result();
      })
      .ExpectTips(kIconError, "Database is locked!")
      .ExpectMessageBox(kImportResult.arg(0).arg(2), kImportCaption, IDOK);
  CDlgCSVImportConfig dialog("in.csv");
  EXPECT_EQ(dialog.DoModal(), IDOK);
  EXPECT_TRUE(AppViewState()->m_bDataChanged);
}

TEST_F(CsvImportConfigDialogTest, ImportWithNoColumnMappedStopsAndStoresNothing) {
  for (const QByteArray& csv : {QByteArray(), QByteArray("a,b\r\nx,y\r\n")}) {
    int result = Run(csv,
                     {{"No column of the file is mapped to a contact field: nothing is imported!",
                       "Import csv Error"}},
                     [](CDlgCSVImportConfig& dialog) {
                       dialog.show();
                       Click(dialog, CDlgCSVImportConfig::kImportButton);
                       EXPECT_TRUE(dialog.isVisible());  // the user may choose columns now
                       return Cancel(dialog);
                     });
    EXPECT_EQ(result, IDCANCEL);
  }
  EXPECT_EQ(CountContactRows(), 0);
  EXPECT_FALSE(AppViewState()->m_bDataChanged);
}

TEST_F(CsvImportConfigDialogTest, EscapeInABoxCancels) {
  int result = Run("a,b\r\nx,y\r\n", {}, [](CDlgCSVImportConfig& dialog) {
    dialog.show();
    QTest::keyClick(dialog.FirstPage().Combo(3), Qt::Key_Escape);
    return dialog.result();
  });
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(CountContactRows(), 0);
}

TEST_F(CsvImportConfigDialogTest, SavedLayoutKeepsTheCanonicalLineOrderAndLoadsBack) {
  Run("a\r\n", {{kSaveSuccess, kSaveResult}}, [](CDlgCSVImportConfig& dialog) {
    for (int i = 0; i < CDlgFirCSVImpCf::kComboCount; ++i) {
      dialog.FirstPage().SetComboText(i, QString("p1-%1").arg(i));
    }
    for (int i = 0; i < CDlgSecCSVImpCf::kComboCount; ++i) {
      dialog.SecondPage().SetComboText(i, QString("p2-%1").arg(i));
    }
    SaveAs(dialog, "mine");
    EXPECT_EQ(Items(ConfigNames(dialog)), QStringList({"mine"}));
    EXPECT_EQ(ConfigNames(dialog)->currentText(), "mine");
    return Cancel(dialog);
  });
  std::optional<ColumnConfigFile> saved = ReadColumnConfigFile("mine");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->names[0], "p1-0");
  EXPECT_EQ(saved->names[28], "p1-28");
  EXPECT_EQ(saved->names[29], "p2-0");                                  // Company tel
  EXPECT_EQ(saved->names[45], QString("p2-%1").arg(kOfficeLocOnPage));  // line 46
  EXPECT_EQ(saved->names[52], QString("p2-%1").arg(kBirthdayOnPage));   // line 53
  EXPECT_EQ(saved->names[53], "p2-25");                                 // Anniversary
  EXPECT_EQ(saved->names[54], QString("p2-%1").arg(kNotesOnPage));      // line 55

  // Choosing it in the layout box of the next dialog restores every box.
  Run("a\r\n", {}, [](CDlgCSVImportConfig& dialog) {
    ChooseFirstLayout(dialog);
    for (int i = 0; i < CDlgFirCSVImpCf::kComboCount; ++i) {
      EXPECT_EQ(dialog.FirstPage().GetComboText(i), QString("p1-%1").arg(i));
    }
    for (int i = 0; i < CDlgSecCSVImpCf::kComboCount; ++i) {
      EXPECT_EQ(dialog.SecondPage().GetComboText(i), QString("p2-%1").arg(i));
    }
    return Cancel(dialog);
  });
}

TEST_F(CsvImportConfigDialogTest, ShortLayoutEmptiesTheBoxesOfMissingLines) {
  WriteFileBytes(ColumnConfigPath("short"), "Given\r\n\r\nFamily");
  Run("Given,Family\r\n", {}, [](CDlgCSVImportConfig& dialog) {
    dialog.SecondPage().SetComboText(0, "typed");
    ChooseFirstLayout(dialog);
    EXPECT_EQ(dialog.FirstPage().GetComboText(0), "Given");
    EXPECT_EQ(dialog.FirstPage().GetComboText(1), "");
    EXPECT_EQ(dialog.FirstPage().GetComboText(2), "Family");
    EXPECT_EQ(dialog.SecondPage().GetComboText(0), "");
    return Cancel(dialog);
  });
}

TEST_F(CsvImportConfigDialogTest, ReservedAndUnusableNamesAreRefused) {
  const QString reserved =
      "Can't use the Default,Google or Outlook as the Config name,Please Put the new name!";
  const QString unusable = "This name can't be used as a Config file name,Please Put the new name!";
  std::vector<Message> messages;
  for (const QString& text : {reserved, reserved, reserved, unusable, unusable, unusable}) {
    messages.push_back({text, kSaveResult});
  }
  messages.push_back({kSaveSuccess, kSaveResult});
  Run("a\r\n", messages, [](CDlgCSVImportConfig& dialog) {
    for (const char* name : {"GOOGLE", "default", "OutLook", "", "../escape", "a/b"}) {
      SaveAs(dialog, name);
    }
    SaveAs(dialog, "Googlex");  // merely begins with a reserved name
    EXPECT_EQ(Items(ConfigNames(dialog)), QStringList({"Googlex"}));
    return Cancel(dialog);
  });
  EXPECT_EQ(QDir("Config").entryList(QDir::Files), QStringList({"Googlex.cnf"}));
  EXPECT_FALSE(QFile::exists("escape.cnf"));
}

TEST_F(CsvImportConfigDialogTest, OverwritingAsksFirst) {
  WriteFileBytes(ColumnConfigPath("mine"), "old");
  const QString question = "The Config File is already exist,Do you want to overwrite?";
  std::vector<Message> messages = {{question, "Save Config File", IDCANCEL},
                                   {question, "Save Config File", IDOK},
                                   {kSaveSuccess, kSaveResult}};
  Run("a\r\n", messages, [](CDlgCSVImportConfig& dialog) {
    dialog.FirstPage().SetComboText(0, "new");
    SaveAs(dialog, "mine");
    EXPECT_EQ(ReadFileBytes(ColumnConfigPath("mine")), "old");
    SaveAs(dialog, "mine");
    EXPECT_EQ(Items(ConfigNames(dialog)), QStringList({"mine"}));  // no second entry
    return Cancel(dialog);
  });
  EXPECT_EQ(ReadColumnConfigFile("mine")->names[0], "new");
}

TEST_F(CsvImportConfigDialogTest, LayoutsThatCannotBeReadOrWrittenAreReported) {
  WriteFileBytes(ColumnConfigPath("gone"), "Given");
  std::vector<Message> messages = {{"Can't open the Config File!", "Load Config Result"},
                                   {"Can't write the Config File!", kSaveResult}};
  Run("Given\r\n", messages, [](CDlgCSVImportConfig& dialog) {
    QFile::remove(ColumnConfigPath("gone"));
    dialog.FirstPage().SetComboText(0, "kept");
    ChooseFirstLayout(dialog);
    EXPECT_EQ(dialog.FirstPage().GetComboText(0), "kept");

    QDir("Config").removeRecursively();
    SaveAs(dialog, "new");
    EXPECT_EQ(Items(ConfigNames(dialog)), QStringList({"gone"}));
    return Cancel(dialog);
  });
}

}  // namespace
