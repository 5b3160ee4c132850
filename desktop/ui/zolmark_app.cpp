#include "desktop/ui/zolmark_app.h"

#include <QDir>
#include <QFileInfo>
#include <QScreen>

#include <cstdio>
#include <cstring>

#include "common/help_option.h"
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

// The usage; %1 is the program as started, %2 how to start it from another folder.
constexpr char kUsage[] =
    "Usage: %1 [--help]\n"
    "\n"
    "Brevantor, the desktop contact manager: it keeps contacts in an SQLite database,\n"
    "\"Contact.cdt\", and imports and exports contacts backup files (.cbk), CSV, vCard and\n"
    "plain text.\n"
    "\n"
    "Working folder: the folder it is started in. It holds \"Contact.cdt\" (made on the first\n"
    "start), \"Config\" (CSV column layouts) and \"Ring\" (ring tones).\n"
    "\n"
    "To start it, go to the folder that is to hold the contacts and run it there:\n"
    "  mkdir -p ~/Brevantor && cd ~/Brevantor && %2\n"
    "From the repository, scripts/run [FOLDER] builds it and starts it in FOLDER (default\n"
    "~/Brevantor).\n";

void PrintUsage(const char* program) {
  QFileInfo path(QString::fromLocal8Bit(program));
  // A path holding a folder is resolved against the folder it is given in; a bare name was found
  // on the PATH and is found there again.
  QString command =
      std::strchr(program, '/') != nullptr ? path.absoluteFilePath() : path.fileName();
  QString usage = QString::fromLatin1(kUsage).arg(path.fileName(), command);
  std::fputs(usage.toLocal8Bit().constData(), stdout);
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

int RunBrevantor(int argc, char** argv) {
  // Before the application object, which needs a screen, and before the bootstrap, which makes
  // "Contact.cdt" and "Config".
  if (AsksForHelp(argc, argv)) {
    PrintUsage(argv[0]);
    return 0;
  }
  CZOLMARKApp app(argc, argv);
  if (!app.InitInstance()) return 1;
  return app.exec();
}
