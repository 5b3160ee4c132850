#include "platform/windows/tab_control.h"

#include <QPainter>
#include <QStyleOptionTabWidgetFrame>

CTabCtrl::CTabCtrl(QWidget* parent) : QWidget(parent), tabs_(new QTabBar(this)) {
  tabs_->setDrawBase(false);
  tabs_->setExpanding(false);
  connect(tabs_, &QTabBar::currentChanged, this, [this] {
    if (!settingSelection_ && onSelChange) onSelChange();
  });
}

int CTabCtrl::InsertItem(int index, const QString& text) {
  settingSelection_ = true;
  int inserted = tabs_->insertTab(index, text);
  settingSelection_ = false;
  tabs_->adjustSize();
  return inserted;
}

void CTabCtrl::SetCurSel(int index) {
  settingSelection_ = true;
  tabs_->setCurrentIndex(index);
  settingSelection_ = false;
}

void CTabCtrl::paintEvent(QPaintEvent*) {
  // The frame below the tabs, around the area the pages fill.
  QStyleOptionTabWidgetFrame frame;
  frame.initFrom(this);
  frame.rect = rect().adjusted(0, tabs_->height() - 1, 0, 0);
  QPainter painter(this);
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}
