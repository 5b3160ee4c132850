#pragma once

#include <QString>

#include <functional>
#include <optional>

// Every message box and file dialog the program shows goes through this service: the program
// installs handlers that put them on screen, tests install handlers that check what is asked and
// answer it. Only window code calls it: the code below (database, import and export) returns
// its outcomes instead. Modal dialogs and pop-up menus have their own service in
// modal_service.h.

// Results of message boxes and dialogs.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Message box types: the buttons, combined with at most one icon.
inline constexpr unsigned MB_OK = 0x0;
inline constexpr unsigned MB_OKCANCEL = 0x1;
inline constexpr unsigned MB_YESNO = 0x4;
inline constexpr unsigned MB_ICONERROR = 0x10;
inline constexpr unsigned MB_ICONQUESTION = 0x20;
inline constexpr unsigned MB_ICONWARNING = 0x30;
inline constexpr unsigned MB_ICONINFORMATION = 0x40;

// A file dialog as the program asks for it.
struct FileDialogRequest {
  bool save = false;  // save dialog, else open dialog
  QString title;
  QString filter;            // "Text (*.txt)|*.txt|All (*.*)|*.*|"
  QString defaultExtension;  // appended (up to three characters) to a name typed without one
  QString fileName;          // initial file name
  unsigned flags = 0;
};

// File dialog flags the program passes.
inline constexpr unsigned OFN_OVERWRITEPROMPT = 0x2;
inline constexpr unsigned OFN_HIDEREADONLY = 0x4;
inline constexpr unsigned OFN_NOCHANGEDIR = 0x8;

struct MessageService {
  // The tips box: an icon (resource id), a text and one button; returns IDCANCEL for the button
  // and Escape, IDOK for Enter.
  std::function<int(int iconId, const QString& text)> tips;
  // The platform's message box; returns the button chosen.
  std::function<int(const QString& text, const QString& caption, unsigned type)> messageBox;
  // A file dialog; returns the chosen full path, or nothing when cancelled.
  std::function<std::optional<QString>(const FileDialogRequest& request)> fileDialog;
};

// Installs the handlers and returns the set they replace. To change one handler, start from
// CurrentMessageService().
MessageService InstallMessageService(MessageService service);
const MessageService& CurrentMessageService();

// The calls the program makes. Without an installed handler a message is written to standard
// error and answered as if cancelled.
int ShowTips(int iconId, const QString& text);
int ShowMessageBox(const QString& text, const QString& caption, unsigned type);
std::optional<QString> RunFileDialog(const FileDialogRequest& request);
