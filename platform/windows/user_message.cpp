#include "platform/windows/user_message.h"

#include <QCoreApplication>

const QEvent::Type UserMessageEvent::kType = static_cast<QEvent::Type>(QEvent::registerEventType());

long long SendMessage(QObject* receiver, unsigned message, long long wParam, long long lParam) {
  UserMessageEvent event(message, wParam, lParam);
  QCoreApplication::sendEvent(receiver, &event);
  return event.result;
}
