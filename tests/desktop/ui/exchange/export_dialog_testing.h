#pragma once

#include <QComboBox>
#include <QDir>
#include <QPushButton>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <vector>

#include "tests/support/scripted_services.h"
#include "tests/support/working_folder.h"

// The texts of a combo box's list.
inline QStringList Items(QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

// Fixture of the export dialog tests: a working folder with its Config folder, and a run of the
// dialog under a script that expects the dialog first, then what it shows while it runs.
template <typename Dialog>
class ExportDialogTest : public ::testing::Test {
 protected:
  ExportDialogTest() { QDir().mkdir("Config"); }

  // What the dialog is expected to show while it runs, in order.
  void ExpectMessage(const QString& text, const QString& caption, int answer = IDOK) {
    pending_.push_back([=](ScriptedServices& s) { s.ExpectMessageBox(text, caption, answer); });
  }
  void ExpectFile(const QString& title, std::optional<QString> answer) {
    pending_.push_back([=](ScriptedServices& s) { s.ExpectFileDialog(title, answer); });
  }

  // Runs a new dialog and lets `work` drive it; returns the dialog's result.
  int Run(std::function<int(Dialog&)> work) {
    script_.ExpectDialog([&](QDialog* shown) { return work(*static_cast<Dialog*>(shown)); });
    for (const auto& expect : pending_) expect(script_);
    pending_.clear();
    Dialog dialog;
    return dialog.DoModal();
  }

  static void Click(Dialog& dialog, int id) { dialog.template Item<QPushButton>(id)->click(); }
  static void ExportTo(Dialog& dialog, const QString& path) {
    dialog.SetDlgItemText(Dialog::kPathEdit, path);
    Click(dialog, Dialog::kExportButton);
  }

  TempWorkingFolder folder_;
  ScriptedServices script_;

 private:
  std::vector<std::function<void(ScriptedServices&)>> pending_;
};
