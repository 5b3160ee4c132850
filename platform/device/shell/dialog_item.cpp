#include "platform/device/shell/dialog_item.h"

#include <QVariant>
#include <QWidget>

#include "platform/windows/control_host.h"

namespace {

constexpr char kControlIdProperty[] = "controlId";

}  // namespace

void SetDlgCtrlID(QWidget* control, int id) { control->setProperty(kControlIdProperty, id); }

QWidget* FindDlgItem(QWidget* parent, int id) {
  if (parent == nullptr) return nullptr;
  if (auto* host = dynamic_cast<ControlHost*>(parent)) {
    if (QWidget* control = host->GetDlgItem(id)) return control;
  }
  for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    QVariant value = child->property(kControlIdProperty);
    if (value.isValid() && value.toInt() == id) return child;
  }
  return nullptr;
}
