#include "device/frame/main_frame.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "device/frame/about_dialog.h"
#include "device/frame/device_program.h"
#include "device/frame/device_view_color_labels.h"
#include "device/frame/device_view_plain_labels.h"
#include "platform/device/shell/command_bar.h"
#include "platform/device/shell/phone_screen.h"
#include "platform/device/shell/shell_execute.h"
#include "platform/windows/resources.h"

namespace {

CDeviceView* CreateView(FormStyle style) {
  if (style == FormStyle::kSkeldra) return new CTribbokView();
  return new CMarrowindView();
}

}  // namespace

CMainFrame::CMainFrame() { FitToPhoneScreen(this); }

bool CMainFrame::OnCreate() {
  auto* bar = new CCommandBar();
  if (!bar->InsertMenuBar(IDR_MAINFRAME)) {
    delete bar;
    return false;
  }
  m_wndCommandBar = bar;
  m_wndCommandBar->onCommand = [this](int id) { OnCommand(id); };

  const FormStyleTraits& style = CurrentStyle();
  QString title = LoadString(IDR_MAINFRAME).section(QLatin1Char('\n'), 0, 0);
  if (style.frameTitleString != 0) title = LoadString(style.frameTitleString);
  setWindowTitle(title);

  auto* client = new QWidget();
  auto* layout = new QVBoxLayout(client);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  // The form scrolls up and down when the screen is too low for it (landscape screens).
  auto* scroller = new QScrollArea();
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  scroller->setWidgetResizable(true);
  m_pView = CreateView(CurrentDeviceProgram().style);
  scroller->setWidget(m_pView);
  layout->addWidget(scroller, 1);
  layout->addWidget(m_wndCommandBar);
  setCentralWidget(client);
  m_pView->OnInitialUpdate();
  return true;
}

void CMainFrame::OnCommand(int commandId) {
  const DeviceProgram& program = CurrentDeviceProgram();
  for (const FrameCommand& command : program.commands) {
    if (command.id == commandId) {
      command.handler(*this);
      return;
    }
  }
  const FormStyleTraits& style = CurrentStyle();
  if (commandId == style.exitCommand || commandId == ID_APP_EXIT) {
    OnExit();
  } else if (commandId == ID_APP_ABOUT) {
    OnAppAbout();
  } else if (commandId == style.homePageCommand) {
    OnOpenWebPage(program.homePageUrl);
  } else if (commandId == style.guideCommand) {
    OnOpenWebPage(program.guideUrl);
  }
}

void CMainFrame::OnExit() { close(); }

void CMainFrame::OnAppAbout() {
  AfxEnableDRA(true);
  CDeviceAboutDlg about;
  about.DoModal();
  AfxEnableDRA(false);
}

void CMainFrame::OnOpenWebPage(const QString& address) {
  ShellExecuteEx({QStringLiteral("open"), address});
}

bool CMainFrame::event(QEvent* event) {
  if (event->type() == ScreenChangeEvent::kType) {
    FitToPhoneScreen(this);
    return true;
  }
  return QMainWindow::event(event);
}
