#include "device/frame/device_dialog.h"

#include <QPalette>

#include "platform/device/shell/dialog_title_row.h"
#include "platform/device/shell/phone_screen.h"
#include "platform/device/shell/phone_style.h"
#include "platform/device/shell/resource_module.h"
#include "platform/windows/modal_service.h"

namespace {

bool g_draEnabled = false;

}  // namespace

CDeviceDialog::CDeviceDialog(int templateId, QWidget* parent, DialogClosing closing)
    : CDialog(DialogTemplateOrEmpty(templateId), parent != nullptr ? parent : AfxGetMainWnd()) {
  setFont(DeviceDialogFont(Template()));
  SetPhoneColours(this);
  if (closing == DialogClosing::kOkKey) {
    SetTitleRow(new DialogTitleRow(windowTitle(), [this] { OnOK(); }));
  }
}

bool CDeviceDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  FitToPhoneScreen(this);
  LayoutFrame();
  initialized_ = true;
  // A window that is not shown yet hears of its new size only when it shows.
  OnSize(ClientArea()->width(), ClientArea()->height());
  return true;
}

void CDeviceDialog::resizeEvent(QResizeEvent* event) {
  CDialog::resizeEvent(event);
  if (initialized_) OnSize(ClientArea()->width(), ClientArea()->height());
}

bool CDeviceDialog::event(QEvent* event) {
  if (event->type() == ScreenChangeEvent::kType) {
    FitToPhoneScreen(this);
    return true;
  }
  return CDialog::event(event);
}

const DialogTemplate& DialogTemplateOrEmpty(int templateId) {
  static const DialogTemplate kEmpty{
      .id = 0,
      .cx = 0,
      .cy = 0,
      .fontName = QStringLiteral("MS Shell Dlg"),
      .pointSize = 8,
  };
  const DialogTemplate* found = FindDialogTemplate(templateId);
  return found != nullptr ? *found : kEmpty;
}

QFont DeviceDialogFont(const DialogTemplate& dialogTemplate) {
  return PhoneFont(dialogTemplate.fontName, dialogTemplate.pointSize);
}

void SetPhoneColours(QWidget* window) {
  QPalette colours = window->palette();
  colours.setColor(QPalette::Window, Qt::white);
  colours.setColor(QPalette::WindowText, Qt::black);
  window->setPalette(colours);
  window->setAutoFillBackground(true);
}

void AfxEnableDRA(bool enable) { g_draEnabled = enable; }

bool AfxIsDRAEnabled() { return g_draEnabled; }
