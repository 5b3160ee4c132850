#include "desktop/ui/frame_progress_bar.h"

#include <QCoreApplication>
#include <QMainWindow>

namespace {

constexpr int kBarWidth = 150;
constexpr int kBarHeight = 20;
constexpr int kRepaintPeriodMs = 50;

}  // namespace

void FrameProgressBar::Begin(int maximum) {
  delete bar_;
  bar_ = new QProgressBar(frame_);
  bar_->setObjectName(QString::number(kControlId));
  bar_->setTextVisible(false);
  bar_->setRange(0, maximum);
  // The client area is what the menu bar leaves: the central widget's place.
  QRect client = frame_->centralWidget() ? frame_->centralWidget()->geometry() : frame_->rect();
  bar_->setGeometry(client.left(), client.bottom() + 1 - kBarHeight, kBarWidth, kBarHeight);
  bar_->show();
  bar_->raise();
  sinceRepaint_.start();
}

void FrameProgressBar::SetPosition(int position) {
  if (bar_ == nullptr) return;
  bar_->setValue(position);
  if (sinceRepaint_.elapsed() >= kRepaintPeriodMs) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    sinceRepaint_.restart();
  }
}
