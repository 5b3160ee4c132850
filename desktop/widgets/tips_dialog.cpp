#include "desktop/widgets/tips_dialog.h"

#include <QScreen>

#include <algorithm>

#include "desktop/resources/resource_ids.h"
#include "desktop/widgets/control_color.h"
#include "platform/windows/ellipsis_static.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"

namespace {

const DialogTemplate kTipsTemplate = {
    .id = 114,
    .caption = "Tips",
    .cx = 119,
    .cy = 56,
    .fontName = "Microsoft Sans Serif",
    .pointSize = 9,
    .controls = {
        {CTipsDialog::kYesButton, ControlKind::kButton, "Yes", 48, 31, 30, 25,
         WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
        {CTipsDialog::kIconStatic, ControlKind::kStatic, "", 3, 3, 20, 20, WS_VISIBLE | SS_ICON},
        {CTipsDialog::kMessageText, ControlKind::kStatic, "", 23, 4, 89, 25,
         WS_VISIBLE | WS_GROUP | SS_LEFT | SS_ENDELLIPSIS},
    }};

// What the window manager's title bar and borders take of the screen, at most.
constexpr int kWindowFrameRoom = 64;

}  // namespace

CTipsDialog::CTipsDialog(QWidget* parent)
    : CDialog(kTipsTemplate, parent ? parent : AfxGetMainWnd()) {
  OnCtlColorBackBrush(this);
}

QWidget* CTipsDialog::CreateControl(const ControlTemplate& control) {
  if (control.id != kYesButton) return nullptr;
  // The button draws its bitmap alone, but keeps "Yes" as its text: its accessible name and what
  // reading the control returns.
  m_btnYes = CPictureButton::FromTemplate(control, this, [this] { OnYes(); });
  return m_btnYes;
}

void CTipsDialog::DoDataExchange(DataExchange& dx) { dx.Text(kMessageText, m_strMessage); }

bool CTipsDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_btnYes->SetButtonBitmaps(LoadBitmap(kBitmapYesHover), LoadBitmap(kBitmapYesRest));
  m_btnYes->SetDialogLook();
  if (auto* icon = Item<QLabel>(kIconStatic)) {
    icon->setPixmap(LoadIcon(m_nIconId).pixmap(IconSize(m_nIconId)));
  }
  FitToMessage();
  return true;
}

void CTipsDialog::FitToMessage() {
  auto* text = Item<EllipsisStatic>(kMessageText);
  const QRect screenArea = screen()->availableGeometry();
  const int maxWidth = screenArea.width() - kWindowFrameRoom - (width() - text->width());
  const int maxHeight = screenArea.height() - kWindowFrameRoom - (height() - text->height());
  int textWidth = text->width();
  int textHeight = text->heightForWidth(textWidth);
  // Wider while the text stands taller than half its width and a wider box takes fewer lines.
  while (2 * textHeight > textWidth && textWidth < maxWidth) {
    int wider = std::min(maxWidth, 2 * textWidth);
    if (text->heightForWidth(wider) == textHeight) break;
    textWidth = wider;
    textHeight = text->heightForWidth(textWidth);
  }
  textHeight = std::max(text->height(), std::min(textHeight, maxHeight));
  QSize growth(textWidth - text->width(), textHeight - text->height());
  text->resize(textWidth, textHeight);
  m_btnYes->move(m_btnYes->pos() + QPoint(growth.width() / 2, growth.height()));
  SetWindowSize(size() + growth);
}

int RunTipsDialog(int iconId, const QString& text) {
  CTipsDialog dialog;
  dialog.m_nIconId = iconId;
  dialog.m_strMessage = text;
  return dialog.DoModal();
}
