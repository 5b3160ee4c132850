#include "platform/device/message_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/windows/interactive_services.h"
#include "tests/support/scripted_services.h"

namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  MessageBoxTest() { QCoreApplication::setApplicationName(QStringLiteral("Marrowind")); }
  ScriptedServices script_;
};

TEST_F(MessageBoxTest, CaptionIsTheProgramsTitle) {
  script_.ExpectMessageBox("Backup succeed.", "Marrowind", IDOK);
  EXPECT_EQ(AfxMessageBox(QStringLiteral("Backup succeed.")), IDOK);
}

TEST_F(MessageBoxTest, AWorkerWaitsForTheAnswerGivenOnTheUiThread) {
  Qt::HANDLE uiThread = QThread::currentThreadId();
  Qt::HANDLE shownOn = nullptr;
  MessageService service = CurrentMessageService();
  MessageService recorder = service;
  recorder.messageBox = [&](const QString& text, const QString& caption, unsigned type) {
    shownOn = QThread::currentThreadId();
    return service.messageBox(text, caption, type);
  };
  MessageService previous = InstallMessageService(recorder);
  script_.ExpectMessageBox("Are you sure?", "Marrowind", IDCANCEL);

  std::atomic<int> answer = 0;
  std::thread worker(
      [&answer] { answer = AfxMessageBox(QStringLiteral("Are you sure?"), MB_OKCANCEL); });
  QElapsedTimer timer;
  timer.start();
  while (answer == 0 && timer.elapsed() < 5000) QCoreApplication::processEvents();
  worker.join();
  InstallMessageService(previous);

  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_EQ(shownOn, uiThread);
}

TEST_F(MessageBoxTest, OnScreenTheBoxOpensOverTheMainWindow) {
  QMainWindow main;
  main.setGeometry(400, 300, 240, 320);
  main.show();
  MessageService previous = CurrentMessageService();
  InstallInteractiveServices();
  QWidget* owner = nullptr;
  QTimer::singleShot(0, [&owner] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    owner = box->parentWidget();
    box->done(QMessageBox::Ok);
  });
  AfxMessageBox(QStringLiteral("Restore succeed."));
  InstallMessageService(previous);
  EXPECT_EQ(owner, &main);
}

}  // namespace
