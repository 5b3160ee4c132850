#include "desktop/ui/contact_card.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <map>

#include "desktop/resources/resource_ids.h"
#include "desktop/ui/record_commands.h"
#include "desktop/ui/zolmark_app.h"
#include "platform/windows/menu.h"
#include "platform/windows/message_service.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/picture.h"
#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"

namespace {

constexpr int kSelectionPeriodMs = 100;
constexpr unsigned kLabel = WS_VISIBLE | SS_LEFT;
constexpr unsigned kValue = WS_VISIBLE | SS_LEFT | SS_ENDELLIPSIS;
constexpr int kNameLabel = 1005;
constexpr int kNotesLabel = -1;
// Room kept between a label's text and its value, and between a value and the card's edge.
constexpr int kGap = 4;
constexpr int kEdgeMargin = 8;

const DialogTemplate kCardTemplate = {
    .id = 105,
    .cx = 144,
    .cy = 153,
    .fontName = "MS Shell Dlg",
    .pointSize = 8,
    .controls = {
        {CDlgResult::kPictureStatic, ControlKind::kStatic, "", 3, 2, 37, 43,
         WS_VISIBLE | SS_BITMAP},
        {kNameLabel, ControlKind::kStatic, "Name:", 36, 12, 24, 9, kLabel},
        {CDlgResult::kNameStatic, ControlKind::kStatic, "", 37, 23, 77, 23, kValue},
        {1006, ControlKind::kStatic, "Mobile:", 11, 49, 26, 9, kLabel},
        {CDlgResult::kMobileStatic, ControlKind::kStatic, "", 37, 49, 94, 9, kValue},
        {1007, ControlKind::kStatic, "Work Tel:", 6, 63, 32, 9, kLabel},
        {CDlgResult::kWorkTelStatic, ControlKind::kStatic, "", 38, 63, 93, 9, kValue},
        {1160, ControlKind::kStatic, "Home Tel:", 3, 75, 35, 9, kLabel},
        {CDlgResult::kHomeTelStatic, ControlKind::kStatic, "", 36, 75, 95, 9, kValue},
        {1008, ControlKind::kStatic, "E-Mail:", 11, 87, 25, 9, kLabel},
        {CDlgResult::kEMailStatic, ControlKind::kStatic, "", 34, 87, 97, 9, kValue},
        {kNotesLabel, ControlKind::kStatic, "Notes:", 15, 100, 24, 9, kLabel},
        {CDlgResult::kNotesStatic, ControlKind::kStatic, "", 39, 102, 96, 37, kValue},
        {CDlgResult::kIdStatic, ControlKind::kStatic, "", 94, 3, 30, 9, SS_LEFT},
    }};

// Each value with what stands before it on its line: its label, or for the name (whose label
// stands above it) the picture.
struct CardLine {
  int label;
  int value;
};

const CardLine kCardLines[] = {
    {CDlgResult::kPictureStatic, CDlgResult::kNameStatic},
    {1006, CDlgResult::kMobileStatic},
    {1007, CDlgResult::kWorkTelStatic},
    {1160, CDlgResult::kHomeTelStatic},
    {1008, CDlgResult::kEMailStatic},
    {kNotesLabel, CDlgResult::kNotesStatic},
};

// Moves a control's left edge and sets its right edge, keeping its top and height.
void SetLeftRight(QWidget* control, int left, int right) {
  control->setGeometry(left, control->y(), right - left, control->height());
}

// The four card backgrounds, rendered once for every card.
const QPixmap& Background(int bitmapId) {
  static std::map<int, QPixmap> backgrounds;
  auto found = backgrounds.find(bitmapId);
  if (found == backgrounds.end()) {
    found = backgrounds.emplace(bitmapId, QPixmap::fromImage(LoadBitmap(bitmapId))).first;
  }
  return found->second;
}

}  // namespace

CDlgResult::CDlgResult(QWidget* parent) : CDialog(kCardTemplate, parent) {
  QPalette colors = palette();
  colors.setColor(QPalette::WindowText, Qt::black);
  setPalette(colors);
  m_selectionTimer.setInterval(kSelectionPeriodMs);
  connect(&m_selectionTimer, &QTimer::timeout, this, [this] { OnTimer(); });
}

int CDlgResult::BackgroundBitmap(int contactType, bool selected) {
  if (contactType == 2) return selected ? kBitmapCardSimSelected : kBitmapCardSim;
  // Phone contacts, and records of any other type, look like phone contacts.
  return selected ? kBitmapCardPhoneSelected : kBitmapCardPhone;
}

void CDlgResult::DoDataExchange(DataExchange& dx) { dx.Text(kIdStatic, m_strID); }

bool CDlgResult::OnInitDialog() {
  m_stPicture = Item<QLabel>(kPictureStatic);
  m_edName = Item<QLabel>(kNameStatic);
  m_edMobile = Item<QLabel>(kMobileStatic);
  m_edWorkTel = Item<QLabel>(kWorkTelStatic);
  m_edHomeTel = Item<QLabel>(kHomeTelStatic);
  m_edEMail = Item<QLabel>(kEMailStatic);
  m_edNotes = Item<QLabel>(kNotesStatic);
  m_stPicture->resize(kPictureWidth, kPictureHeight);
  FitLinesToFont();
  CDialog::OnInitDialog();
  m_hDefaultPicture =
      QPixmap::fromImage(LoadBitmap(kBitmapDefaultPicture))
          .scaled(kPictureWidth, kPictureHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  m_bSelected = false;
  m_selectionTimer.start();
  ShowPicture();
  return true;
}

void CDlgResult::FitLinesToFont() {
  const int besidePicture = m_stPicture->geometry().right() + 1 + kGap;
  QWidget* nameLabel = GetDlgItem(kNameLabel);
  nameLabel->move(std::max(nameLabel->x(), besidePicture), nameLabel->y());
  for (const CardLine& line : kCardLines) {
    int left = besidePicture;
    if (line.label != kPictureStatic) {
      QWidget* label = GetDlgItem(line.label);
      left = label->x() + label->fontMetrics().horizontalAdvance(GetDlgItemText(line.label)) + kGap;
    }
    QWidget* value = GetDlgItem(line.value);
    SetLeftRight(value, std::max(value->x(), left),
                 std::min(value->geometry().right() + 1, kWidth - kEdgeMargin));
  }
}

void CDlgResult::Fill(const CardRecord& record) {
  m_strID = record.id;
  m_nHasPic = record.hasPic;
  m_nContactType = record.contactType;
  m_strSimName = record.simName;
  m_edName->setText(record.name);
  m_edMobile->setText(record.mobile);
  m_edWorkTel->setText(record.workTel);
  m_edHomeTel->setText(record.homeTel);
  m_edEMail->setText(record.eMail);
  m_edNotes->setText(record.notes);

  RenderedPicture picture =
      m_nHasPic == 1 ? RenderPicture(record.picture, QSize(kPictureWidth, kPictureHeight))
                     : RenderedPicture();
  m_picture = QPixmap::fromImage(picture.image);
  m_bPictureFault = picture.renderFailed;
  m_bSelected = false;  // the timer selects it again when its ID is the selected one
  UpdateData(false);
  ShowPicture();
  update();
}

void CDlgResult::ShowPicture() {
  m_stPicture->setPixmap(m_nHasPic == 1 ? m_picture : m_hDefaultPicture);
}

void CDlgResult::ReportPictureFault() {
  if (!m_bPictureFault) return;
  m_bPictureFault = false;
  ShowTips(kIconError, QStringLiteral("Paint error!"));
}

void CDlgResult::paintEvent(QPaintEvent*) {
  QPainter(this).drawPixmap(rect(), Background(BackgroundBitmap(m_nContactType, m_bSelected)));
}

void CDlgResult::Select() {
  AfxGetApp().m_strSelectedID = m_strID;
  m_bSelected = true;
  update();
}

void CDlgResult::OnLButtonDown() { Select(); }

void CDlgResult::OnRButtonDown(QPoint globalPosition) {
  Select();
  std::unique_ptr<QMenu> menu = LoadPopupMenu(kMenuCard);
  if (menu == nullptr) return;
  switch (TrackPopupMenu(menu.get(), globalPosition)) {
    case ID_CARD_MODIFY:
      OnModify();
      break;
    case ID_CARD_DELETE:
      OnDelete();
      break;
  }
}

void CDlgResult::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    OnLButtonDown();
  } else if (event->button() == Qt::RightButton) {
    OnRButtonDown(event->globalPosition().toPoint());
  }
}

void CDlgResult::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) OnModify();
}

void CDlgResult::OnTimer() {
  bool chosen = !m_strID.isEmpty() && m_strID == AfxGetApp().m_strSelectedID;
  if (m_bSelected != chosen) {
    m_bSelected = chosen;
    update();
  }
}

void CDlgResult::OnModify() { OpenModifyDialog(m_strID, m_strSimName); }

void CDlgResult::OnDelete() { OpenDeleteDialog(m_strID, m_strSimName); }
