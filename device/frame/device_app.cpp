#include "device/frame/device_app.h"

#include "platform/windows/interactive_services.h"
#include "platform/windows/message_service.h"

namespace {

// Where the class library keeps a program's profile settings; the phone programs store nothing
// there themselves.
constexpr char kProfileKey[] = "Local AppWizard-Generated Applications";

}  // namespace

std::unique_ptr<CMainFrame> InitDeviceInstance(const DeviceProgram& program) {
  InstallDeviceProgram(program);
  QCoreApplication::setOrganizationName(QString::fromLatin1(kProfileKey));
  if (!CurrentMessageService().messageBox) InstallInteractiveServices();

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
