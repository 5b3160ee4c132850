#include "device/frame/progress_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimerEvent>

#include <algorithm>
#include <cmath>

#include "device/frame/device_program.h"
#include "device/frame/dialog_relayout.h"
#include "device/frame/logical_font.h"
#include "device/frame/screen_scaling.h"
#include "platform/device/shell/message_box.h"
#include "platform/windows/resources.h"

CProgressDialog::CProgressDialog(const std::atomic<double>* progress, const std::atomic<int>* done,
                                 QWidget* parent)
    : CDeviceDialog(IDD_PROGRESS, parent, DialogClosing::kByItself),
      m_pProgress(progress),
      m_pDone(done) {}

bool CProgressDialog::OnInitDialog() {
  const ProgressDialogIds& ids = CurrentStyle().progress;
  m_progressCtrl = Item<QProgressBar>(ids.bar);
  m_staticFirstLine = Item<QLabel>(ids.firstLine);
  m_staticSecondLine = Item<QLabel>(ids.secondLine);
  m_staticNumber = Item<QLabel>(ids.number);
  m_staticPercent = Item<QLabel>(ids.percent);
  if (m_progressCtrl != nullptr) m_progressCtrl->setRange(0, 100);
  CDeviceDialog::OnInitDialog();

  m_nTimer = startTimer(kTimerPeriodMs);

  // A character cell of 16 pixels at 96 pixels per inch.
  int height = (GetLogPixelsY() + 3) * 16 / 96;
  if (m_staticFirstLine != nullptr && m_staticNumber != nullptr && m_staticPercent != nullptr &&
      m_staticSecondLine != nullptr) {
    QFont titleFont = WithLogicalHeight(m_staticFirstLine->font(), height);
    titleFont.setWeight(QFont::Bold);
    QFont numberFont = WithLogicalHeight(m_staticNumber->font(), height);
    QFont secondLineFont = WithLogicalHeight(m_staticSecondLine->font(), height);
    m_staticFirstLine->setFont(titleFont);
    m_staticNumber->setFont(numberFont);
    m_staticPercent->setFont(numberFont);
    m_staticSecondLine->setFont(secondLineFont);
  }
  SetDlgItemText(ids.firstLine, LoadString(ids.firstLineString));
  SetDlgItemText(ids.secondLine, LoadString(ids.secondLineString));
  return true;
}

void CProgressDialog::OnCancel() {
  if (*m_pDone == 1) EndDialog(IDOK);
}

void CProgressDialog::timerEvent(QTimerEvent* event) {
  if (event->timerId() == m_nTimer) OnTimer();
  CDeviceDialog::timerEvent(event);
}

void CProgressDialog::OnTimer() {
  if (!ShowProgress()) return;
  killTimer(m_nTimer);
  m_nTimer = 0;
  EndDialog(IDOK);
}

bool CProgressDialog::ShowProgress() {
  int percent = ProgressPercent(*m_pProgress);
  bool done = *m_pDone == 1;
  // The bar, like the platform's, shows a position outside its range at the nearer end.
  if (m_progressCtrl != nullptr) m_progressCtrl->setValue(done ? 100 : std::clamp(percent, 0, 100));
  SetDlgItemText(CurrentStyle().progress.number, QString::number(percent));
  return done;
}

bool CProgressDialog::event(QEvent* event) {
  if (event->type() == WorkerMessageEvent::kType) {
    ShowProgress();
    return true;
  }
  return CDeviceDialog::event(event);
}

void CProgressDialog::OnSize(int cx, int /*cy*/) {
  if (m_progressCtrl == nullptr) return;
  const ProgressDialogIds& ids = CurrentStyle().progress;
  int w = static_cast<int>(cx * 0.8);
  int f = (cx - w) / 2;
  int t = ScaleY(50);
  int h = ScaleY(20);
  int n = f + (w - ScaleX(64)) / 2;
  int u = t + h + ScaleY(3);
  PlaceDialogControl(ids.bar, this, QRect(f, t, w, h));
  PlaceDialogControl(ids.number, this, QRect(n, u, ScaleX(48), ScaleY(16)));
  PlaceDialogControl(ids.percent, this, QRect(n + ScaleX(48), u, ScaleX(16), ScaleY(16)));
  PlaceDialogControl(ids.firstLine, this,
                     QRect(f, t - ScaleY(16) - ScaleY(10), cx - f, ScaleY(16)));
  PlaceDialogControl(ids.secondLine, this, QRect(f, u + ScaleY(25), cx - f, ScaleY(16)));
}

int ProgressPercent(double progress) {
  double percent = progress * 100.0;
  if (std::isnan(percent)) return 0;
  percent = std::clamp(percent, -2147483648.0, 2147483647.0);
  return static_cast<int>(percent);
}
