#pragma once

#include <QString>

// How the worker of an SMS job ends: the message it shows, and whether it marks the job done
// before showing it (the job may be gone by then, so the message carries its own text).
struct SmsJobOutcome {
  int stringId = 0;  // the program's string resource, or 0 to show `text`
  QString text;
  bool doneBeforeMessage = false;
  bool operator==(const SmsJobOutcome&) const = default;
};

// A file that could not be opened, written or read: its own error text, at most 255 characters,
// shown once the job is done.
inline SmsJobOutcome FileErrorOutcome(const QString& errorText) {
  return {0, errorText.left(255), true};
}
