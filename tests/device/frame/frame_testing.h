#pragma once

#include <QString>

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "device/frame/device_program.h"
#include "device/frame/main_frame.h"
#include "tests/support/device_testing.h"
#include "tests/support/scripted_services.h"

// Programs of both form styles on the frame, with the texts and resources of Skeldra and
// Marrowind; their commands only record that they came.
DeviceProgram SkeldraLikeProgram(std::vector<int>* commands);
DeviceProgram MarrowindLikeProgram(std::vector<int>* commands);

// Fixture: a phone program started on a chosen screen, every message answered by a script; the
// screen is put back afterwards, however the test turned it.
class FrameTest : public ::testing::Test {
 protected:
  ~FrameTest() override;

  // Starts the program on the screen; the frame is shown.
  void Start(FormStyle style, const PhoneScreen& screen = PhoneScreen());
  // Installs the program without starting it.
  void Install(FormStyle style);

  CMainFrame& Frame() { return *frame_; }
  QRect Geometry(int id) const;

  std::vector<int> commands_;
  ScriptedServices script_;
  ScopedPhoneScreen screen_;
  DeviceProgram program_;
  std::unique_ptr<CMainFrame> frame_;
};
