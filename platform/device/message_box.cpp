#include "platform/device/message_box.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

namespace {

int ShowOnThisThread(const QString& text, unsigned type) {
  return ShowMessageBox(text, QCoreApplication::applicationName(), type);
}

}  // namespace

int AfxMessageBox(const QString& text, unsigned type) {
  QCoreApplication* app = QCoreApplication::instance();
  if (app == nullptr || QThread::currentThread() == app->thread()) {
    return ShowOnThisThread(text, type);
  }
  // The text is copied: a worker may show a text of its job after setting the job's done flag,
  // and the job may be gone by the time the UI thread takes the call.
  int answer = IDCANCEL;
  QMetaObject::invokeMethod(
      app, [text, type] { return ShowOnThisThread(text, type); }, Qt::BlockingQueuedConnection,
      &answer);
  return answer;
}
