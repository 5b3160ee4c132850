#pragma once

#include <QApplication>

#include <memory>

#include "device/frame/device_program.h"
#include "device/frame/main_frame.h"

// Start-up of a phone program: installs the program, sets the profile key, puts the message
// boxes and file dialogs on screen (unless a test has installed its own), creates the main
// frame with its soft-key bar and main form and shows it. Null when the frame cannot be created.
std::unique_ptr<CMainFrame> InitDeviceInstance(const DeviceProgram& program);

// The application object of a phone program: RunDeviceProgram makes one, calls InitInstance and
// runs it; the program ends when the main window is closed.
class CDeviceApp : public QApplication {
 public:
  CDeviceApp(int& argc, char** argv, const DeviceProgram& program);
  ~CDeviceApp() override;

  bool InitInstance();
  CMainFrame* MainFrame() const { return m_pMainWnd.get(); }

 private:
  const DeviceProgram& program_;
  std::unique_ptr<CMainFrame> m_pMainWnd;
};

// main() of a phone program. With "--help" or "-h" among its arguments it prints its usage (the
// program's purpose and the environment variables that choose the emulated phone) and ends;
// otherwise it runs the program. The program's exit status.
int RunDeviceProgram(int argc, char** argv, const DeviceProgram& program);
