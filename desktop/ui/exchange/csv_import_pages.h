#pragma once

#include <QString>

#include <span>
#include <vector>

#include "common/contact_schema.h"
#include "desktop/exchange/csv/csv_reader.h"
#include "platform/windows/combo_box.h"
#include "platform/windows/dialog.h"

// A page of the CSV import dialog: one drop-down box per contact field, holding the header name
// of the CSV column that feeds the field, chosen from the list or typed.
class CCsvImportPage : public CDialog {
 public:
  // The boxes are controls 1193, 1194, ... in the page's field order.
  static constexpr int kFirstComboId = 1193;

  int ComboCount() const { return static_cast<int>(m_cbColumns.size()); }
  CComboBox* Combo(int index) const { return m_cbColumns[index]; }
  // The field a box feeds.
  ContactFieldId ComboField(int index) const { return m_fields[index]; }
  QString GetComboText(int index) const;
  void SetComboText(int index, const QString& text);

  // Lists the header's fields in every box (duplicates included; the box sorts them) and selects
  // none.
  void FillColumnCombos(const CsvRow& header);
  // For each box, the index of the first header field whose text equals the box's text exactly,
  // or -1 when none does or the box is empty.
  void MapColumns(const CsvRow& header, std::span<int> columns) const;

 protected:
  CCsvImportPage(const DialogTemplate& page, std::vector<ContactFieldId> fields);

  bool OnInitDialog() override;

 private:
  std::vector<CComboBox*> m_cbColumns;
  std::vector<ContactFieldId> m_fields;
};

// First page (template 193): name, job, contact information and the three addresses.
class CDlgFirCSVImpCf : public CCsvImportPage {
 public:
  static constexpr int kComboCount = 29;
  CDlgFirCSVImpCf();
};

// Second page (template 194): telephones, electronic contacts and the other fields.
class CDlgSecCSVImpCf : public CCsvImportPage {
 public:
  static constexpr int kComboCount = 26;
  CDlgSecCSVImpCf();
};
