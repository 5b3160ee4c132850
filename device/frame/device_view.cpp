#include "device/frame/device_view.h"

#include "device/frame/device_dialog.h"
#include "device/frame/device_program.h"
#include "device/frame/dialog_relayout.h"
#include "device/frame/main_frame.h"
#include "device/frame/screen_scaling.h"
#include "platform/device/shell/dialog_item.h"
#include "platform/device/shell/phone_screen.h"
#include "platform/windows/modal_service.h"

namespace {

constexpr int kBigScreenHeight = 800;

// The side of a button's square images: larger from kBigScreenHeight up.
int ButtonSide(bool bigScreen) { return bigScreen ? 72 : 64; }

}  // namespace

CDeviceView::CDeviceView(QWidget* parent)
    : CFormView(DialogTemplateOrEmpty(IDD_MAIN_FORM), parent), style_(CurrentStyle()) {
  setFont(DeviceDialogFont(Template()));
  SetPhoneColours(this);

  for (int i = 0; i < 3; ++i) {
    auto* button = new CImageButton(this);
    SetDlgCtrlID(button, style_.ids.buttons[i]);
    button->setGeometry(100, style_.sizes.buttonCreateTop, ScaleX(64), ScaleY(64));
    connect(button, &QAbstractButton::clicked, this, [this, i] { OnButtonClicked(i); });
    m_buttons[i] = button;
  }
}

void CDeviceView::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  OnSize();
}

void CDeviceView::resizeEvent(QResizeEvent* event) {
  CFormView::resizeEvent(event);
  OnSize();
}

void CDeviceView::LoadButtonImages(int screenHeight) {
  bool big = screenHeight >= kBigScreenHeight;
  for (int i = 0; i < 3; ++i) {
    const ButtonBitmaps& bitmaps = style_.buttonBitmaps[i];
    m_imageLists[i] = LoadScaledImageList(big ? bitmaps.large : bitmaps.small, ButtonSide(big), 0,
                                          CLR_NONE, IMAGE_BITMAP, 0);
    m_buttons[i]->SetImageList(m_imageLists[i].get());
  }
}

void CDeviceView::OnSize() {
  const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (screenHeight != m_nLastScreenHeight) {
    LoadButtonImages(screenHeight);
    m_nLastScreenHeight = screenHeight;
  }
  const FormControlIds& ids = style_.ids;
  const FormLayoutSizes& sizes = style_.sizes;
  const bool big = screenHeight >= kBigScreenHeight;
  const int buttonSide = ButtonSide(big);
  auto place = [this](int id, int left, int top, int right, int bottom) {
    PlaceDialogControl(id, this, RectFromEdges(left, top, right, bottom));
  };

  int left = (screenWidth - ScaleX(sizes.makerWidth)) / 2;
  int top = big ? ScaleY(18) : 0;
  int bottom = top + ScaleY(12);
  place(ids.maker, left, top, left + ScaleX(sizes.makerWidth), bottom);

  left = (screenWidth - ScaleX(sizes.nameWidth)) / 2;
  top = bottom;
  bottom = top + ScaleY(22);
  place(ids.name, left, top, left + ScaleX(sizes.nameWidth), bottom);

  // Three rows under the first separator: a button, its title and description, a separator. The
  // separators span the rows; the buttons start at their left edge.
  const int rowsLeft = (screenWidth - ScaleX(sizes.separatorWidth)) / 2;
  const int rowsRight = rowsLeft + ScaleX(sizes.separatorWidth);
  top = bottom + ScaleY(3);
  bottom = top + ScaleY(1);
  place(ids.separators[0], rowsLeft, top, rowsRight, bottom);
  for (int row = 0; row < 3; ++row) {
    const int buttonTop = bottom + ScaleY(5);
    const int buttonRight = rowsLeft + ScaleX(buttonSide);
    const int buttonBottom = buttonTop + ScaleY(buttonSide);
    place(ids.buttons[row], rowsLeft, buttonTop, buttonRight, buttonBottom);

    left = buttonRight + ScaleX(5);
    if (row < 2) {
      top = buttonTop + ScaleY(5);
      place(ids.titles[row], left, top, left + ScaleX(sizes.titleWidth), top + ScaleY(20));
      top += ScaleY(20) + ScaleY(3);
      place(ids.descriptions[row], left, top, left + ScaleX(140),
            top + ScaleY(sizes.descriptionHeight));
    } else {
      top = buttonTop + ScaleY(20);
      place(ids.titles[row], left, top, left + ScaleX(100), top + ScaleY(20));
    }

    top = buttonBottom + ScaleY(1);
    bottom = top + ScaleY(1);
    place(ids.separators[row + 1], rowsLeft, top, rowsRight, bottom);
  }

  left = (screenWidth - ScaleX(160)) / 2;
  top = bottom + (big ? ScaleY(20) : 0);
  bottom = top + ScaleY(sizes.linkHeight);
  place(ids.link, left, top, left + ScaleX(160), bottom);
  // Where the window is lower than the form, the frame lets it scroll down to the link line.
  setMinimumHeight(bottom);
}

void CDeviceView::OnButtonClicked(int index) {
  const DeviceProgram& program = CurrentDeviceProgram();
  const int commands[] = {program.backupCommand, program.restoreCommand, style_.exitCommand};
  if (auto* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd())) frame->OnCommand(commands[index]);
}
