#pragma once

#include <QEvent>
#include <QString>

#include "platform/windows/message_service.h"

// The class library's message box, as the phone programs show every outcome: the text, the
// program's title (the application name) as its caption, the buttons of `type` (MB_OK,
// MB_OKCANCEL). It goes through the message service, so tests answer it.
//
// It may be called from any thread. Called from a worker thread, the box is shown on the UI thread
// by a blocking queued call and the worker waits for the answer; the UI thread must be running
// its event loop (a modal dialog's loop will do). Just before such a box shows, every top-level
// window receives a WorkerMessageEvent.
int AfxMessageBox(const QString& text, unsigned type = MB_OK);

// Tells the windows that a box asked for by a worker thread is about to show, so that a window
// following the worker (the job's progress dialog) shows where the work stands under the box.
class WorkerMessageEvent : public QEvent {
 public:
  static const QEvent::Type kType;
  WorkerMessageEvent() : QEvent(kType) {}
};
