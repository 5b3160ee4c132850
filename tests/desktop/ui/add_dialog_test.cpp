#include "desktop/ui/add_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

#include <functional>

#include <gtest/gtest.h>

#include "desktop/resources/resource_ids.h"
#include "desktop/ui/zolmark_app.h"
#include "platform/windows/menu.h"
#include "platform/windows/picture.h"
#include "tests/desktop/ui/contact_dialog_testing.h"
#include "tests/support/test_images.h"

namespace {

class AddDialogTest : public ContactDialogTest {
 protected:
  // Runs the add dialog; `work` fills it in and saves or leaves it, and `inside` scripts the
  // messages and file dialogs it shows meanwhile. Returns how it ended (0 while it is open).
  int RunAdd(
      const std::function<void(CAddDialog&)>& work, const std::function<void()>& inside = [] {}) {
    script_.ExpectDialog([&](QDialog* dialog) {
      work(*static_cast<CAddDialog*>(dialog));
      return dialog->result();
    });
    inside();
    CAddDialog dialog;
    return dialog.DoModal();
  }

  // Adds a phone contact named Ann Smith, with `more` done before saving.
  void AddAnn(
      const std::function<void(CAddDialog&)>& more, const std::function<void()>& inside = [] {}) {
    RunAdd(
        [&](CAddDialog& dialog) {
          SetField(dialog, kColumnFirstName, "Ann");
          SetField(dialog, kColumnLastName, "Smith");
          more(dialog);
          ClickSave(dialog);
        },
        [&] {
          inside();
          script_.ExpectTips(kIconSuccess, "Add successfully!");
        });
  }
};

TEST_F(AddDialogTest, OpensEmptyAsAPhoneContact) {
  RunAdd([&](CAddDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Add a new record");
    EXPECT_TRUE(dialog.Item<QRadioButton>(CContactEditor::kToMobile)->isChecked());
    EXPECT_FALSE(dialog.GetDlgItem(kAddControls.simName)->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.GetDlgItem(kAddControls.namesLabel)->isVisibleTo(&dialog));
    EXPECT_FALSE(Picker(dialog, kAddControls.birthday)->GetDate().has_value());
    EXPECT_FALSE(Picker(dialog, kAddControls.anniversary)->GetDate().has_value());
    EXPECT_EQ(SelectedRingTone(dialog), "");
    EXPECT_EQ(dialog.Item<QLabel>(kAddControls.picture)->pixmap().size(), kPictureSize);
    EXPECT_TRUE(dialog.acceptDrops());
    EXPECT_EQ(dialog.MenuBar()->actions()[0]->text(), "Tool menu");
    SaveScreenshot(&dialog, "add_dialog");
    SaveScreenshot(dialog.ClientArea(), "add_dialog_whole_form");
  });
}

TEST_F(AddDialogTest, PictureButtonsKeepTheirCaptionsAndDrawTheirPicturesAlone) {
  RunAdd([&](CAddDialog& dialog) {
    for (auto [id, caption] :
         {std::pair{kAddControls.save, "Save"}, std::pair{kAddControls.cancel, "Cancel"},
          std::pair{kAddControls.deletePicture, "Delete Picture"}}) {
      EXPECT_EQ(dialog.GetDlgItemText(id), caption);
      EXPECT_TRUE(DrawsItsPictureAlone(dialog.Item<QAbstractButton>(id))) << caption;
    }
  });
}

TEST_F(AddDialogTest, PhoneContactStoresEveryFieldAsTyped) {
  SampleContact typed = FullPhoneContact();
  typed.Set("Notes", "line one\nline \"two\" 'three'");
  AddAnn([&](CAddDialog& dialog) {
    for (const EditorField& field : EditorFields()) {
      if (field.column == kColumnFileAs || field.column == kColumnSimName) continue;
      SetField(dialog, field.column, typed.columns[kContactColumns[field.column]]);
    }
    DateTimePicker* birthday = Picker(dialog, kAddControls.birthday);
    birthday->NoneBox()->click();
    birthday->DateEdit()->setDate(QDate(1985, 6, 9));
  });
  EXPECT_TRUE(AfxGetApp().m_bDataChanged);

  ContactTexts row = StoredRow(1);
  for (const EditorField& field : EditorFields()) {
    if (field.column == kColumnFileAs || field.column == kColumnSimName) continue;
    EXPECT_EQ(row[field.column], typed.columns[kContactColumns[field.column]])
        << kContactColumns[field.column];
  }
  EXPECT_EQ(row[kColumnFileAs], "O'Neil,安 B");
  EXPECT_EQ(row[kColumnSimName], "O'Neil,安 B");
  EXPECT_EQ(row[kColumnContactType], "1");
  EXPECT_EQ(row[kColumnHasPic], "0");
  EXPECT_TRUE(IsNull(1, "Picture"));
  EXPECT_EQ(row[kColumnRingTone], "");
  EXPECT_EQ(row[kColumnBirthday], "1985-6-9");
  EXPECT_EQ(row[kColumnAnniversary], "");
}

TEST_F(AddDialogTest, SimContactStoresNameAndNumberOnly) {
  RunAdd(
      [&](CAddDialog& dialog) {
        SetField(dialog, kColumnCompany, "typed before switching");
        Click(dialog, CContactEditor::kToSimCard);
        EXPECT_TRUE(dialog.GetDlgItem(kAddControls.simName)->isVisibleTo(&dialog));
        EXPECT_FALSE(dialog.GetDlgItem(dialog.FieldId(kColumnFirstName))->isVisibleTo(&dialog));
        EXPECT_FALSE(dialog.GetDlgItem(dialog.FieldId(kColumnCompany))->isEnabled());
        EXPECT_FALSE(dialog.GetDlgItem(dialog.FieldId(36))->isEnabled());  // Home2 tel
        EXPECT_TRUE(dialog.GetDlgItem(dialog.FieldId(kColumnMobilePhone))->isEnabled());
        EXPECT_TRUE(dialog.GetDlgItem(dialog.FieldId(kColumnFileAs))->isEnabled());
        for (int id : {kAddControls.ringTone, kAddControls.birthday, kAddControls.picture}) {
          EXPECT_FALSE(dialog.GetDlgItem(id)->isEnabled()) << id;
        }
        EXPECT_TRUE(dialog.GetDlgItem(kAddControls.deletePicture)->isEnabled());
        EXPECT_FALSE(dialog.acceptDrops());
        SetField(dialog, kColumnSimName, "王小明");
        SetField(dialog, kColumnMobilePhone, "13900001111");
        SaveScreenshot(&dialog, "add_dialog_sim_contact");
        ClickSave(dialog);
      },
      [&] { script_.ExpectTips(kIconSuccess, "Add successfully!"); });
  ContactTexts row = StoredRow(1);
  EXPECT_EQ(row[kColumnFirstName], "王小明");
  EXPECT_EQ(row[kColumnSimName], "王小明");
  EXPECT_EQ(row[kColumnMobilePhone], "13900001111");
  EXPECT_EQ(row[kColumnContactType], "2");
  EXPECT_TRUE(IsNull(1, "File_As"));
  EXPECT_TRUE(IsNull(1, "Company"));
}

TEST_F(AddDialogTest, SimNameOfFifteenCharactersIsRefusedAndFourteenStored) {
  RunAdd(
      [&](CAddDialog& dialog) {
        Click(dialog, CContactEditor::kToSimCard);
        SetField(dialog, kColumnSimName, "ABCDEFGHIJKLMNO");
        ClickSave(dialog);
        EXPECT_EQ(dialog.result(), 0);  // still open
        SetField(dialog, kColumnSimName, "ABCDEFGHIJKLMN");
        ClickSave(dialog);
      },
      [&] {
        script_.ExpectTips(kIconError, "The name is too long,reset the name please!")
            .ExpectTips(kIconSuccess, "Add successfully!");
      });
  EXPECT_EQ(CountContactRows(), 1);
  EXPECT_EQ(StoredRow(1)[kColumnSimName], "ABCDEFGHIJKLMN");
}

TEST_F(AddDialogTest, ContactsOfTheSameNameAreRefused) {
  InsertContacts({SamplePhoneContact("Ann", "Smith").Set("Middle_Name", "B")});
  RunAdd(
      [&](CAddDialog& dialog) {
        SetField(dialog, kColumnFirstName, "Ann");
        SetField(dialog, kColumnMiddleName, "B");
        SetField(dialog, kColumnLastName, "Smith");
        ClickSave(dialog);
        EXPECT_EQ(dialog.result(), 0);
        SetField(dialog, kColumnMiddleName, "C");
        ClickSave(dialog);
      },
      [&] {
        script_.ExpectTips(kIconError, "This contract is already exist!")
            .ExpectTips(kIconSuccess, "Add successfully!");
      });
  EXPECT_EQ(CountContactRows(), 2);

  // A SIM contact may not take a name stored as any contact's SIM_Name.
  RunAdd(
      [&](CAddDialog& dialog) {
        Click(dialog, CContactEditor::kToSimCard);
        SetField(dialog, kColumnSimName, "Smith,Ann");
        ClickSave(dialog);
        EXPECT_EQ(dialog.result(), 0);
      },
      [&] { script_.ExpectTips(kIconError, "This contract is already exist!"); });
  EXPECT_EQ(CountContactRows(), 2);
}

TEST_F(AddDialogTest, ContactWithoutANameIsRefused) {
  EXPECT_EQ(RunAdd(
                [&](CAddDialog& dialog) {
                  SetField(dialog, kColumnCompany, "Acme");
                  ClickSave(dialog);
                  Click(dialog, CContactEditor::kToSimCard);
                  ClickSave(dialog);
                  EXPECT_EQ(dialog.result(), 0);
                  FindCommand(dialog.MenuBar()->actions()[0]->menu(), ID_ADD_CANCEL)->trigger();
                },
                [&] {
                  script_
                      .ExpectTips(kIconError, "Please input FirstName or MiddleName or LastName!")
                      .ExpectTips(kIconError, "Please input a Name!");
                }),
            IDCANCEL);
  EXPECT_EQ(CountContactRows(), 0);
  EXPECT_FALSE(AfxGetApp().m_bDataChanged);
}

TEST_F(AddDialogTest, EnterSavesNothingAndCancelWritesNothing) {
  EXPECT_EQ(RunAdd([&](CAddDialog& dialog) {
              SetField(dialog, kColumnFirstName, "Ann");
              QTest::keyClick(dialog.GetDlgItem(dialog.FieldId(kColumnFirstName)), Qt::Key_Return);
              EXPECT_EQ(dialog.result(), 0);
              Click(dialog, kAddControls.cancel);
            }),
            IDCANCEL);
  EXPECT_EQ(CountContactRows(), 0);
  EXPECT_FALSE(AfxGetApp().m_bDataChanged);
}

TEST_F(AddDialogTest, TypingIsLimitedButNotWhatIsPutIn) {
  RunAdd([&](CAddDialog& dialog) {
    auto* first = dialog.Item<QLineEdit>(dialog.FieldId(kColumnFirstName));
    QTest::keyClicks(first, "ABCDEFGHIJKL");
    EXPECT_EQ(first->text(), "ABCDEFGHIJ");
    auto* mobile = dialog.Item<QLineEdit>(dialog.FieldId(kColumnMobilePhone));
    QTest::keyClicks(mobile, "12ab-34");
    EXPECT_EQ(mobile->text(), "1234");
    Click(dialog, kAddControls.cancel);
  });
}

TEST_F(AddDialogTest, PictureChosenByFileDialogIsStored) {
  QString jpeg = WritePicture("photo.jpg", "JPEG", Qt::red);
  AddAnn(
      [&](CAddDialog& dialog) {
        DoubleClickPicture(dialog);
        EXPECT_EQ(dialog.m_strPicturePath, jpeg);
        EXPECT_FALSE(dialog.PicturePreview().isNull());
      },
      [&] { script_.ExpectFileDialog("Open a picture(*.bmp or *.jpeg)", jpeg); });
  EXPECT_EQ(StoredRow(1)[kColumnHasPic], "1");
  EXPECT_EQ(StoredPicture(1), ReadFileBytes(jpeg));
}

TEST_F(AddDialogTest, PictureDroppedOnTheDialogIsStored) {
  QString png = WritePicture("photo.png", "PNG", Qt::blue);
  AddAnn([&](CAddDialog& dialog) {
    DropFiles(dialog, {png, folder_.FilePath("ignored.png")});
    EXPECT_FALSE(dialog.PicturePreview().isNull());
    SaveScreenshot(&dialog, "add_dialog_with_picture");
  });
  EXPECT_EQ(StoredRow(1)[kColumnHasPic], "1");
  EXPECT_EQ(StoredPicture(1), ReadFileBytes(png));
}

TEST_F(AddDialogTest, OversizedEmptyAndNonPictureFilesAreRefused) {
  QFile large(folder_.FilePath("large.jpg"));
  ASSERT_TRUE(large.open(QIODevice::WriteOnly) && large.resize(kMaxPictureBytes + 1));
  large.close();
  WriteFileBytes(folder_.FilePath("text.jpg"), "not a picture at all");
  WriteFileBytes(folder_.FilePath("empty.jpg"), "");
  AddAnn(
      [&](CAddDialog& dialog) {
        for (const char* name : {"large.jpg", "text.jpg", "empty.jpg", "missing.jpg"}) {
          DropFiles(dialog, {folder_.FilePath(name)});
        }
        EXPECT_TRUE(dialog.m_strPicturePath.isEmpty());
        EXPECT_TRUE(dialog.PicturePreview().isNull());
      },
      [&] {
        script_.ExpectTips(kIconError, "The picture file is larger than 16 MB!")
            .ExpectTips(kIconError, "The file is not a picture!")
            .ExpectTips(kIconError, "The file is not a picture!")
            .ExpectTips(kIconError, "Can't open the picture!");
      });
  EXPECT_EQ(StoredRow(1)[kColumnHasPic], "0");
}

TEST_F(AddDialogTest, DeletedPictureIsNotStored) {
  QString png = WritePicture("photo.png", "PNG", Qt::blue);
  AddAnn([&](CAddDialog& dialog) {
    DropFiles(dialog, {png});
    Click(dialog, kAddControls.deletePicture);
    EXPECT_TRUE(dialog.PicturePreview().isNull());
  });
  EXPECT_EQ(StoredRow(1)[kColumnHasPic], "0");
}

TEST_F(AddDialogTest, BrowsedRingToneIsCopiedAndStored) {
  QDir().mkdir("Ring");
  WriteFileBytes("Ring/old.wav", "old");
  QDir().mkdir("sounds");
  WriteFileBytes("sounds/new.wav", "new tone");
  AddAnn(
      [&](CAddDialog& dialog) {
        ChooseRingTone(dialog, kRingToneBrowseEntry);
        EXPECT_EQ(SelectedRingTone(dialog), "new.wav");
        EXPECT_EQ(script_.LastFileDialog().filter,
                  "Ring Files(*.wma)|*.wma|Ring Files(*.wav)|*.wav|Ring Files(*.mp3)|*.mp3|");
      },
      [&] {
        script_.ExpectFileDialog("Open a sound file(*.wma ,*.wav or *.mp3)",
                                 folder_.FilePath("sounds/new.wav"));
      });
  EXPECT_EQ(StoredRow(1)[kColumnRingTone], "\\Application Data\\Sounds\\new.wav");
  EXPECT_EQ(ReadFileBytes("Ring/new.wav"), "new tone");
}

TEST_F(AddDialogTest, FailedRingToneCopyIsReportedAndNothingStored) {
  RunAdd(
      [&](CAddDialog& dialog) {
        SetField(dialog, kColumnFirstName, "Ann");
        ChooseRingTone(dialog, kRingToneBrowseEntry);
        ClickSave(dialog);
        EXPECT_EQ(dialog.result(), 0);
      },
      [&] {
        script_
            .ExpectFileDialog("Open a sound file(*.wma ,*.wav or *.mp3)",
                              folder_.FilePath("gone.wav"))
            .ExpectTips(kIconError, "Can't copy the ring tone file!");
      });
  EXPECT_EQ(CountContactRows(), 0);
}

TEST_F(AddDialogTest, ScrollBarAndWheelMoveTheFormTwentyPixelsAStep) {
  RunAdd([&](CAddDialog& dialog) {
    QWidget* form = dialog.ClientArea();
    QScrollBar* bar = dialog.ScrollBar();
    int top = form->y();
    auto expectAt = [&](int position) {
      EXPECT_EQ(dialog.GetScrollPos(), position);
      EXPECT_EQ(bar->value(), position);
      EXPECT_EQ(form->y(), top - 20 * position);
    };
    EXPECT_EQ(bar->maximum(), 40);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    expectAt(1);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    expectAt(2);
    bar->setSliderPosition(10);  // dragging the thumb
    expectAt(10);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    expectAt(40);
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    expectAt(40);

    // Over a control without the focus the wheel scrolls the form and leaves the control alone.
    auto* ringTones = dialog.Item<QComboBox>(kAddControls.ringTone);
    ringTones->setCurrentIndex(0);
    QWheelEvent up(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, 120), Qt::NoButton,
                   Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(ringTones, &up);
    expectAt(39);
    EXPECT_EQ(ringTones->currentIndex(), 0);
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&dialog, &down);
    expectAt(40);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    expectAt(0);
    Click(dialog, kAddControls.cancel);
  });
}

}  // namespace
