#include "platform/windows/interactive_services.h"

#include <QApplication>
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

}  // namespace
