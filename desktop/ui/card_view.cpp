#include "desktop/ui/card_view.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <span>

#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "desktop/store/result_query.h"
#include "desktop/ui/record_commands.h"
#include "desktop/ui/zolmark_app.h"
#include "desktop/widgets/control_color.h"
#include "platform/windows/menu.h"
#include "platform/windows/message_service.h"
#include "platform/windows/modal_service.h"

namespace {

constexpr int kPollPeriodMs = 10;

// Cards go in rows from (20, 20), 210 pixels apart across and 270 down. A row ends when the
// next card would not fit: when the width is below x + 410 for the card just placed at x.
constexpr int kFirstX = 20;
constexpr int kFirstY = 20;
constexpr int kStepX = 210;
constexpr int kStepY = 270;
constexpr int kRowEnd = 410;

const DialogTemplate kCardViewTemplate = {
    .id = 104,
    .cx = 363,
    .cy = 639,
    .fontName = "MS Shell Dlg",
    .pointSize = 8,
};

// The columns of a card, with the picture.
const QString& CardColumnsWithPicture() {
  static const QString columns = QString::fromLatin1(kCardColumns) + QStringLiteral(",Picture");
  return columns;
}

CardRecord ReadCardRecord(const SqlStatement& row) {
  CardRecord record;
  record.id = QString::number(row.ColumnInt64(0));
  record.name = row.ColumnText(1) + QLatin1Char(' ') + row.ColumnText(2) + QLatin1Char(' ') +
                row.ColumnText(3);
  record.mobile = row.ColumnText(4);
  record.workTel = row.ColumnText(5);
  record.homeTel = row.ColumnText(6);
  record.eMail = row.ColumnText(7);
  record.notes = row.ColumnText(8);
  record.hasPic = row.ColumnInt(9);
  record.contactType = row.ColumnInt(10);
  record.simName = row.ColumnText(11);
  if (record.hasPic == 1) record.picture = row.ColumnBytes(12);
  return record;
}

}  // namespace

CResultForm::CResultForm(QWidget* parent) : CFormView(kCardViewTemplate, parent) {
  OnCtlColorBackBrush(this);
  m_scrollBar = new QScrollBar(Qt::Vertical, this);
  connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) { OnScroll(value); });
  m_pollTimer.setInterval(kPollPeriodMs);
  connect(&m_pollTimer, &QTimer::timeout, this, [this] { OnTimer(); });
  LoadCards();
  LayoutPage();
}

void CResultForm::OnInitialUpdate() {
  CFormView::OnInitialUpdate();
  // At start-up the frame runs the initial update twice; the second finds the page built.
  if (m_pollTimer.isActive()) return;
  ShowPage();
  m_pollTimer.start();
}

void CResultForm::LoadCards() {
  CZOLMARKApp& app = AfxGetApp();
  ResultIds result = LoadResultIds(app.m_nViewMode, app.m_strKeyword);
  if (result.fault != DatabaseFault::kNone) {
    ShowTips(kIconError, DatabaseFaultText(result.fault));
  }
  m_ids = std::move(result.ids);
  m_nCardCount = static_cast<int>(m_ids.size());
  m_nCardsPerPage = app.m_nPageSize;
  app.m_nPageCount = m_nCardCount / m_nCardsPerPage + (m_nCardCount % m_nCardsPerPage != 0 ? 1 : 0);
  if (app.m_nCurPage >= app.m_nPageCount && app.m_nCurPage != 0) {
    app.m_nCurPage = std::max(0, app.m_nPageCount - 1);
  }
}

void CResultForm::FillCards() {
  const CZOLMARKApp& app = AfxGetApp();
  m_nCardsPerPage = app.m_nPageSize;
  int first = std::max(0, app.m_nCurPage * m_nCardsPerPage);
  int count = std::clamp(m_nCardCount - first, 0, m_nCardsPerPage);
  m_nShownCards = 0;
  if (count == 0) return;

  std::span<const qint64> ids(m_ids.data() + first, count);
  std::vector<CardRecord> records(count);
  for (int i = 0; i < count; ++i) records[i].id = QString::number(ids[i]);
  DatabaseFault fault = ReadRecords(CardColumnsWithPicture(), ids,
                                    [&records](size_t position, const SqlStatement& row) {
                                      records[position] = ReadCardRecord(row);
                                    });
  if (fault != DatabaseFault::kNone) {
    ShowTips(kIconError, DatabaseFaultText(fault));
    return;
  }
  while (static_cast<int>(m_pCards.size()) < count) {
    auto* card = new CDlgResult(this);
    card->Create(this);
    card->hide();
    m_pCards.push_back(card);
  }
  for (int i = 0; i < count; ++i) m_pCards[i]->Fill(records[i]);
  m_nShownCards = count;
}

void CResultForm::LayoutPage() {
  m_scrollBar->setValue(0);
  int width = ClientWidth();
  int x = kFirstX;
  int y = kFirstY;
  for (int i = 0; i < m_nShownCards; ++i) {
    CDlgResult* card = m_pCards[i];
    card->setFixedSize(CDlgResult::kWidth, CDlgResult::kHeight);
    card->move(x, y);
    card->show();
    if (width < x + kRowEnd) {
      y += kStepY;
      x = kFirstX;
    } else {
      x += kStepX;
    }
  }
  for (size_t i = m_nShownCards; i < m_pCards.size(); ++i) m_pCards[i]->hide();
  // The scroll range covers the rows down to y + 270.
  m_scrollBar->setPageStep(height());
  m_scrollBar->setSingleStep(kStepY / 10);
  m_scrollBar->setRange(0, std::max(0, y + kStepY - height()));
}

void CResultForm::ShowPage() {
  FillCards();
  LayoutPage();
  for (int i = 0; i < m_nShownCards; ++i) m_pCards[i]->ReportPictureFault();
}

void CResultForm::OnTimer() {
  // A handler below a modal run (a dialog, a message, a pop-up menu) may still be using its card:
  // the flags wait until it has returned.
  if (IsModalActive()) return;
  CZOLMARKApp& app = AfxGetApp();
  if (app.m_bDataChanged) {
    app.m_bDataChanged = false;
    LoadCards();
    ShowPage();
    return;
  }
  if (app.m_bPageChanged) {
    app.m_bPageChanged = false;
    ShowPage();
  }
  if (app.m_bSearchChanged) {
    LoadCards();
    ShowPage();
    app.m_bSearchChanged = false;
  }
}

std::vector<CDlgResult*> CResultForm::ShownCards() const {
  return std::vector<CDlgResult*>(m_pCards.begin(), m_pCards.begin() + m_nShownCards);
}

int CResultForm::ClientWidth() const { return width() - m_scrollBar->sizeHint().width(); }

void CResultForm::OnScroll(int position) {
  int delta = position - m_nScrollPosition;
  if (delta == 0) return;
  m_nScrollPosition = position;
  for (int i = 0; i < m_nShownCards; ++i) m_pCards[i]->move(m_pCards[i]->pos() - QPoint(0, delta));
}

void CResultForm::resizeEvent(QResizeEvent* event) {
  CFormView::resizeEvent(event);
  int barWidth = m_scrollBar->sizeHint().width();
  m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
  LayoutPage();
  update();
}

void CResultForm::wheelEvent(QWheelEvent* event) {
  int position = m_nScrollPosition - event->angleDelta().y();
  m_scrollBar->setValue(std::clamp(position, m_scrollBar->minimum(), m_scrollBar->maximum()));
  event->accept();
}

void CResultForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton) return;
  std::unique_ptr<QMenu> menu = LoadPopupMenu(kMenuCardView);
  if (menu == nullptr) return;
  if (TrackPopupMenu(menu.get(), event->globalPosition().toPoint()) == ID_CARDVIEW_ADD) {
    OnAddRecord();
  }
}

void CResultForm::OnAddRecord() { OpenAddDialog(); }
