#include "platform/windows/interactive_services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/windows/message_service.h"
#include "tests/support/scripted_services.h"

namespace {

// Outside data (an SQLite error, a file name) reaches message boxes: markup in it is text.
TEST(InteractiveServices, MessageBoxShowsMarkupAsText) {
  MessageService before = CurrentMessageService();
  InstallInteractiveServices();
  const QString text = "near \"<b>\": syntax error";
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      ADD_FAILURE() << "no message box";
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
      return;
    }
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->text(), text);
    box->button(QMessageBox::Ok)->click();
  });
  EXPECT_EQ(ShowMessageBox(text, "Import csv Error", MB_OK | MB_ICONERROR), IDOK);
  InstallMessageService(before);
}

// Without a window manager no window is active; the box still opens over the main window.
TEST(InteractiveServices, MessageBoxOpensOverTheMainWindow) {
  QMainWindow main;
  main.setGeometry(400, 300, 240, 320);
  main.show();
  MessageService before = CurrentMessageService();
  InstallInteractiveServices();
  QWidget* owner = nullptr;
  QTimer::singleShot(0, [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (box == nullptr) {
      ADD_FAILURE() << "no message box";
      return;
    }
    owner = box->parentWidget();
    box->close();
  });
  ShowMessageBox("Restore succeed.", "Marrowind", MB_OK);
  InstallMessageService(before);
  EXPECT_EQ(owner, &main);
}

// A name typed without its extension is checked with the extension it gets: the file a save would
// replace is asked about, the file an open would read must be there. Each refusal opens the dialog
// again.
TEST(InteractiveServices, FileDialogsCheckTheNameWithItsExtension) {
  const QString exists = "backup.vbx already exists.\nDo you want to replace it?";
  const QString missing =
      "gone.vbx\nFile not found.\nPlease verify the correct file name was given.";
  struct Case {
    bool save;
    unsigned flags;
    QStringList typed;  // one name per showing; "" cancels
    std::vector<std::pair<QString, int>> questions;
    QString chosen;  // "" for none
  };
  const Case cases[] = {
      {true,
       OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
       {"backup", "backup"},
       {{exists, IDNO}, {exists, IDYES}},
       "backup.vbx"},
      {true, OFN_HIDEREADONLY, {"backup"}, {}, "backup.vbx"},
      {false, OFN_HIDEREADONLY, {"gone", ""}, {{missing, IDOK}}, ""},
      {false, OFN_HIDEREADONLY, {"backup"}, {}, "backup.vbx"},
  };
  QTemporaryDir folder;
  QFile file(folder.filePath("backup.vbx"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.join(',').toStdString());
    ScriptedServices script;
    for (const auto& [text, answer] : c.questions) script.ExpectMessageBox(text, "Title", answer);
    std::deque<std::function<void(QWidget*)>> steps;
    for (const QString& name : c.typed) {
      steps.push_back([&folder, name](QWidget* window) {
        auto* dialog = qobject_cast<QFileDialog*>(window);
        ASSERT_NE(dialog, nullptr);
        if (name.isEmpty()) return dialog->reject();
        dialog->selectFile(folder.filePath(name));
        // selectFile() leaves the name box as it is while the box has the focus, which it may or
        // may not have yet: the name is typed into it too, as a user does.
        auto* nameBox = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(nameBox, nullptr);
        nameBox->setText(name);
        static_cast<QDialog*>(dialog)->accept();  // the file dialog's own, as its button
      });
    }
    ModalSteps modal(std::move(steps));
    std::optional<QString> path = RunFileDialogOnScreen({.save = c.save,
                                                         .title = "Title",
                                                         .filter = "Marrowind File(*.vbx)|*.vbx|",
                                                         .defaultExtension = "vbx",
                                                         .fileName = folder.path(),
                                                         .flags = c.flags});
    const QString chosen = c.chosen.isEmpty() ? QString() : folder.filePath(c.chosen);
    EXPECT_EQ(path.value_or(QString()).toStdString(), chosen.toStdString());
  }
}

// The programs give a plain name, so a dialog opens where the last one left off: a path typed in
// full into the name box counts as going to its folder.
TEST(InteractiveServices, AFileDialogOpensInTheFolderOfTheFileLastChosen) {
  QTemporaryDir folder;
  ASSERT_TRUE(QDir(folder.path()).mkdir("elsewhere"));
  const QString typed = folder.filePath("elsewhere/backup.vbx");
  // The platform's dialog keeps the folder for the whole process; it gets back the one it had.
  struct KeptFolder {
    QString path = QFileDialog().directory().absolutePath();
    ~KeptFolder() { QFileDialog().setDirectory(path); }
  } kept;
  QFileDialog().setDirectory(folder.path());
  QString shownIn;
  ModalSteps modal({[&typed](QWidget* window) {
                      window->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
                      static_cast<QDialog*>(window)->accept();  // the file dialog's own
                    },
                    [&shownIn](QWidget* window) {
                      shownIn = qobject_cast<QFileDialog*>(window)->directory().absolutePath();
                      window->close();
                    }});
  const FileDialogRequest request{.save = true,
                                  .title = "Select Save Path.",
                                  .filter = "Marrowind File(*.vbx)|*.vbx|",
                                  .defaultExtension = "vbx",
                                  .fileName = "VBX_20240101_1200.vbx"};
  EXPECT_EQ(RunFileDialogOnScreen(request).value_or(QString()).toStdString(), typed.toStdString());
  RunFileDialogOnScreen(request);
  EXPECT_EQ(shownIn.toStdString(), QFileInfo(typed).absolutePath().toStdString());
}

}  // namespace
