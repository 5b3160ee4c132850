#include "device/frame/device_app.h"

#include <cstdio>
#include <cstring>

#include "common/help_option.h"
#include "platform/device/shell/phone_dialogs.h"
#include "platform/device/shell/phone_style.h"
#include "platform/device/stores/phone_environment.h"
#include "platform/windows/message_service.h"

namespace {

// Where the class library keeps a program's profile settings; the phone programs store nothing
// there themselves.
constexpr char kProfileKey[] = "Local AppWizard-Generated Applications";

}  // namespace

std::unique_ptr<CMainFrame> InitDeviceInstance(const DeviceProgram& program) {
  InstallDeviceProgram(program);
  QCoreApplication::setOrganizationName(QString::fromLatin1(kProfileKey));
  UsePhoneStyle();
  if (!CurrentMessageService().messageBox) InstallPhoneDialogs();

  auto frame = std::make_unique<CMainFrame>();
  if (!frame->OnCreate()) return nullptr;
  frame->show();
  frame->repaint();
  return frame;
}

CDeviceApp::CDeviceApp(int& argc, char** argv, const DeviceProgram& program)
    : QApplication(argc, argv), program_(program) {}

CDeviceApp::~CDeviceApp() = default;

bool CDeviceApp::InitInstance() {
  m_pMainWnd = InitDeviceInstance(program_);
  return m_pMainWnd != nullptr;
}

int RunDeviceProgram(int argc, char** argv, const DeviceProgram& program) {
  // Before the application object, which needs a screen to show the program on.
  if (AsksForHelp(argc, argv)) {
    const char* slash = std::strrchr(argv[0], '/');
    std::printf("Usage: %s [--help]\n\n%s\n\n%s", slash != nullptr ? slash + 1 : argv[0],
                program.purpose.toLocal8Bit().constData(), kPhoneEnvironmentUsage);
    return 0;
  }
  CDeviceApp app(argc, argv, program);
  if (!app.InitInstance()) return 1;
  return app.exec();
}
