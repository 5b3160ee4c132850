#include "platform/windows/dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

#include <algorithm>

#include "platform/windows/menu.h"
#include "platform/windows/modal_service.h"
#include "platform/windows/window_styles.h"

namespace {

// What a title bar takes besides its caption: the window's icon, its buttons and their spacing.
constexpr int kTitleBarRoom = 120;

QStringList LocalFiles(const QMimeData* data) {
  QStringList files;
  if (data == nullptr) return files;
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) files << url.toLocalFile();
  }
  return files;
}

int ScrollCode(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return SB_LINEUP;
    case QAbstractSlider::SliderSingleStepAdd:
      return SB_LINEDOWN;
    case QAbstractSlider::SliderPageStepSub:
      return SB_PAGEUP;
    case QAbstractSlider::SliderPageStepAdd:
      return SB_PAGEDOWN;
    case QAbstractSlider::SliderToMinimum:
      return SB_TOP;
    case QAbstractSlider::SliderToMaximum:
      return SB_BOTTOM;
    default:
      return SB_THUMBTRACK;
  }
}

}  // namespace

CDialog::CDialog(const DialogTemplate& dialogTemplate, QWidget* parent)
    : QDialog(parent), ControlHost(dialogTemplate) {
  setWindowTitle(Template().caption);
  setFont(DialogFont(Template().fontName, Template().pointSize));
  if (Template().style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) {
    Qt::WindowFlags flags = windowFlags();
    if (Template().style & WS_MINIMIZEBOX) flags |= Qt::WindowMinimizeButtonHint;
    if (Template().style & WS_MAXIMIZEBOX) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
  }
}

void CDialog::Build() {
  if (Controls().IsBuilt()) return;
  DialogUnits units(font());
  QSize clientSize(units.ToPixelsX(Template().cx), units.ToPixelsY(Template().cy));
  if (Template().menuId != 0 || (Template().style & WS_VSCROLL) || titleRow_ != nullptr) {
    BuildFrame(clientSize);
  } else {
    SetWindowSize(clientSize);
  }
  BuildControls(ClientArea());
  for (QWidget* child : ClientArea()->findChildren<QWidget*>()) child->installEventFilter(this);
}

void CDialog::SetTitleRow(QWidget* row) {
  row->setParent(this);
  titleRow_ = row;
}

void CDialog::BuildFrame(QSize clientSize) {
  client_ = new QWidget(this);
  client_->resize(clientSize);
  if (Template().menuId != 0) {
    menuBar_ = new QMenuBar(this);
    BuildMenuBar(menuBar_, Template().menuId, [this](int id) { OnCommand(id); });
  }
  const int top = FrameTop();
  int right = 0;
  if (Template().style & WS_VSCROLL) {
    scrollBar_ = new QScrollBar(Qt::Vertical, this);
    scrollBar_->setRange(0, 0);
    connect(scrollBar_, &QAbstractSlider::actionTriggered, this,
            [this](int action) { OnScrollAction(action); });
    right = scrollBar_->sizeHint().width();
  }
  client_->move(0, top);
  SetWindowSize(clientSize + QSize(right, top));
}

int CDialog::FrameTop() const {
  int top = 0;
  if (titleRow_ != nullptr) top += titleRow_->sizeHint().height();
  if (menuBar_ != nullptr) top += menuBar_->sizeHint().height();
  return top;
}

void CDialog::LayoutFrame() {
  int top = 0;
  for (QWidget* row : {titleRow_, static_cast<QWidget*>(menuBar_)}) {
    if (row == nullptr) continue;
    const int rowHeight = row->sizeHint().height();
    row->setGeometry(0, top, width(), rowHeight);
    row->raise();
    top += rowHeight;
  }
  if (scrollBar_ != nullptr) {
    int barWidth = scrollBar_->sizeHint().width();
    scrollBar_->setGeometry(width() - barWidth, top, barWidth, height() - top);
    scrollBar_->raise();
  } else if (client_ != nullptr) {
    client_->setGeometry(0, top, width(), height() - top);
  }
}

void CDialog::SetWindowSize(QSize size) {
  if (Template().style & WS_MAXIMIZEBOX) {
    resize(size);
  } else {
    setFixedSize(size);
  }
}

QWidget* CDialog::ClientArea() const {
  return client_ != nullptr ? client_ : const_cast<CDialog*>(this);
}

int CDialog::DoModal() {
  Build();
  setResult(0);
  ended_ = false;
  OnInitDialog();
  return ended_ ? result() : RunModal(this);
}

bool CDialog::Create(QWidget* parent) {
  setParent(parent, Qt::Widget);
  Build();
  OnInitDialog();
  return true;
}

bool CDialog::OnInitDialog() {
  UpdateData(false);
  return true;
}

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::MoveWindow(const QRect& rect) {
  SetWindowSize(rect.size());
  move(rect.topLeft());
}

void CDialog::FitWidthToCaption() {
  // Title bars draw the caption in a bold face of the desktop's font.
  QFont titleFont = QApplication::font();
  titleFont.setBold(true);
  int needed = QFontMetrics(titleFont).horizontalAdvance(windowTitle()) + kTitleBarRoom;
  int wanted = std::min(needed, screen()->availableGeometry().width());
  if (wanted <= width()) return;
  QPoint shift((wanted - width()) / 2, 0);
  for (QWidget* control : ClientArea()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    control->move(control->pos() + shift);
  }
  SetWindowSize(QSize(wanted, height()));
}

void CDialog::SetScrollRange(int minimum, int maximum) {
  if (scrollBar_ == nullptr) return;
  QSignalBlocker blocker(scrollBar_);
  scrollBar_->setRange(minimum, maximum);
  scrollPosition_ = scrollBar_->value();
}

void CDialog::SetScrollPos(int position) {
  if (scrollBar_ == nullptr) return;
  QSignalBlocker blocker(scrollBar_);
  scrollBar_->setValue(position);
  scrollPosition_ = scrollBar_->value();
}

int CDialog::ScrollMinimum() const { return scrollBar_ != nullptr ? scrollBar_->minimum() : 0; }

int CDialog::ScrollMaximum() const { return scrollBar_ != nullptr ? scrollBar_->maximum() : 0; }

void CDialog::ScrollWindow(int dx, int dy) {
  if (client_ != nullptr) client_->move(client_->pos() + QPoint(dx, dy));
}

void CDialog::OnScrollAction(int action) {
  // The bar has moved its thumb already; the dialog decides where it really goes.
  OnVScroll(ScrollCode(action), scrollBar_->sliderPosition());
  QSignalBlocker blocker(scrollBar_);
  scrollBar_->setSliderPosition(scrollPosition_);
}

void CDialog::keyPressEvent(QKeyEvent* event) {
  if (!isWindow()) {
    // A child dialog (a page, a card) leaves Enter and Escape to the window around it.
    event->ignore();
    return;
  }
  bool inMultiLineEdit = qobject_cast<QPlainTextEdit*>(focusWidget()) != nullptr;
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !inMultiLineEdit) {
    OnOK();
  } else if (event->key() == Qt::Key_Escape) {
    OnCancel();
  } else {
    QDialog::keyPressEvent(event);
  }
}

void CDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
  OnCancel();
}

void CDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  LayoutFrame();
}

void CDialog::wheelEvent(QWheelEvent* event) {
  if (scrollBar_ == nullptr) {
    QDialog::wheelEvent(event);
    return;
  }
  OnMouseWheel(event->angleDelta().y());
  event->accept();
}

void CDialog::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CDialog::dragMoveEvent(QDragMoveEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CDialog::dropEvent(QDropEvent* event) {
  QStringList files = LocalFiles(event->mimeData());
  if (files.isEmpty() || !acceptDrops()) return;
  event->acceptProposedAction();
  OnDropFiles(files);
}

QWidget* CDialog::ControlOf(QWidget* widget) const {
  while (widget != nullptr && widget->parentWidget() != ClientArea()) {
    widget = widget->parentWidget();
  }
  return widget;
}

bool CDialog::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::Wheel: {
      // In a scrolling dialog the wheel turns the control that has the focus; over any other
      // control it scrolls the dialog, so scrolling past a date or a list never changes it.
      if (scrollBar_ == nullptr) break;
      QWidget* control = ControlOf(qobject_cast<QWidget*>(watched));
      QWidget* focus = focusWidget();
      bool focused = control != nullptr && focus != nullptr &&
                     (control == focus || control->isAncestorOf(focus));
      if (focused) break;
      wheelEvent(static_cast<QWheelEvent*>(event));
      return true;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      // Controls take no files: a dropped file goes on to the dialog.
      if (LocalFiles(static_cast<QDropEvent*>(event)->mimeData()).isEmpty()) break;
      event->ignore();
      return true;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}
