#pragma once

// The phone's message box and file dialogs on screen, fitted to the phone as its own dialogs
// are: they open over the program's main window, stay inside the screen and are drawn in the
// phone's dialog font and style at the screen's pixels per inch (phone_style.h).
//   Message box: as wide as the screen, its caption as the title, the text wrapped (anywhere in a
//   word too wide for a line, such as a path) and scrolled when the screen is too low for it;
//   OK, OK and Cancel, or Yes and No, by the type's buttons (icons are not shown). A box with OK
//   alone answers IDOK however it is closed.
//   File dialog: the platform's file dialog (platform/windows/interactive_services.h) with the
//   screen's size, its files as a list, without the side bar and without renaming, deleting or
//   making folders. What it remembers (its folders, its view) is kept apart from the settings of
//   the computer's other programs.
// InstallPhoneDialogs puts both in the message service (platform/windows/message_service.h).
void InstallPhoneDialogs();
