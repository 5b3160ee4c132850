#include "platform/device/shell/message_box.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/support/scripted_services.h"

namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  MessageBoxTest() { QCoreApplication::setApplicationName(QStringLiteral("Marrowind")); }
  ~MessageBoxTest() override { QCoreApplication::setApplicationName(name_); }
  const QString name_ = QCoreApplication::applicationName();
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

}  // namespace
