#pragma once

#include <atomic>

#include "device/frame/device_dialog.h"

class QLabel;
class QProgressBar;

// The modal dialog that follows a phone job (template 138): the program's name, a bar and the
// percentage, the maker's web address. It reads the job's progress and done flag once a second
// (timer 1, 1000 ms) and ends at the first reading that finds the job done, with the bar at 100
// and the number at the job's last progress. Until then it cannot be dismissed: Cancel, close
// and OK are ignored. It also reads them, without ending, whenever the worker shows a message
// box, so a job that finishes within the first second shows its result over a full bar.
class CProgressDialog : public CDeviceDialog {
 public:
  static constexpr int kTimerPeriodMs = 1000;

  // The job's two fields; the job outlives the dialog.
  CProgressDialog(const std::atomic<double>* progress, const std::atomic<int>* done,
                  QWidget* parent = nullptr);

  // The id of the running polling timer (0 when none).
  int TimerId() const { return m_nTimer; }

 protected:
  bool OnInitDialog() override;
  void OnOK() override { OnCancel(); }
  void OnCancel() override;
  void timerEvent(QTimerEvent* event) override;
  void OnSize(int cx, int cy) override;
  bool event(QEvent* event) override;

 private:
  void OnTimer();
  // Shows the bar (100 once the job is done) and the number as the job's fields stand; whether
  // the job was done.
  bool ShowProgress();

  const std::atomic<double>* m_pProgress;
  const std::atomic<int>* m_pDone;
  int m_nTimer = 0;
  QProgressBar* m_progressCtrl = nullptr;
  QLabel* m_staticFirstLine = nullptr;
  QLabel* m_staticSecondLine = nullptr;
  QLabel* m_staticNumber = nullptr;
  QLabel* m_staticPercent = nullptr;
};

// The percentage shown for a progress value: (int)(progress x 100.0), truncated; 0 for a value
// that is not a number, and held within the range of int.
int ProgressPercent(double progress);
