#pragma once

#include <QString>

#include "platform/windows/message_service.h"

// The class library's message box, as the phone programs show every outcome: the text, the
// program's title (the application name) as its caption, the buttons of `type` (MB_OK,
// MB_OKCANCEL). It goes through the message service, so tests answer it.
//
// It may be called from any thread. Called from a worker thread, the box is shown on the UI thread
// by a blocking queued call and the worker waits for the answer; the UI thread must be running
// its event loop (a modal dialog's loop will do).
int AfxMessageBox(const QString& text, unsigned type = MB_OK);
