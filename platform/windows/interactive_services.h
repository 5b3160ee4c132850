#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "platform/windows/message_service.h"

class QFileDialog;

// Installs the on-screen message boxes and file dialogs of the message service. The program
// calls it at start-up; the tips box is installed by the program itself.
void InstallInteractiveServices();

// A file dialog on screen: the request's filters, title and name; the chosen full path with the
// extension of the chosen filter (or the default extension) added to a name typed without one,
// or nothing when cancelled. The path is checked with that extension: an open dialog tells when
// no such file exists and a save dialog asked to prompt before overwriting asks before replacing
// one (through the message service); either way the dialog opens again. The first dialog of a
// run opens in the working folder, each later one in the folder of the file last chosen (or the
// folder last shown, when the user went to another and cancelled). `prepare`, when given,
// adjusts the dialog before it shows (the phone fits it to its screen).
std::optional<QString> RunFileDialogOnScreen(const FileDialogRequest& request,
                                             const std::function<void(QFileDialog&)>& prepare = {});
