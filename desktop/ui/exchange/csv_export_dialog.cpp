#include "desktop/ui/exchange/csv_export_dialog.h"

#include <QPushButton>

#include "desktop/exchange/csv/csv_export.h"
#include "desktop/store/contact_database.h"
#include "desktop/ui/exchange/column_layout_box.h"
#include "platform/windows/message_service.h"
#include "platform/windows/window_styles.h"

namespace {

const CExportConfigDialog::ExportTexts kTexts = {
    "Export the contacts as a CSV File",
    "CSV files (*.csv)|*.csv|",
    "Export csv Error",
    "Export csv Result",
};

}  // namespace

CDlgCSVExportConfig::CDlgCSVExportConfig(QWidget* parent)
    : CExportConfigDialog(192, "CSV File Export Config", CBS_SORT, kTexts, parent) {}

bool CDlgCSVExportConfig::OnInitDialog() {
  CExportConfigDialog::OnInitDialog();
  for (const char* builtIn : kBuiltInLayouts) m_cbConfigName->AddString(builtIn);
  for (const QString& title : ListColumnConfigTitles()) m_cbConfigName->AddString(title);
  m_cbConfigName->setCurrentIndex(0);
  // The boxes show the Default names, whichever title sorts first in the list.
  ApplyDefaultColumns();
  connect(m_cbConfigName, &QComboBox::activated, this,
          [this](int index) { OnConfigChanged(index); });
  connect(Item<QPushButton>(kSaveConfigButton), &QAbstractButton::clicked, this,
          [this] { OnSaveConfig(); });
  return true;
}

void CDlgCSVExportConfig::OnConfigChanged(int index) {
  m_pages.SetColumnsReadOnly(false);
  QString name = m_cbConfigName->itemText(index);
  if (name.compare(QLatin1String("Default"), Qt::CaseInsensitive) == 0) {
    ApplyDefaultColumns();
  } else if (IsGoogleLayout(name)) {
    ApplyGoogleColumns();
    m_pages.SetColumnsReadOnly(true);
  } else if (name.compare(QLatin1String("Outlook"), Qt::CaseInsensitive) == 0) {
    ApplyOutlookColumns();
  } else {
    LoadColumnConfig(name);
  }
}

void CDlgCSVExportConfig::ApplyDefaultColumns() { m_pages.SetColumnNames(DefaultCsvColumns()); }

void CDlgCSVExportConfig::ApplyOutlookColumns() { m_pages.SetColumnNames(OutlookCsvColumns()); }

void CDlgCSVExportConfig::ApplyGoogleColumns() { m_pages.SetColumnNames(ColumnConfigFile()); }

void CDlgCSVExportConfig::LoadColumnConfig(const QString& title) {
  if (std::optional<ColumnConfigFile> layout = LoadLayoutForBox(title)) {
    m_pages.SetColumnNames(*layout);
  }
}

void CDlgCSVExportConfig::OnSaveConfig() {
  SaveLayoutFromBox(m_cbConfigName, m_pages.GetColumnNames());
}

QString CDlgCSVExportConfig::SelectedLayout() const {
  int selected = m_cbConfigName->currentIndex();
  return selected >= 0 ? m_cbConfigName->itemText(selected) : QString();
}

void CDlgCSVExportConfig::OnExport() {
  std::optional<QString> path = ExportTarget();
  if (!path) return;
  ExportOutcome outcome = IsGoogleLayout(SelectedLayout())
                              ? WriteGoogleCsvRows(*path)
                              : WriteCommonCsvRows(*path, m_pages.GetColumnNames());
  if (outcome.result == ExportResult::kCannotCreate) {
    ShowMessageBox(QStringLiteral("The  file ") + *path + QStringLiteral(" not exist!"),
                   QStringLiteral("create common csv Error"), MB_OK | MB_ICONERROR);
  }
  FinishExport(outcome, QStringLiteral("Export Contacts success!"),
               QStringLiteral("Export Contacts fail!"));
}
