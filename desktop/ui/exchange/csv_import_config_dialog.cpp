#include "desktop/ui/exchange/csv_import_config_dialog.h"

#include <QPushButton>

#include <algorithm>

#include "desktop/exchange/csv/csv_import.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "desktop/store/view_state.h"
#include "desktop/ui/exchange/column_layout_box.h"
#include "desktop/ui/outcome_messages.h"
#include "platform/windows/message_service.h"
#include "platform/windows/window_styles.h"

namespace {

constexpr int kLabelId = -1;

const DialogTemplate kDialogTemplate = {
    .id = 197,
    .caption = "CSV File Import Config",
    .cx = 622,
    .cy = 426,
    .fontName = "MS Shell Dlg",
    .pointSize = 8,
    .controls = {
        {kLabelId, ControlKind::kButton, "File", 7, 5, 608, 52, WS_VISIBLE | BS_GROUPBOX},
        {kLabelId, ControlKind::kStatic, "Import File Location:", 17, 20, 80, 10,
         WS_VISIBLE | SS_LEFT},
        {CDlgCSVImportConfig::kFilePathStatic, ControlKind::kStatic, "", 100, 20, 505, 10,
         WS_VISIBLE | SS_LEFT},
        {kLabelId, ControlKind::kStatic, "Config File Name:", 17, 38, 80, 10, WS_VISIBLE | SS_LEFT},
        {CDlgCSVImportConfig::kConfigNameCombo, ControlKind::kComboBox, "", 100, 36, 150, 100,
         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_SORT},
        {CDlgCSVImportConfig::kSaveConfigButton, ControlKind::kButton, "Save Config", 260, 35, 60,
         14, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
        {kLabelId, ControlKind::kButton, "Setting", 7, 62, 608, 334, WS_VISIBLE | BS_GROUPBOX},
        {CDlgCSVImportConfig::kSettingTab, ControlKind::kTabControl, "", 17, 74, 588, 316,
         WS_VISIBLE | WS_TABSTOP},
        {CDlgCSVImportConfig::kImportButton, ControlKind::kButton, "Import", 480, 403, 60, 16,
         WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
        {IDCANCEL, ControlKind::kButton, "Cancel", 550, 403, 60, 16,
         WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
    }};

const QString kImportErrorCaption = QStringLiteral("Import csv Error");

}  // namespace

CDlgCSVImportConfig::CDlgCSVImportConfig(const QString& csvPath, QWidget* parent)
    : CDialog(kDialogTemplate, parent), m_strCsvPath(csvPath) {}

CDlgCSVImportConfig::~CDlgCSVImportConfig() = default;

bool CDlgCSVImportConfig::OnInitDialog() {
  CDialog::OnInitDialog();
  m_cbConfigName = dynamic_cast<CComboBox*>(GetDlgItem(kConfigNameCombo));
  m_tabSetting = dynamic_cast<CTabCtrl*>(GetDlgItem(kSettingTab));
  FillConfigNames();
  if (!LoadCsvFile(m_strCsvPath)) return true;
  SetDlgItemText(kFilePathStatic, m_strCsvPath);
  m_tabSetting->InsertItem(0, QStringLiteral("First Config"));
  m_tabSetting->InsertItem(1, QStringLiteral("Second Config"));
  CreatePages();

  connect(m_cbConfigName, &QComboBox::activated, this,
          [this](int index) { OnConfigChanged(index); });
  m_tabSetting->onSelChange = [this] { OnTabSelChange(); };
  connect(Item<QPushButton>(kSaveConfigButton), &QAbstractButton::clicked, this,
          [this] { OnSaveConfig(); });
  connect(Item<QPushButton>(kImportButton), &QAbstractButton::clicked, this,
          [this] { OnImport(); });
  connect(Item<QPushButton>(IDCANCEL), &QAbstractButton::clicked, this, [this] { OnCancel(); });
  return true;
}

void CDlgCSVImportConfig::FillConfigNames() {
  m_cbConfigName->clear();
  for (const QString& title : ListColumnConfigTitles()) m_cbConfigName->AddString(title);
  m_cbConfigName->setCurrentIndex(-1);
}

bool CDlgCSVImportConfig::LoadCsvFile(const QString& path) {
  CsvReadResult read = ReadCsvHeader(m_header, path);
  if (read == CsvReadResult::kRead) return true;
  ShowReadError(read);
  OnCancel();
  return false;
}

void CDlgCSVImportConfig::ShowReadError(CsvReadResult read) {
  ShowMessageBox(read == CsvReadResult::kTooLarge
                     ? QStringLiteral("The import file holds a record too large to import!")
                     : QStringLiteral("The import file is not found!"),
                 kImportErrorCaption, MB_OK | MB_ICONERROR);
}

void CDlgCSVImportConfig::CreatePages() {
  QRect pageRect = m_tabSetting->GetClientRect().adjusted(1, 22, -2, -2);
  for (CCsvImportPage* page :
       {static_cast<CCsvImportPage*>(&m_dlgFirst), static_cast<CCsvImportPage*>(&m_dlgSecond)}) {
    page->Create(m_tabSetting);
    page->FillColumnCombos(HeaderRow());
    page->MoveWindow(pageRect);
  }
  m_dlgFirst.show();
  m_dlgSecond.hide();
}

const CsvRow& CDlgCSVImportConfig::HeaderRow() const { return m_header; }

void CDlgCSVImportConfig::OnTabSelChange() {
  bool first = m_tabSetting->GetCurSel() == 0;
  m_dlgFirst.setVisible(first);
  m_dlgSecond.setVisible(!first);
}

void CDlgCSVImportConfig::OnConfigChanged(int index) {
  LoadColumnConfig(m_cbConfigName->itemText(index));
}

QString CDlgCSVImportConfig::BoxText(int box) const {
  return box < CDlgFirCSVImpCf::kComboCount
             ? m_dlgFirst.GetComboText(box)
             : m_dlgSecond.GetComboText(box - CDlgFirCSVImpCf::kComboCount);
}

void CDlgCSVImportConfig::SetBoxText(int box, const QString& text) {
  if (box < CDlgFirCSVImpCf::kComboCount) {
    m_dlgFirst.SetComboText(box, text);
  } else {
    m_dlgSecond.SetComboText(box - CDlgFirCSVImpCf::kComboCount, text);
  }
}

int CDlgCSVImportConfig::LayoutIndexOfBox(int box) const {
  // The layout file keeps the fields in canonical order, while the pages show them as they
  // group them (the second page shows Notes between Birthday and Office loc).
  return Index(box < CDlgFirCSVImpCf::kComboCount
                   ? m_dlgFirst.ComboField(box)
                   : m_dlgSecond.ComboField(box - CDlgFirCSVImpCf::kComboCount));
}

void CDlgCSVImportConfig::LoadColumnConfig(const QString& name) {
  std::optional<ColumnConfigFile> layout = LoadLayoutForBox(name);
  if (!layout) return;
  for (int box = 0; box < kContactFieldCount; ++box) {
    SetBoxText(box, layout->names[LayoutIndexOfBox(box)]);
  }
}

void CDlgCSVImportConfig::OnSaveConfig() {
  ColumnConfigFile layout;
  for (int box = 0; box < kContactFieldCount; ++box) {
    layout.names[LayoutIndexOfBox(box)] = BoxText(box);
  }
  SaveLayoutFromBox(m_cbConfigName, layout);
}

void CDlgCSVImportConfig::OnImport() {
  CsvColumnMap columns;
  m_dlgFirst.MapColumns(HeaderRow(), std::span(columns).first(CDlgFirCSVImpCf::kComboCount));
  m_dlgSecond.MapColumns(HeaderRow(), std::span(columns).last(CDlgSecCSVImpCf::kComboCount));
  // Without a column every record would be a blank contact: the user is to choose first.
  if (std::ranges::all_of(columns, [](int column) { return column < 0; })) {
    ShowMessageBox(QStringLiteral("No column of the file is mapped to a contact field: nothing is "
                                  "imported!"),
                   kImportErrorCaption, MB_OK | MB_ICONERROR);
    return;
  }
  CsvImportOutcome outcome =
      ImportCsvFile(m_strCsvPath, columns, QString::fromLatin1(kContactDatabaseFile));
  ShowDatabaseFault(outcome.fault);
  if (outcome.read != CsvReadResult::kRead) {
    ShowReadError(outcome.read);  // the file changed since the dialog opened: nothing is in
    OnCancel();
    return;
  }
  ShowMessageBox(
      QString::asprintf("Import csv file finish! %d Record is Successed and %d Record is Failded!",
                        outcome.succeeded, outcome.failed),
      QStringLiteral("Import CSV File Result"), MB_OK | MB_ICONINFORMATION);
  if (ViewState* state = AppViewState()) state->m_bDataChanged = true;
  CDialog::OnOK();
}

void CDlgCSVImportConfig::OnOK() { OnImport(); }
