#pragma once

#include <QString>

#include "desktop/ui/exchange/export_config_dialog.h"

// The CSV export dialog: the target file, a column layout (the built-in "Default", "Google" and
// "Outlook", or a saved layout file) whose 55 column names the user may edit on two tab pages
// and save as a layout of their own, and the export itself.
//
// The main frame's "Export CSV File" command constructs it without arguments, runs DoModal and
// ignores the result.
class CDlgCSVExportConfig : public CExportConfigDialog {
 public:
  explicit CDlgCSVExportConfig(QWidget* parent = nullptr);

  // The user chose a layout in the layout box's list.
  void OnConfigChanged(int index);
  // Saves the 55 names under the title in the layout box.
  void OnSaveConfig();
  // Writes the file in the selected layout, reports the outcome and closes the dialog.
  void OnExport() override;

  void ApplyDefaultColumns();
  void ApplyOutlookColumns();
  // The Google layout has a fixed header: its boxes are empty.
  void ApplyGoogleColumns();
  // Fills the boxes from the layout file of that title.
  void LoadColumnConfig(const QString& title);

 protected:
  bool OnInitDialog() override;

 private:
  // The text of the selected list item of the layout box; empty when none is selected.
  QString SelectedLayout() const;
};
