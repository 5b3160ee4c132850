#pragma once

#include "desktop/ui/exchange/export_config_dialog.h"

// The vCard export dialog: the target file and the export. Its two pages show, read-only, the
// vCard property that each contact field becomes; the mapping is fixed, and the "Save Config"
// button and the layout box do nothing.
//
// The main frame's "Export vCard File" command constructs it without arguments, runs DoModal and
// ignores the result.
class CDlgvCardExportConfig : public CExportConfigDialog {
 public:
  explicit CDlgvCardExportConfig(QWidget* parent = nullptr);

  // Writes the file, reports the outcome and closes the dialog.
  void OnExport() override;
  // Shows the property of each field in its box.
  void ApplyVCardColumns();

 protected:
  bool OnInitDialog() override;
};
