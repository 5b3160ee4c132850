#pragma once

#include <QPoint>

#include <functional>

class QDialog;
class QMenu;
class QWidget;

// Modal dialogs and pop-up menus run through this service, the widget half of the message
// service: the program runs them on screen, tests install handlers that work the dialog or pick
// a menu command and answer at once, so no test blocks.

struct ModalService {
  // Runs a dialog that is ready to show; returns the code it ended with.
  std::function<int(QDialog* dialog)> runDialog;
  // Shows a pop-up menu at a screen position; returns the command id chosen, 0 for none.
  std::function<int(QMenu* menu, QPoint globalPosition)> trackMenu;
};

// Installs the handlers and returns the set they replace. Without handlers, dialogs and menus
// run on screen.
ModalService InstallModalService(ModalService service);

int RunModal(QDialog* dialog);
int TrackPopupMenu(QMenu* menu, QPoint globalPosition);

// The window that owns dialogs made without a parent: the program's main window, when there is
// one.
QWidget* AfxGetMainWnd();

// True while a modal dialog, a pop-up menu or a message is up, so that timers can leave alone
// what the window on the stack below is still using.
bool IsModalActive();
