#include "desktop/ui/exchange/export_config_dialog.h"

#include <QDateTime>
#include <QPushButton>

#include "desktop/exchange/export_file_name.h"
#include "desktop/store/result_query.h"
#include "desktop/ui/export_target.h"
#include "desktop/ui/outcome_messages.h"
#include "platform/windows/message_service.h"
#include "platform/windows/window_styles.h"

namespace {

constexpr int kLabelId = -1;
constexpr unsigned kFileDialogFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

DialogTemplate ExportTemplate(int templateId, const char* caption, unsigned configComboStyle) {
  using D = CExportConfigDialog;
  return {
      .id = templateId,
      .caption = caption,
      .cx = 622,
      .cy = 428,
      .fontName = "MS Shell Dlg",
      .pointSize = 8,
      .controls = {
          {kLabelId, ControlKind::kButton, "File", 7, 5, 608, 52, WS_VISIBLE | BS_GROUPBOX},
          {kLabelId, ControlKind::kStatic, "Export File Location:", 17, 20, 80, 10,
           WS_VISIBLE | SS_LEFT},
          {D::kPathEdit, ControlKind::kEdit, "", 100, 18, 420, 13,
           WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL},
          {D::kExportFileButton, ControlKind::kButton, "Export File", 530, 17, 70, 15,
           WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
          {kLabelId, ControlKind::kStatic, "Config File Name:", 17, 38, 80, 10,
           WS_VISIBLE | SS_LEFT},
          {D::kConfigNameCombo, ControlKind::kComboBox, "", 100, 36, 150, 100,
           WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | configComboStyle},
          {D::kSaveConfigButton, ControlKind::kButton, "Save Config", 260, 35, 60, 15,
           WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
          {kLabelId, ControlKind::kButton, "Setting", 7, 62, 608, 334, WS_VISIBLE | BS_GROUPBOX},
          {D::kSettingTab, ControlKind::kTabControl, "", 17, 74, 588, 316, WS_VISIBLE | WS_TABSTOP},
          {D::kExportButton, ControlKind::kButton, "Export", 480, 403, 60, 16,
           WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
          {IDCANCEL, ControlKind::kButton, "Cancel", 550, 403, 60, 16,
           WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON},
      }};
}

}  // namespace

CExportConfigDialog::CExportConfigDialog(int templateId, const char* caption,
                                         unsigned configComboStyle, const ExportTexts& texts,
                                         QWidget* parent)
    : CDialog(ExportTemplate(templateId, caption, configComboStyle), parent), m_texts(texts) {}

bool CExportConfigDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  m_tabConfig = dynamic_cast<CTabCtrl*>(GetDlgItem(kSettingTab));
  m_editPath = Item<QLineEdit>(kPathEdit);
  m_cbConfigName = dynamic_cast<CComboBox*>(GetDlgItem(kConfigNameCombo));
  m_cbConfigName->clear();
  m_pages.Create(m_tabConfig);
  m_tabConfig->onSelChange = [this] { m_pages.OnTabSelChange(); };
  connect(Item<QPushButton>(kExportFileButton), &QAbstractButton::clicked, this,
          [this] { OnExportFile(); });
  connect(Item<QPushButton>(kExportButton), &QAbstractButton::clicked, this,
          [this] { OnExport(); });
  connect(Item<QPushButton>(IDCANCEL), &QAbstractButton::clicked, this, [this] { OnCancel(); });
  return true;
}

void CExportConfigDialog::OnExportFile() {
  FileDialogRequest request;
  request.save = true;
  request.title = QString::fromLatin1(m_texts.browseTitle);
  request.filter = QString::fromLatin1(m_texts.browseFilter);
  request.defaultExtension = QStringLiteral("Export files");
  request.fileName = DefaultExportName(QDateTime::currentDateTime());
  request.flags = kFileDialogFlags;
  if (std::optional<QString> path = RunFileDialog(request)) {
    m_editPath->setText(*path);
  } else {
    update();
  }
}

std::optional<QString> CExportConfigDialog::ExportTarget() {
  QString path = m_editPath->text();
  if (path.isEmpty()) {
    ShowMessageBox(QStringLiteral("Location the export file!"),
                   QString::fromLatin1(m_texts.errorCaption), MB_OK | MB_ICONERROR);
    m_editPath->setFocus();
    return std::nullopt;
  }
  if (!AcceptExportTarget(path)) {
    m_editPath->setFocus();
    return std::nullopt;
  }
  ModeRecords records = AnyRecordShown(ViewMode::kAll);
  if (records.fault != DatabaseFault::kNone) {
    ReportDatabaseFault(records.fault);
    return std::nullopt;
  }
  if (!records.any) {
    ShowMessageBox(QStringLiteral("Has none Record!"), QString::fromLatin1(m_texts.resultCaption),
                   MB_OK | MB_ICONINFORMATION);
    return std::nullopt;
  }
  return path;
}

void CExportConfigDialog::ReportDatabaseFault(DatabaseFault fault) {
  ShowMessageBox(DatabaseFaultText(fault), QString::fromLatin1(m_texts.errorCaption),
                 MB_OK | MB_ICONERROR);
}

void CExportConfigDialog::FinishExport(const ExportOutcome& outcome, const QString& written,
                                       const QString& failed) {
  if (outcome.result == ExportResult::kDatabaseFault) {
    ReportDatabaseFault(outcome.fault);
    return;
  }
  ShowMessageBox(outcome.result == ExportResult::kWritten ? written : failed,
                 QString::fromLatin1(m_texts.resultCaption), MB_OK | MB_ICONINFORMATION);
  CDialog::OnOK();
}
