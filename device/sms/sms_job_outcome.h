#pragma once

#include <QString>

#include "device/frame/job_outcome.h"

// A file that could not be opened, written or read: its own error text, at most 255 characters,
// shown once the job is done.
inline JobOutcome FileErrorOutcome(const QString& errorText) {
  return {0, errorText.left(255), true};
}
