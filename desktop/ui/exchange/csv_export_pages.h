#pragma once

#include <QString>

#include <span>
#include <vector>

#include "desktop/exchange/csv/column_config_file.h"
#include "platform/windows/dialog.h"
#include "platform/windows/tab_control.h"

class QLineEdit;

// A page of the export dialogs: one edit box per contact field, holding the name of the field's
// CSV column (or, in the vCard export, the property it becomes). Boxes are counted from 0 in the
// page's order, which is the column-layout order.
class CCsvExportPage : public CDialog {
 public:
  int BoxCount() const { return static_cast<int>(m_boxIds.size()); }
  QString GetBoxText(int box) const;
  void SetBoxText(int box, const QString& text);
  // Lets the user edit every box, or none.
  void SetColumnsReadOnly(bool readOnly);

 protected:
  CCsvExportPage(const DialogTemplate& page, std::span<const int> boxIds);

 private:
  QLineEdit* Box(int box) const;

  std::vector<int> m_boxIds;
};

// First page (template 195): name, job, contact information and the three addresses, the
// column-layout lines 1 to 29.
class CDlgFirCSVExpCf : public CCsvExportPage {
 public:
  static constexpr int kBoxCount = 29;
  CDlgFirCSVExpCf();
};

// Second page (template 196): telephones, electronic contacts and the others, lines 30 to 55.
class CDlgSecCSVExpCf : public CCsvExportPage {
 public:
  static constexpr int kBoxCount = 26;
  CDlgSecCSVExpCf();
};

// The two pages inside the tab control of an export dialog, and the 55 names across them.
class CsvExportPages {
 public:
  // Adds the tabs "First Config" and "Second Config", creates both pages in the tab control's
  // page area and shows the first.
  void Create(CTabCtrl* tab);
  // Tab 0 shows the first page and hides the second, tab 1 the reverse.
  void OnTabSelChange();

  // The box texts in column-layout order, the first page's first.
  ColumnConfigFile GetColumnNames() const;
  void SetColumnNames(const ColumnConfigFile& names);
  void SetColumnsReadOnly(bool readOnly);

  CDlgFirCSVExpCf& FirstPage() { return m_dlgFirst; }
  CDlgSecCSVExpCf& SecondPage() { return m_dlgSecond; }

 private:
  CTabCtrl* m_tabCtrl = nullptr;
  CDlgFirCSVExpCf m_dlgFirst;
  CDlgSecCSVExpCf m_dlgSecond;
};
