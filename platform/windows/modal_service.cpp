#include "platform/windows/modal_service.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMainWindow>
#include <QMenu>

#include <utility>

namespace {

ModalService& Current() {
  static ModalService service;
  return service;
}

int g_modalDepth = 0;

// Counts the modal runs on the stack, whoever runs them.
class ModalScope {
 public:
  ModalScope() { ++g_modalDepth; }
  ~ModalScope() { --g_modalDepth; }
};

}  // namespace

ModalService InstallModalService(ModalService service) {
  return std::exchange(Current(), std::move(service));
}

int RunModal(QDialog* dialog) {
  ModalScope scope;
  if (Current().runDialog) return Current().runDialog(dialog);
  return dialog->exec();
}

int TrackPopupMenu(QMenu* menu, QPoint globalPosition) {
  ModalScope scope;
  if (Current().trackMenu) return Current().trackMenu(menu, globalPosition);
  QAction* chosen = menu->exec(globalPosition);
  return chosen ? chosen->data().toInt() : 0;
}

bool IsModalActive() {
  return g_modalDepth > 0 || QApplication::activeModalWidget() != nullptr ||
         QApplication::activePopupWidget() != nullptr;
}

QWidget* AfxGetMainWnd() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (qobject_cast<QMainWindow*>(window) != nullptr) return window;
  }
  return nullptr;
}
