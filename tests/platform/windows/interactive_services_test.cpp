#include "platform/windows/interactive_services.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include "platform/windows/message_service.h"

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

}  // namespace
