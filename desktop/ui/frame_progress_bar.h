#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressBar>

#include "desktop/exchange/progress_sink.h"

class QMainWindow;

// The progress bar of a long import or export: a smooth bar, control 1165, 150 by 20 pixels at
// the bottom-left of the main frame's client area, there from the start of the work until this
// object goes, once the user has been told the outcome. It lets the window repaint as the work
// goes on, but takes no input meanwhile.
class FrameProgressBar : public ProgressSink {
 public:
  static constexpr int kControlId = 1165;

  explicit FrameProgressBar(QMainWindow* frame) : frame_(frame) {}
  ~FrameProgressBar() override { delete bar_; }

  void Begin(int maximum) override;
  void SetPosition(int position) override;

  QProgressBar* Bar() const { return bar_; }

 private:
  QMainWindow* frame_;
  QPointer<QProgressBar> bar_;
  QElapsedTimer sinceRepaint_;
};
