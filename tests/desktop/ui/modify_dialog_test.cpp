#include "desktop/ui/modify_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>

#include <functional>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "desktop/ui/zolmark_app.h"
#include "platform/windows/menu.h"
#include "tests/desktop/ui/contact_dialog_testing.h"

namespace {

class ModifyDialogTest : public ContactDialogTest {
 protected:
  // Runs the modify dialog on a record; `work` changes it and saves or leaves it, and `inside`
  // scripts the messages and file dialogs it shows meanwhile.
  int RunModify(
      qint64 id, const QString& name, const std::function<void(CModifyDialog&)>& work,
      const std::function<void()>& inside = [] {}) {
    script_.ExpectDialog([&](QDialog* dialog) {
      work(*static_cast<CModifyDialog*>(dialog));
      return dialog->result();
    });
    inside();
    CModifyDialog dialog;
    dialog.m_strID = QString::number(id);
    dialog.m_strName = name;
    return dialog.DoModal();
  }

  // Runs the modify dialog, does `change` and saves successfully.
  void ModifyAndSave(
      qint64 id, const std::function<void(CModifyDialog&)>& change,
      const std::function<void()>& inside = [] {}) {
    RunModify(
        id, "",
        [&](CModifyDialog& dialog) {
          change(dialog);
          ClickSave(dialog);
        },
        [&] {
          inside();
          script_.ExpectTips(kIconSuccess, "Modify successfully!");
        });
    EXPECT_TRUE(AfxGetApp().m_bDataChanged);
  }

  QString WriteRingTone(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    WriteFileBytes(path, bytes);
    return folder_.FilePath(path);
  }
};

TEST_F(ModifyDialogTest, SavingKeepsValuesExactly) {
  for (const ExactValue& exact : ExactValues()) {
    SampleContact contact = SamplePhoneContact(exact.text, "Lee");
    qint64 id = InsertContacts({contact.Set("Notes", exact.text)})[0];
    ModifyAndSave(id, [](CModifyDialog&) {});
    ContactTexts row = StoredRow(id);
    EXPECT_EQ(row[kColumnFirstName], exact.text) << exact.what;
    EXPECT_EQ(row[kColumnNotes], exact.text) << exact.what;
    EXPECT_EQ(row[kColumnSimName], "Lee," + exact.text) << exact.what;
  }
}

TEST_F(ModifyDialogTest, LoadsEveryFieldOfTheRecord) {
  WriteRingTone("Ring/Ring.wav", "tone");
  SampleContact contact = FullPhoneContact();
  contact.Set("Birthday", "2009-12-5").Set("Ring_Tone", "\\Application Data\\Sounds\\RING.WAV");
  contact.picture = ReadFileBytes(WritePicture("photo.png", "PNG", QColor(30, 140, 60)));
  qint64 id = InsertContacts({contact})[0];
  ContactTexts before = StoredRow(id);

  EXPECT_EQ(
      RunModify(id, "O'Neil,安 B",
                [&](CModifyDialog& dialog) {
                  EXPECT_EQ(dialog.windowTitle(), "Contact-O'Neil,安 B");
                  for (const EditorField& field : EditorFields()) {
                    // The notes box shows line breaks as plain line feeds.
                    QString stored = contact.columns[kContactColumns[field.column]];
                    EXPECT_EQ(FieldText(dialog, field.column), stored.replace("\r\n", "\n"))
                        << kContactColumns[field.column];
                  }
                  EXPECT_TRUE(dialog.Item<QRadioButton>(CContactEditor::kToMobile)->isChecked());
                  EXPECT_EQ(Picker(dialog, kModifyControls.birthday)->GetDate(),
                            QDate(2009, 12, 5));
                  EXPECT_FALSE(Picker(dialog, kModifyControls.anniversary)->GetDate().has_value());
                  EXPECT_EQ(SelectedRingTone(dialog), "Ring.wav");
                  EXPECT_EQ(dialog.m_bStoredPicture, 1);
                  EXPECT_FALSE(dialog.PicturePreview().isNull());
                  SaveScreenshot(&dialog, "modify_dialog");
                  SaveScreenshot(dialog.ClientArea(), "modify_dialog_whole_form");
                  Click(dialog, kModifyControls.cancel);
                }),
      IDCANCEL);
  EXPECT_EQ(StoredRow(id), before);
  EXPECT_FALSE(AfxGetApp().m_bDataChanged);
}

// A stored value longer than its box's typing limit shows from its start, as a shorter one does.
TEST_F(ModifyDialogTest, ALongStoredValueShowsFromItsStart) {
  const QString mail = "hui.silva.with.a.long.address@example-company.com";
  qint64 id = InsertContacts({SamplePhoneContact("Hui", "Silva").Set("E_Mail", mail)})[0];
  RunModify(id, "Silva,Hui", [&](CModifyDialog& dialog) {
    auto* box = dialog.Item<QLineEdit>(dialog.FieldId(ColumnOf(ContactFieldId::kEMail)));
    EXPECT_EQ(box->text(), mail);
    EXPECT_EQ(box->cursorPosition(), 0);
    Click(dialog, kModifyControls.cancel);
  });
}

TEST_F(ModifyDialogTest, SavesChangesAndKeepsWhatTheUserLeftAlone) {
  QString longTitle(50, QChar(u'题'));
  SampleContact contact = FullPhoneContact();
  contact.Set("Title", longTitle)
      .Set("Birthday", "garbage")
      .Set("Anniversary", "2001-02-03")
      .Set("Ring_Tone", "\\Windows\\Rings\\custom.wav");
  contact.picture = ReadFileBytes(WritePicture("photo.png", "PNG", Qt::blue));
  qint64 id = InsertContacts({contact})[0];
  ContactTexts before = StoredRow(id);

  ModifyAndSave(id, [&](CModifyDialog& dialog) {
    EXPECT_EQ(SelectedRingTone(dialog), "");  // not in the list
    SetField(dialog, kColumnCompany, "New 'Co'");
    SetField(dialog, kColumnLastName, "Smith");
  });
  ContactTexts after = StoredRow(id);
  EXPECT_EQ(after[kColumnCompany], "New 'Co'");
  EXPECT_EQ(after[kColumnSimName], "Smith,安 B");
  EXPECT_EQ(after[kColumnFileAs], "Smith,安 B");
  for (int column : {int(kColumnTitle), int(kColumnNotes), int(kColumnBirthday),
                     int(kColumnAnniversary), int(kColumnRingTone), int(kColumnHasPic), 46}) {
    EXPECT_EQ(after[column], before[column]) << kContactColumns[column];
  }
  EXPECT_EQ(StoredPicture(id), contact.picture);
}

TEST_F(ModifyDialogTest, DatesAreClearedOrSetWhenTheUserChangesThem) {
  qint64 id = InsertContacts({SamplePhoneContact("Ann", "Smith").Set("Birthday", "2009-3-15")})[0];
  ModifyAndSave(id, [&](CModifyDialog& dialog) {
    Picker(dialog, kModifyControls.birthday)->NoneBox()->click();
    DateTimePicker* anniversary = Picker(dialog, kModifyControls.anniversary);
    anniversary->NoneBox()->click();
    anniversary->DateEdit()->setDate(QDate(2010, 1, 2));
  });
  EXPECT_EQ(StoredRow(id)[kColumnBirthday], "");
  EXPECT_EQ(StoredRow(id)[kColumnAnniversary], "2010-1-2");
}

TEST_F(ModifyDialogTest, RingToneChoicesAreStoredAndTheSelectedBrowsedFileCopied) {
  WriteRingTone("Ring/a.wav", "a");
  QString first = WriteRingTone("sounds/first.mp3", "first tone");
  QString second = WriteRingTone("sounds/second.wma", "second tone");
  qint64 id = InsertContacts({SamplePhoneContact("Ann", "Smith")
                                  .Set("Ring_Tone", "\\Application Data\\Sounds\\a.wav")})[0];
  ModifyAndSave(
      id,
      [&](CModifyDialog& dialog) {
        EXPECT_EQ(SelectedRingTone(dialog), "a.wav");
        ChooseRingTone(dialog, kRingToneBrowseEntry);
        ChooseRingTone(dialog, kRingToneBrowseEntry);
        auto* list = dialog.Item<QComboBox>(kModifyControls.ringTone);
        ASSERT_EQ(list->count(), 5);  // None, browse, a.wav, first.mp3, second.wma
        ChooseRingTone(dialog, 3);
        EXPECT_EQ(SelectedRingTone(dialog), "first.mp3");
      },
      [&] {
        script_.ExpectFileDialog("Open a sound file(*.wma ,*.wav or *.mp3)", first)
            .ExpectFileDialog("Open a sound file(*.wma ,*.wav or *.mp3)", second);
      });
  EXPECT_EQ(StoredRow(id)[kColumnRingTone], "\\Application Data\\Sounds\\first.mp3");
  EXPECT_EQ(ReadFileBytes("Ring/first.mp3"), "first tone");
  EXPECT_FALSE(QFileInfo::exists("Ring/second.wma"));

  ModifyAndSave(id, [&](CModifyDialog& dialog) { ChooseRingTone(dialog, 0); });
  EXPECT_EQ(StoredRow(id)[kColumnRingTone], "");
}

TEST_F(ModifyDialogTest, SimContactSavesNameNumberAndTypeOnly) {
  qint64 id = InsertContacts({SampleSimContact("Bob", "1390").Set("Company", "kept")})[0];
  ModifyAndSave(id, [&](CModifyDialog& dialog) {
    EXPECT_TRUE(dialog.Item<QRadioButton>(CContactEditor::kToSimCard)->isChecked());
    EXPECT_FALSE(dialog.acceptDrops());
    EXPECT_EQ(FieldText(dialog, kColumnSimName), "Bob");
    SetField(dialog, kColumnSimName, "Robert 'Bob'");
    SetField(dialog, kColumnMobilePhone, "1391");
  });
  ContactTexts row = StoredRow(id);
  EXPECT_EQ(row[kColumnSimName], "Robert 'Bob'");
  EXPECT_EQ(row[kColumnFileAs], "Robert 'Bob'");
  EXPECT_EQ(row[kColumnMobilePhone], "1391");
  EXPECT_EQ(row[kColumnContactType], "2");
  EXPECT_EQ(row[kColumnFirstName], "Bob");
  EXPECT_EQ(row[kColumnCompany], "kept");
}

TEST_F(ModifyDialogTest, PhoneContactSwitchedToSimKeepsItsOtherColumns) {
  qint64 id = InsertContacts({FullPhoneContact()})[0];
  ContactTexts before = StoredRow(id);
  ModifyAndSave(id, [&](CModifyDialog& dialog) {
    Click(dialog, CContactEditor::kToSimCard);
    EXPECT_TRUE(dialog.GetDlgItem(kModifyControls.simName)->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.GetDlgItem(dialog.FieldId(kColumnCompany))->isEnabled());
  });
  ContactTexts after = StoredRow(id);
  EXPECT_EQ(after[kColumnContactType], "2");
  EXPECT_EQ(after[kColumnFileAs], before[kColumnSimName]);
  for (int column = 1; column <= kColumnNotes; ++column) {
    if (column != kColumnFileAs) {
      EXPECT_EQ(after[column], before[column]) << column;
    }
  }
}

TEST_F(ModifyDialogTest, RecordDeletedMeanwhileReportsFailure) {
  qint64 id = InsertContacts({SamplePhoneContact("Ann", "Smith")})[0];
  RunModify(
      id, "Smith,Ann",
      [&](CModifyDialog& dialog) {
        DatabaseConnection().Exec("delete from Contact_Table");
        ClickSave(dialog);
        EXPECT_EQ(dialog.result(), IDCANCEL);
      },
      [&] { script_.ExpectTips(kIconError, "Error!"); });
  EXPECT_FALSE(AfxGetApp().m_bDataChanged);
  EXPECT_EQ(CountContactRows(), 0);
}

TEST_F(ModifyDialogTest, MissingRecordCannotBeSaved) {
  InsertContacts({SamplePhoneContact("Ann", "Smith")});
  for (const char* id : {"999", "1 or 1=1", ""}) {
    script_.ExpectTips(kIconError, "Load error!").ExpectDialog([](QDialog* shown) {
      auto& dialog = *static_cast<CModifyDialog*>(shown);
      EXPECT_TRUE(dialog.Item<QRadioButton>(CContactEditor::kToSimCard)->isChecked());
      EXPECT_FALSE(dialog.GetDlgItem(kModifyControls.save)->isEnabled());
      EXPECT_FALSE(
          FindCommand(dialog.MenuBar()->actions()[0]->menu(), ID_MODIFY_SAVE)->isEnabled());
      dialog.close();
      return dialog.result();
    });
    CModifyDialog dialog;
    dialog.m_strID = id;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
  }
  EXPECT_EQ(StoredRow(1)[kColumnFirstName], "Ann");
}

TEST_F(ModifyDialogTest, PictureIsReplacedOrRemoved) {
  SampleContact contact = SamplePhoneContact("Ann", "Smith");
  contact.picture = ReadFileBytes(WritePicture("old.png", "PNG", Qt::blue));
  qint64 id = InsertContacts({contact})[0];
  QString jpeg = WritePicture("new.jpg", "JPEG", Qt::red);

  ModifyAndSave(id, [&](CModifyDialog& dialog) {
    DropFiles(dialog, {jpeg});
    EXPECT_EQ(dialog.m_bStoredPicture, 0);
  });
  EXPECT_EQ(StoredPicture(id), ReadFileBytes(jpeg));
  EXPECT_EQ(StoredRow(id)[kColumnHasPic], "1");

  ModifyAndSave(id, [&](CModifyDialog& dialog) {
    Click(dialog, kModifyControls.deletePicture);
    EXPECT_TRUE(dialog.PicturePreview().isNull());
  });
  EXPECT_TRUE(StoredPicture(id).isEmpty());
  EXPECT_EQ(StoredRow(id)[kColumnHasPic], "0");
}

TEST_F(ModifyDialogTest, StoredBytesThatAreNoPictureDrawNothingAndReportNothing) {
  SampleContact contact = SamplePhoneContact("Ann", "Smith");
  contact.picture = "not a picture";
  std::vector<qint64> ids = InsertContacts({contact, SamplePhoneContact("Empty", "Blob")});
  // Marked as having a picture, but nothing stored.
  DatabaseConnection().Exec("update Contact_Table set hasPic = 1 where First_Name = 'Empty'");
  for (qint64 id : ids) {
    RunModify(id, "", [&](CModifyDialog& dialog) {
      EXPECT_EQ(dialog.m_bStoredPicture, 1);
      dialog.repaint();
      EXPECT_TRUE(dialog.Item<QLabel>(kModifyControls.picture)->pixmap().isNull()) << id;
      Click(dialog, kModifyControls.cancel);
    });
  }
}

}  // namespace
