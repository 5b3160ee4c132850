#pragma once

#include <QLineEdit>
#include <QString>

#include "desktop/exchange/export_outcome.h"
#include "desktop/ui/exchange/csv_export_pages.h"
#include "platform/windows/combo_box.h"
#include "platform/windows/dialog.h"
#include "platform/windows/tab_control.h"

// What the CSV and the vCard export dialogs share: the one layout of their templates (192 and
// 198), the target-file box with its "Export File" button, the layout box, the tab control with
// the two pages of column names, Enter pressing Export, and the checks before an export.
class CExportConfigDialog : public CDialog {
 public:
  static constexpr int kSettingTab = 1249;
  static constexpr int kPathEdit = 1277;
  static constexpr int kConfigNameCombo = 1278;
  static constexpr int kExportFileButton = 1163;
  static constexpr int kSaveConfigButton = 1191;
  static constexpr int kExportButton = 1306;

  // "Export File": asks for the target file and puts its path into the path box.
  void OnExportFile();
  // Writes the file, reports the outcome and closes the dialog (see FinishExport).
  virtual void OnExport() = 0;

  CsvExportPages& Pages() { return m_pages; }

  struct ExportTexts {
    const char* browseTitle;   // of the "Export File" dialog
    const char* browseFilter;  // its filter
    const char* errorCaption;  // of the message that asks for a target file
    const char* resultCaption;
  };

 protected:
  // `configComboStyle` is the layout box's extra style (CBS_SORT or none).
  CExportConfigDialog(int templateId, const char* caption, unsigned configComboStyle,
                      const ExportTexts& texts, QWidget* parent);

  // Finds the controls, creates the pages and connects the buttons.
  bool OnInitDialog() override;
  // Enter presses the default button, Export.
  void OnOK() override { OnExport(); }

  // The target path, when there is one, it is not the database and the table has records;
  // otherwise nothing, after telling the user.
  std::optional<QString> ExportTarget();
  // Reports the outcome of an export: `written` or `failed` in the result box, which closes the
  // dialog; or why the database could not serve, after which the dialog stays open.
  void FinishExport(const ExportOutcome& outcome, const QString& written, const QString& failed);

  CTabCtrl* m_tabConfig = nullptr;
  CsvExportPages m_pages;
  QLineEdit* m_editPath = nullptr;
  CComboBox* m_cbConfigName = nullptr;

 private:
  // Why the database cannot serve, in an error box.
  void ReportDatabaseFault(DatabaseFault fault);

  ExportTexts m_texts;
};
