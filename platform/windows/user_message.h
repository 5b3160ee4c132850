#pragma once

#include <QEvent>

// Messages that one window sends another, synchronously: the receiver handles the message before
// SendMessage returns, as the program's windows expect.

inline constexpr unsigned WM_USER = 0x400;

class UserMessageEvent : public QEvent {
 public:
  static const QEvent::Type kType;

  UserMessageEvent(unsigned messageId, long long wParamValue, long long lParamValue)
      : QEvent(kType), message(messageId), wParam(wParamValue), lParam(lParamValue) {}

  const unsigned message;
  const long long wParam;
  const long long lParam;
  long long result = 0;
};

// Delivers the message to `receiver` at once and returns the receiver's result.
long long SendMessage(QObject* receiver, unsigned message, long long wParam = 0,
                      long long lParam = 0);
