#pragma once

#include <QString>

#include "desktop/exchange/csv/csv_reader.h"
#include "desktop/ui/exchange/csv_import_pages.h"
#include "platform/windows/combo_box.h"
#include "platform/windows/dialog.h"
#include "platform/windows/tab_control.h"

// The CSV import dialog: reads the CSV file's header when it opens, lets the user choose for each
// contact field the CSV column (by header name) that feeds it, on two tab pages, saves and loads
// these choices as named column layouts, and imports the file on "Import".
//
// The main frame constructs it with the chosen file's path, runs DoModal and ignores the result.
class CDlgCSVImportConfig : public CDialog {
 public:
  CDlgCSVImportConfig(const QString& csvPath, QWidget* parent = nullptr);
  ~CDlgCSVImportConfig() override;

  static constexpr int kConfigNameCombo = 1278;
  static constexpr int kSaveConfigButton = 1191;
  static constexpr int kSettingTab = 1249;
  static constexpr int kFilePathStatic = 1307;
  static constexpr int kImportButton = 32789;

  // Reads the CSV file's header; when there is no file, or it is too large, says so and cancels
  // the dialog.
  bool LoadCsvFile(const QString& path);
  void OnTabSelChange();
  // The user chose a layout in the layout box.
  void OnConfigChanged(int index);
  // Sets every field box from the layout file of that title.
  void LoadColumnConfig(const QString& name);
  void OnSaveConfig();
  // Imports every data row, reports the counts and closes the dialog. With no column mapped to
  // any field it says so and stays open, storing nothing.
  void OnImport();

  CDlgFirCSVImpCf& FirstPage() { return m_dlgFirst; }
  CDlgSecCSVImpCf& SecondPage() { return m_dlgSecond; }

 protected:
  bool OnInitDialog() override;
  // Enter presses the default button, Import.
  void OnOK() override;

 private:
  void FillConfigNames();
  void CreatePages();
  const CsvRow& HeaderRow() const;
  void ShowReadError(CsvReadResult read);
  // The field boxes in the import's order: the first page's, then the second page's.
  QString BoxText(int box) const;
  void SetBoxText(int box, const QString& text);
  // The line of a layout file that holds the column name of a box's field, from 0.
  int LayoutIndexOfBox(int box) const;

  CComboBox* m_cbConfigName = nullptr;
  QString m_strCsvPath;
  CsvRow m_header;
  CTabCtrl* m_tabSetting = nullptr;
  CDlgFirCSVImpCf m_dlgFirst;
  CDlgSecCSVImpCf m_dlgSecond;
};
