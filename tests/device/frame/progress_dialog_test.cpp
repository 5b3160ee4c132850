#include "device/frame/progress_dialog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QTimerEvent>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "device/frame/job_progress.h"
#include "tests/device/frame/frame_testing.h"

namespace {

// Marrowind's ids: bar 1029, number 1031, percent sign 1030, first line 1032, second 1033.
class ProgressDialogTest : public FrameTest {
 protected:
  ProgressDialogTest() { Install(FormStyle::kMarrowind); }

  // Runs the dialog; `work` drives it as the modal run would and returns its result.
  int Run(std::function<int(CProgressDialog*)> work) {
    script_.ExpectDialog([work](QDialog* dialog) {
      dialog->show();
      return work(dynamic_cast<CProgressDialog*>(dialog));
    });
    CProgressDialog dialog(&job_.progress, &job_.done);
    return dialog.DoModal();
  }

  static void Tick(CProgressDialog* dialog) {
    QTimerEvent tick(dialog->TimerId());
    QCoreApplication::sendEvent(dialog, &tick);
  }
  static int Bar(CProgressDialog* dialog) { return dialog->Item<QProgressBar>(1029)->value(); }
  static std::string Number(CProgressDialog* dialog) {
    return dialog->GetDlgItemText(1031).toStdString();
  }

  JobProgress job_;
};

TEST_F(ProgressDialogTest, ShowsTheProgramAndTheMakerAndPolls) {
  Run([](CProgressDialog* dialog) {
    EXPECT_EQ(dialog->GetDlgItemText(1032).toStdString(), "Marrowind");
    EXPECT_EQ(dialog->GetDlgItemText(1033).toStdString(), "www.velthorn.example");
    EXPECT_EQ(dialog->GetDlgItemText(1030).toStdString(), "%");
    EXPECT_NE(dialog->TimerId(), 0);
    EXPECT_TRUE(dialog->GetDlgItem(1032)->font().bold());
    EXPECT_EQ(dialog->size(), QSize(240, 320));
    SaveScreenshot(dialog, "device_progress_240x320");
    return IDOK;
  });
}

TEST_F(ProgressDialogTest, EachTickShowsTheTruncatedPercentage) {
  Run([this](CProgressDialog* dialog) {
    job_.progress = 0.456;
    Tick(dialog);
    EXPECT_EQ(Bar(dialog), 45);
    EXPECT_EQ(Number(dialog), "45");
    EXPECT_TRUE(dialog->isVisible());
    job_.progress = 0.999;
    Tick(dialog);
    EXPECT_EQ(Bar(dialog), 99);
    return IDCANCEL;
  });
}

TEST_F(ProgressDialogTest, WhenDoneTheBarIsFullAndTheNumberKeepsTheLastProgress) {
  int result = Run([this](CProgressDialog* dialog) {
    job_.progress = 0.994;
    job_.done = 1;
    Tick(dialog);
    EXPECT_EQ(Bar(dialog), 100);
    EXPECT_EQ(Number(dialog), "99");
    EXPECT_EQ(dialog->TimerId(), 0);
    EXPECT_FALSE(dialog->isVisible());
    return dialog->result();
  });
  EXPECT_EQ(result, IDOK);
}

TEST_F(ProgressDialogTest, CannotBeDismissedUntilTheJobIsDone) {
  Run([this](CProgressDialog* dialog) {
    static_cast<QDialog*>(dialog)->reject();
    dialog->close();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &enter);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(dialog, &escape);
    EXPECT_TRUE(dialog->isVisible());
    job_.done = 1;
    static_cast<QDialog*>(dialog)->reject();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), IDOK);
    return dialog->result();
  });
}

TEST_F(ProgressDialogTest, ProgressOutsideItsRangeNeitherCrashesNorOverflowsTheBar) {
  Run([this](CProgressDialog* dialog) {
    job_.progress = std::numeric_limits<double>::quiet_NaN();
    Tick(dialog);
    EXPECT_EQ(Number(dialog), "0");
    job_.progress = std::numeric_limits<double>::infinity();  // a count divided by a total of 0
    Tick(dialog);
    EXPECT_EQ(Bar(dialog), 100);
    EXPECT_EQ(Number(dialog), "2147483647");
    job_.progress = -0.5;
    Tick(dialog);
    EXPECT_EQ(Bar(dialog), 0);
    EXPECT_EQ(Number(dialog), "-50");
    return IDCANCEL;
  });
  EXPECT_EQ(ProgressPercent(1.5), 150);
  EXPECT_EQ(ProgressPercent(-1e300), std::numeric_limits<int>::min());
}

TEST_F(ProgressDialogTest, LaysItsControlsOutAcrossTheScreen) {
  Run([](CProgressDialog* dialog) {
    // 240 pixels wide: the bar takes four fifths, centred, the number under its middle.
    EXPECT_EQ(dialog->GetDlgItem(1029)->geometry(), QRect(24, 50, 192, 20));
    EXPECT_EQ(dialog->GetDlgItem(1031)->geometry(), QRect(88, 73, 48, 16));
    EXPECT_EQ(dialog->GetDlgItem(1030)->geometry(), QRect(136, 73, 16, 16));
    EXPECT_EQ(dialog->GetDlgItem(1032)->geometry(), QRect(24, 24, 216, 16));
    EXPECT_EQ(dialog->GetDlgItem(1033)->geometry(), QRect(24, 98, 216, 16));
    ScopedPhoneScreen large({480, 800, 192});
    EXPECT_EQ(dialog->GetDlgItem(1029)->geometry(), QRect(48, 100, 384, 40));
    return IDCANCEL;
  });
}

TEST_F(ProgressDialogTest, AJobDoneAtOnceStillShowsTheDialogUntilTheFirstTick) {
  job_.done = 1;
  QElapsedTimer timer;
  timer.start();
  int result = Run([](CProgressDialog* dialog) { return dialog->exec(); });
  EXPECT_EQ(result, IDOK);
  EXPECT_GE(timer.elapsed(), 900);
}

}  // namespace
