#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "device/frame/form_style.h"
#include "platform/device/shell/resource_module.h"

class CMainFrame;

// What makes one phone program out of the shared frame. A program fills a DeviceProgram and
// hands it to InitDeviceInstance (device_app.h); the frame builds the main window, its soft-key
// bar, its main form, the About box and the progress dialog from it.
//
// To add a program: choose its FormStyle, point `resources` at its resource module (artwork,
// strings, menu 128 and menu bar 128, device/resources), give the texts of its form and About
// box, and list its commands: each FrameCommand is called with the main frame when its id comes
// from the menu, a soft key or a form button. The form's first two buttons send `backupCommand`
// and `restoreCommand`; the third closes the main window. The exit, About and web commands of
// the style are the frame's own.

// The texts of main form 101. The link line's text is replaced by string 140 in the kSkeldra
// style.
struct FormTexts {
  QString maker;
  QString name;
  QString backupTitle;
  QString backupDescription;
  QString restoreTitle;
  QString restoreDescription;
  QString exitTitle;
  QString link;
};

struct FrameCommand {
  int id;
  std::function<void(CMainFrame& frame)> handler;
};

struct DeviceProgram {
  QString purpose;  // what the program does, for its usage text (--help)
  FormStyle style = FormStyle::kMarrowind;
  const ResourceModule* resources = nullptr;
  FormTexts form;
  QString aboutCaption;
  QString aboutText;  // control 202: name and version
  QString homePageUrl;
  QString guideUrl;
  int backupCommand = 0;   // sent by the form's first button
  int restoreCommand = 0;  // sent by the form's second button
  std::vector<FrameCommand> commands;
};

// Installs the program (it must outlive its use): its resource module, completed with the
// dialog templates of BuildDialogTemplates, and its title (string 57344) as the application
// name, which message boxes show as their caption.
void InstallDeviceProgram(const DeviceProgram& program);

// The installed program and its style. Only valid after InstallDeviceProgram.
const DeviceProgram& CurrentDeviceProgram();
const FormStyleTraits& CurrentStyle();

// The program's dialog templates: main form 101, About box 100 (portrait) and 200 (landscape),
// progress dialog 138.
std::vector<DialogTemplate> BuildDialogTemplates(const DeviceProgram& program);
