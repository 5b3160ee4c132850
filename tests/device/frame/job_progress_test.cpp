#include "device/frame/job_progress.h"

#include <QProgressBar>

#include <gtest/gtest.h>

#include <atomic>

#include "device/frame/progress_dialog.h"
#include "platform/device/shell/message_box.h"
#include "platform/device/shell/worker_thread.h"
#include "tests/device/frame/frame_testing.h"

namespace {

class JobProgressTest : public FrameTest {
 protected:
  JobProgressTest() { Install(FormStyle::kMarrowind); }
  JobProgress job_;
};

TEST_F(JobProgressTest, AnEmptyPathShowsTheJobsTextAndStartsNothing) {
  std::atomic<bool> ran = false;
  script_.ExpectMessageBox("Please input the save file's name!", "Marrowind", IDOK);
  StartJobWithPath(QString(), "Please input the save file's name!", job_, [&] { ran = true; });
  EXPECT_FALSE(ran);
}

TEST_F(JobProgressTest, AThreadThatCannotBeCreatedShowsTheErrorAndNoDialog) {
  job_.done = 1;
  FailThreadCreationForTesting(true);
  script_.ExpectMessageBox("Create thread error.", "Marrowind", IDOK);
  bool started = RunJobUnderProgressDialog(job_, [] {});
  FailThreadCreationForTesting(false);
  EXPECT_FALSE(started);
  EXPECT_EQ(job_.done, 0);  // reset before the attempt
}

// A job done within the first second shows its result over a full bar, not over the 0 the
// dialog starts with.
TEST_F(JobProgressTest, TheWorkerReportsOverItsProgressAndTheDialogEndsWhenDone) {
  job_.progress = 0.7;  // left from an earlier run
  job_.done = 1;
  std::atomic<double> progressAtStart = -1;
  std::atomic<int> doneAtStart = -1;
  int answer = 0;
  QProgressBar* bar = nullptr;
  int barUnderTheBox = -1;
  int lastBar = -1;
  script_.ExpectDialog([&](QDialog* dialog) {
    bar = dialog->findChild<QProgressBar*>();
    int result = dialog->exec();
    lastBar = bar->value();
    return result;
  });
  script_.ExpectMessageBox("Backup succeed.", "Marrowind", IDOK);
  MessageService scripted = CurrentMessageService();
  MessageService underTheBox = scripted;
  underTheBox.messageBox = [&](const QString& text, const QString& caption, unsigned type) {
    barUnderTheBox = bar->value();
    return scripted.messageBox(text, caption, type);
  };
  InstallMessageService(underTheBox);
  StartJobWithPath("\\backup.vbx", "unused", job_, [&] {
    progressAtStart = job_.progress.load();
    doneAtStart = job_.done.load();
    job_.progress = 1.0;
    answer = AfxMessageBox("Backup succeed.");
    job_.done = 1;
  });
  InstallMessageService(scripted);
  EXPECT_EQ(progressAtStart, 0.0);
  EXPECT_EQ(doneAtStart, 0);
  EXPECT_EQ(answer, IDOK);
  EXPECT_EQ(barUnderTheBox, 100);
  EXPECT_EQ(lastBar, 100);
}

}  // namespace
