#include "platform/device/shell/message_box.h"

#include <QApplication>
#include <QMetaObject>
#include <QThread>
#include <QWidget>

namespace {

int ShowOnThisThread(const QString& text, unsigned type) {
  return ShowMessageBox(text, QCoreApplication::applicationName(), type);
}

void TellTheWindowsOfAWorkersBox() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    WorkerMessageEvent event;
    QApplication::sendEvent(window, &event);
  }
}

}  // namespace

const QEvent::Type WorkerMessageEvent::kType =
    static_cast<QEvent::Type>(QEvent::registerEventType());

int AfxMessageBox(const QString& text, unsigned type) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() == app->thread()) {
    return ShowOnThisThread(text, type);
  }
  // The text is copied: a worker may show a text of its job after setting the job's done flag,
  // and the job may be gone by the time the UI thread takes the call.
  int answer = IDCANCEL;
  QMetaObject::invokeMethod(
      app,
      [text, type] {
        TellTheWindowsOfAWorkersBox();
        return ShowOnThisThread(text, type);
      },
      Qt::BlockingQueuedConnection, &answer);
  return answer;
}
