#include "device/frame/dialog_relayout.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include <utility>
#include <vector>

#include "device/frame/scaled_images.h"
#include "platform/device/shell/dialog_item.h"
#include "platform/device/shell/resource_module.h"
#include "platform/windows/dialog_template.h"
#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"

namespace {

constexpr int kNoControlId = -1;

void RefreshImage(QWidget* control, const ControlTemplate& item) {
  auto* label = qobject_cast<QLabel*>(control);
  if (label == nullptr) return;
  if ((item.style & 3) == 3) {
    label->setPixmap(LoadScreenIcon(item.imageId));
  } else if ((item.style & 0x0E) == 0x0E) {
    label->setPixmap(QPixmap::fromImage(LoadBitmap(item.imageId)));
  }
}

void RefreshText(QWidget* control, const ControlTemplate& item) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(item.text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(item.text);
  }
}

// Gives the control what its template item holds again.
void RefreshFromTemplate(QWidget* control, const ControlTemplate& item) {
  switch (item.kind) {
    case ControlKind::kButton:
    case ControlKind::kStatic:
      if (item.imageId != 0) {
        RefreshImage(control, item);
      } else {
        RefreshText(control, item);
      }
      break;
    case ControlKind::kListBox:
      if (auto* list = qobject_cast<QListWidget*>(control); list && list->currentRow() >= 0) {
        list->setCurrentRow(list->currentRow());
        list->scrollToItem(list->currentItem());
      }
      break;
    case ControlKind::kComboBox:
      if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->currentIndex() >= 0) {
        combo->setCurrentIndex(combo->currentIndex());
      }
      break;
    default:
      break;
  }
}

}  // namespace

void PlaceDialogControl(int id, QWidget* parent, const QRect& rect) {
  QWidget* control = FindDlgItem(parent, id);
  if (control == nullptr) return;
  control->setGeometry(rect);
  control->update();
}

int RelayoutDialogFromTemplate(QWidget* window, int templateId) {
  const DialogTemplate* dialog = FindDialogTemplate(templateId);
  if (dialog == nullptr) return 0;
  DialogUnits units(window->font());
  std::vector<std::pair<QWidget*, QRect>> moves;
  bool allFound = true;
  int itemsWithoutId = 0;
  for (const ControlTemplate& item : dialog->controls) {
    if (item.id == kNoControlId || item.id == 0xFFFF) ++itemsWithoutId;
    QWidget* control = FindDlgItem(window, item.id);
    if (control == nullptr) {
      allFound = false;
      continue;
    }
    moves.emplace_back(control, units.ToPixels(item.x, item.y, item.cx, item.cy));
    RefreshFromTemplate(control, item);
  }
  for (const auto& [control, rect] : moves) {
    control->setGeometry(rect);
    control->update();
  }
  return allFound && itemsWithoutId <= 1 ? 1 : 0;
}
