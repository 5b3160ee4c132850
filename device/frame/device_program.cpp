#include "device/frame/device_program.h"

#include <QCoreApplication>

#include "platform/windows/resources.h"
#include "platform/windows/window_styles.h"

namespace {

struct InstalledProgram {
  const DeviceProgram* program = nullptr;
  std::vector<DialogTemplate> dialogs;
  ResourceModule module;
};

InstalledProgram& Installed() {
  static InstalledProgram installed;
  return installed;
}

constexpr unsigned kText = WS_VISIBLE | SS_LEFT;
constexpr unsigned kCentredText = WS_VISIBLE | SS_CENTER;
constexpr int kNoId = -1;

// Main form 101 of a style, without its controls.
DialogTemplate EmptyMainForm(const FormStyleTraits& style) {
  return {
      .id = IDD_MAIN_FORM,
      .cx = style.formWidth,
      .cy = style.formHeight,
      .fontName = QStringLiteral("MS Sans Serif"),
      .pointSize = 8,
  };
}

DialogTemplate SkeldraForm(const DeviceProgram& program) {
  const FormStyleTraits& style = StyleTraits(FormStyle::kSkeldra);
  const FormControlIds& ids = style.ids;
  const FormTexts& texts = program.form;
  DialogTemplate form = EmptyMainForm(style);
  form.controls = {
      {ids.maker, ControlKind::kStatic, texts.maker, 52, 2, 55, 8, kCentredText},
      {ids.name, ControlKind::kStatic, texts.name, 22, 10, 115, 16, kCentredText},
      {ids.separators[0], ControlKind::kStatic, QString(), 4, 28, 151, 1, kText},
      {ids.titles[0], ControlKind::kStatic, texts.backupTitle, 52, 34, 90, 12, kText},
      {ids.descriptions[0], ControlKind::kStatic, texts.backupDescription, 52, 47, 100, 16, kText},
      {ids.separators[1], ControlKind::kStatic, QString(), 4, 78, 151, 1, kText},
      {ids.titles[1], ControlKind::kStatic, texts.restoreTitle, 52, 84, 90, 12, kText},
      {ids.descriptions[1], ControlKind::kStatic, texts.restoreDescription, 52, 97, 100, 16, kText},
      {ids.separators[2], ControlKind::kStatic, QString(), 4, 128, 151, 1, kText},
      {ids.titles[2], ControlKind::kStatic, texts.exitTitle, 52, 144, 75, 12, kText},
      {ids.separators[3], ControlKind::kStatic, QString(), 4, 178, 151, 1, kText},
      {ids.link, ControlKind::kStatic, texts.link, 19, 182, 121, 8, kCentredText},
  };
  return form;
}

DialogTemplate MarrowindForm(const DeviceProgram& program) {
  const FormStyleTraits& style = StyleTraits(FormStyle::kMarrowind);
  const FormControlIds& ids = style.ids;
  const FormTexts& texts = program.form;
  constexpr unsigned kSeparator = WS_VISIBLE | SS_BITMAP;
  DialogTemplate form = EmptyMainForm(style);
  form.controls = {
      {ids.maker, ControlKind::kStatic, texts.maker, 51, 0, 54, 8, kCentredText},
      {ids.name, ControlKind::kStatic, texts.name, 3, 8, 150, 12, kCentredText},
      {ids.separators[0], ControlKind::kStatic, QString(), 3, 22, 150, 1, kSeparator,
       style.separatorBitmap},
      {ids.separators[1], ControlKind::kStatic, QString(), 3, 57, 150, 1, kSeparator,
       style.separatorBitmap},
      {ids.separators[2], ControlKind::kStatic, QString(), 3, 92, 150, 1, kSeparator,
       style.separatorBitmap},
      {ids.separators[3], ControlKind::kStatic, QString(), 3, 117, 150, 1, kSeparator,
       style.separatorBitmap},
      {ids.titles[0], ControlKind::kStatic, texts.backupTitle, 50, 26, 100, 10, kText},
      {ids.descriptions[0], ControlKind::kStatic, texts.backupDescription, 50, 37, 100, 18, kText},
      {ids.titles[1], ControlKind::kStatic, texts.restoreTitle, 50, 61, 100, 10, kText},
      {ids.descriptions[1], ControlKind::kStatic, texts.restoreDescription, 50, 72, 100, 18, kText},
      {ids.titles[2], ControlKind::kStatic, texts.exitTitle, 50, 103, 100, 10, kText},
      {ids.link, ControlKind::kStatic, texts.link, 18, 119, 120, 9, kCentredText},
  };
  return form;
}

// The About box: the program's icon, its name and version, and the maker's line.
DialogTemplate AboutBox(const DeviceProgram& program, bool landscape) {
  const FormStyleTraits& style = StyleTraits(program.style);
  DialogTemplate about{
      .id = landscape ? IDD_ABOUTBOX_WIDE : IDD_ABOUTBOX,
      .caption = program.aboutCaption,
      .cx = landscape ? style.aboutLandscapeWidth : 153,
      .cy = landscape ? style.aboutLandscapeHeight : 159,
      .fontName = QStringLiteral("MS Shell Dlg"),
      .pointSize = 8,
  };
  QString copyright = QStringLiteral("Copyright (C) ") + program.form.maker;
  if (landscape) {
    about.controls = {
        {style.aboutIcon, ControlKind::kStatic, QString(), 10, 10, 21, 20, WS_VISIBLE | SS_ICON,
         IDR_MAINFRAME},
        {IDC_ABOUT_TEXT, ControlKind::kStatic, program.aboutText, 40, 10, 160, 24, kText},
        {kNoId, ControlKind::kStatic, copyright, 40, 40, 160, 10, kText},
    };
  } else {
    about.controls = {
        {style.aboutIcon, ControlKind::kStatic, QString(), 66, 12, 21, 20, WS_VISIBLE | SS_ICON,
         IDR_MAINFRAME},
        {IDC_ABOUT_TEXT, ControlKind::kStatic, program.aboutText, 10, 40, 133, 24, kCentredText},
        {kNoId, ControlKind::kStatic, copyright, 10, 70, 133, 10, kCentredText},
    };
  }
  return about;
}

// The progress dialog; its controls are placed again whenever it changes size.
DialogTemplate ProgressDialog(const DeviceProgram& program) {
  const ProgressDialogIds& ids = StyleTraits(program.style).progress;
  DialogTemplate dialog{
      .id = IDD_PROGRESS,
      .caption = QStringLiteral("Dialog"),
      .cx = 136,
      .cy = 86,
      .fontName = QStringLiteral("MS Shell Dlg"),
      .pointSize = 8,
  };
  dialog.controls = {
      {ids.bar, ControlKind::kProgressBar, QString(), 14, 36, 108, 10, WS_VISIBLE},
      {ids.number, ControlKind::kStatic, QStringLiteral("0"), 46, 50, 24, 8, WS_VISIBLE | SS_RIGHT},
      {ids.percent, ControlKind::kStatic, QStringLiteral("%"), 70, 50, 8, 8, kText},
      {ids.firstLine, ControlKind::kStatic, QStringLiteral("Static"), 14, 20, 108, 10, kText},
      {ids.secondLine, ControlKind::kStatic, QStringLiteral("Static"), 14, 66, 108, 10, kText},
  };
  return dialog;
}

}  // namespace

std::vector<DialogTemplate> BuildDialogTemplates(const DeviceProgram& program) {
  DialogTemplate form =
      program.style == FormStyle::kSkeldra ? SkeldraForm(program) : MarrowindForm(program);
  return {form, AboutBox(program, false), AboutBox(program, true), ProgressDialog(program)};
}

void InstallDeviceProgram(const DeviceProgram& program) {
  InstalledProgram& installed = Installed();
  installed.program = &program;
  installed.dialogs = BuildDialogTemplates(program);
  installed.module = program.resources != nullptr ? *program.resources : ResourceModule();
  installed.module.dialogs = installed.dialogs;
  InstallResourceModule(&installed.module);
  QCoreApplication::setApplicationName(LoadString(AFX_IDS_APP_TITLE));
}

const DeviceProgram& CurrentDeviceProgram() { return *Installed().program; }

const FormStyleTraits& CurrentStyle() { return StyleTraits(CurrentDeviceProgram().style); }
