#include "desktop/ui/zolmark_app.h"

#include <QDir>
#include <QScreen>

#include "desktop/resources/desktop_resources.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/contact_database.h"
#include "desktop/ui/about_dialog.h"
#include "desktop/ui/main_frame.h"
#include "desktop/widgets/control_color.h"
#include "desktop/widgets/tips_dialog.h"
#include "platform/windows/interactive_services.h"
#include "platform/windows/message_service.h"
#include "platform/windows/resources.h"

namespace {

// Where the platform kept the program's profile settings; QSettings uses the same name.
constexpr char kProfileKey[] = "Local AppWizard-Generated Applications";

// The main window's size when it is not maximised: most of the screen, centred. Where no window
// manager maximises it, this is what the user sees, and "Restore" brings it back.
QRect NormalFrameGeometry(const QRect& available) {
  QSize size = available.size() * 0.8;
  return QRect(available.center() - QPoint(size.width() / 2, size.height() / 2), size);
}

}  // namespace

CZOLMARKApp::CZOLMARKApp(int& argc, char** argv) : QApplication(argc, argv) {
  InstallResourceTable(&DesktopResources());
  // No display name: the platform would append it to every window title ("Tips — Brevantor").
  setApplicationName(LoadString(kStringAppTitle));
  setOrganizationName(QString::fromLatin1(kProfileKey));
}

CZOLMARKApp::~CZOLMARKApp() = default;

bool CZOLMARKApp::InitInstance() {
  m_brushBack = QBrush(QColor(200, 222, 243));
  SetBackBrush(m_brushBack);

  static_cast<ViewState&>(*this) = ViewState();
  m_nPageSize = 30;

  MessageService messages = CurrentMessageService();
  if (!messages.tips) messages.tips = RunTipsDialog;
  InstallMessageService(messages);
  if (!CurrentMessageService().messageBox) InstallInteractiveServices();

  InitContactDatabase(*this);
  QDir().mkdir(QStringLiteral("Config"));

  m_pMainWnd = std::make_unique<CMainFrame>();
  m_pMainWnd->setGeometry(NormalFrameGeometry(m_pMainWnd->screen()->availableGeometry()));
  m_pMainWnd->showMaximized();
  return true;
}

void CZOLMARKApp::OnAppAbout() {
  CAboutDlg about;
  about.DoModal();
}

CZOLMARKApp& AfxGetApp() { return *static_cast<CZOLMARKApp*>(QCoreApplication::instance()); }
