#pragma once

#include <algorithm>
#include <climits>
#include <cstdint>

// Where a long import or export shows how far it has come: the main frame puts a progress bar
// behind it, which stays until the user has been told the outcome; headless callers (tests,
// benchmarks) pass none.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void Begin(int maximum) = 0;  // show the bar, range 0..maximum
  virtual void SetPosition(int position) = 0;
};

// Moves the bar of an optional sink through one operation. Positions and the maximum keep their
// full range (no 16-bit upper bound), clamped to int.
class ProgressMeter {
 public:
  ProgressMeter(ProgressSink* sink, std::int64_t maximum) : sink_(sink) {
    if (sink_ != nullptr) sink_->Begin(Clamp(maximum));
  }
  ProgressMeter(const ProgressMeter&) = delete;
  ProgressMeter& operator=(const ProgressMeter&) = delete;

  void SetPosition(std::int64_t position) {
    if (sink_ != nullptr) sink_->SetPosition(Clamp(position));
  }

 private:
  static int Clamp(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, INT_MAX));
  }

  ProgressSink* sink_;
};
