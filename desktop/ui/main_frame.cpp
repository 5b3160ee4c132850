#include "desktop/ui/main_frame.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMenuBar>

#include "desktop/exchange/backup/contacts_backup_export.h"
#include "desktop/exchange/backup/contacts_backup_import.h"
#include "desktop/exchange/export_file_name.h"
#include "desktop/exchange/text/contacts_text_export.h"
#include "desktop/exchange/vcard/vcard_import.h"
#include "desktop/resources/resource_ids.h"
#include "desktop/store/database_connection.h"
#include "desktop/store/result_query.h"
#include "desktop/ui/card_view.h"
#include "desktop/ui/exchange/csv_export_dialog.h"
#include "desktop/ui/exchange/csv_import_config_dialog.h"
#include "desktop/ui/exchange/vcard_export_dialog.h"
#include "desktop/ui/export_target.h"
#include "desktop/ui/frame_progress_bar.h"
#include "desktop/ui/page_bar.h"
#include "desktop/ui/result_list.h"
#include "desktop/ui/search_pane.h"
#include "desktop/ui/zolmark_app.h"
#include "desktop/widgets/control_color.h"
#include "platform/windows/menu.h"
#include "platform/windows/message_service.h"
#include "platform/windows/resources.h"
#include "platform/windows/user_message.h"

namespace {

constexpr int kRelayoutPeriodMs = 10;
constexpr unsigned kFileDialogFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;

// The result view of the right column: the list view or the card view.
CFormView* CreateResultView(bool list, QWidget* parent) {
  if (list) return new CResultList(parent);
  return new CResultForm(parent);
}

}  // namespace

ImportRoute RouteImport(const QString& path) {
  QString extension = QFileInfo(path).suffix().toLower();
  // "vbx" is the name Marrowind gives the contacts backup file on the phone.
  if (extension == QLatin1String("cbk") || extension == QLatin1String("vbx")) {
    return ImportRoute::kContactsBackup;
  }
  if (extension == QLatin1String("csv")) return ImportRoute::kCsv;
  if (extension == QLatin1String("vcf")) return ImportRoute::kVCard;
  return ImportRoute::kNone;
}

bool ExportsTextListing(const QString& path) {
  return QFileInfo(path).suffix() == QLatin1String("txt");
}

CMainFrame::CMainFrame() {
  setWindowTitle(LoadString(kStringAppTitle));
  setWindowIcon(LoadIcon(kIconApp));
  OnCtlColorBackBrush(this);
  BuildMenuBar(menuBar(), kMenuMain, [this](int id) { OnCommand(id); });
  OnCreateClient();
  m_relayoutTimer.setInterval(kRelayoutPeriodMs);
  connect(&m_relayoutTimer, &QTimer::timeout, this, [this] { RelayoutRows(); });
  m_relayoutTimer.start();
}

void CMainFrame::OnCreateClient() {
  m_wndOuterSplitter = new CMySplitterWnd(1, 2, this);
  m_wndOuterSplitter->m_cxSplitterGap = 1;
  m_wndOuterSplitter->m_cySplitterGap = 6;
  setCentralWidget(m_wndOuterSplitter);

  m_wndOuterSplitter->SetColumnInfo(0, kSearchPaneWidth);
  CFormView* searchPane = new CDlgForm(m_wndOuterSplitter);
  m_wndOuterSplitter->SetPane(0, 0, searchPane);

  m_wndInnerSplitter = new CMySplitterWnd(2, 1, m_wndOuterSplitter);
  m_wndInnerSplitter->m_cxSplitterGap = 1;
  m_wndInnerSplitter->m_cySplitterGap = 6;
  m_wndOuterSplitter->SetPane(0, 1, m_wndInnerSplitter);
  RelayoutRows();
  CFormView* cards = CreateResultView(false, m_wndInnerSplitter);
  m_wndInnerSplitter->SetPane(0, 0, cards);
  cards->OnInitialUpdate();
  CFormView* pageBar = new CButtonForm(m_wndInnerSplitter);
  m_wndInnerSplitter->SetPane(1, 0, pageBar);
  searchPane->OnInitialUpdate();
  RelayoutRows();

  // The initial update of every pane once the frame is built: the search pane and the card view
  // get their second one.
  for (CFormView* pane : {searchPane, cards, pageBar}) pane->OnInitialUpdate();
}

void CMainFrame::RelayoutRows() {
  m_wndInnerSplitter->SetRowInfo(0, m_wndInnerSplitter->height() - kPageBarSpace);
  m_wndInnerSplitter->RecalcLayout();
}

void CMainFrame::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RelayoutRows();
}

bool CMainFrame::event(QEvent* event) {
  if (event->type() == UserMessageEvent::kType) {
    auto* message = static_cast<UserMessageEvent*>(event);
    if (message->message == kShowList || message->message == kShowCards) {
      ShowResultView(message->message == kShowList);
      message->result = 0;
      return true;
    }
  }
  return QMainWindow::event(event);
}

void CMainFrame::ShowResultView(bool list) {
  delete m_wndInnerSplitter->GetPane(0, 0);
  CFormView* view = CreateResultView(list, m_wndInnerSplitter);
  m_wndInnerSplitter->SetPane(0, 0, view);
  view->OnInitialUpdate();
  PageBar()->setEnabled(!list);
  RelayoutRows();
}

void CMainFrame::OnCommand(int commandId) {
  switch (commandId) {
    case ID_FILE_IMPORT:
      OnFileImport();
      break;
    case ID_EXPORT_CBK_TXT:
      OnExportCbkTxt();
      break;
    case ID_EXPORT_CSV:
      OnExportCsv();
      break;
    case ID_EXPORT_VCARD:
      OnExportVCard();
      break;
    case ID_APP_EXIT:
      close();
      break;
    case ID_APP_ABOUT:
      AfxGetApp().OnAppAbout();
      break;
  }
}

void CMainFrame::OnFileImport() {
  FileDialogRequest request;
  request.title = QStringLiteral("Open the import file(*.cbk,*.csv or *.vcf)");
  request.filter = QStringLiteral(
      "Contacts files (*.cbk *.vbx)|*.cbk;*.vbx|CSV files (*.csv)|*.csv|"
      "vCard files (*.vcf)|*.vcf|");
  request.defaultExtension = QStringLiteral("Data files");
  request.flags = kFileDialogFlags;
  std::optional<QString> path = RunFileDialog(request);
  if (!path) {
    update();
    return;
  }
  m_strImportPath = *path;
  switch (RouteImport(*path)) {
    case ImportRoute::kContactsBackup:
      ImportCbkFile(*path);
      break;
    case ImportRoute::kCsv:
      OpenCsvImportDialog(*path);
      break;
    case ImportRoute::kVCard:
      ImportVCardFile(*path);
      break;
    case ImportRoute::kNone:
      ShowTips(kIconError,
               QStringLiteral("Unknown import file type! Please choose a *.cbk, *.vbx, *.csv or "
                              "*.vcf file."));
      break;
  }
}

void CMainFrame::OnExportCbkTxt() {
  ModeRecords records = AnyRecordShown(0);
  if (records.fault != DatabaseFault::kNone) {
    ShowTips(kIconError, DatabaseFaultText(records.fault));
    return;
  }
  if (!records.any && ShowTips(kIconError, QStringLiteral("No contact records!")) == IDCANCEL) {
    return;
  }

  FileDialogRequest request;
  request.save = true;
  request.title = QStringLiteral("Save the contacts as a file(*.vbx or *.txt)");
  request.filter = QStringLiteral("Contacts files (*.cbk)|*.cbk|txt files (*.txt)|*.txt|");
  request.defaultExtension = QStringLiteral("Data files");
  request.fileName = DefaultExportName(QDateTime::currentDateTime());
  request.flags = kFileDialogFlags;
  std::optional<QString> path = RunFileDialog(request);
  if (!path) {
    update();
    return;
  }
  if (!AcceptExportTarget(*path)) return;
  m_strExportPath = *path;
  if (ExportsTextListing(*path)) {
    ExportTextFile(*path);
  } else {
    ExportCbkFile(*path);
  }
}

void CMainFrame::OnExportCsv() {
  CDlgCSVExportConfig dialog;
  dialog.DoModal();
}

void CMainFrame::OnExportVCard() {
  CDlgvCardExportConfig dialog;
  dialog.DoModal();
}

void CMainFrame::OpenCsvImportDialog(const QString& path) {
  CDlgCSVImportConfig dialog(path, this);
  dialog.DoModal();
}

int CMainFrame::ImportVCardFile(const QString& path) {
  if (!ImportVCard(path, QString::fromLatin1(kContactDatabaseFile))) return 0;
  AfxGetApp().m_bDataChanged = true;
  return 1;
}

void CMainFrame::ImportCbkFile(const QString& path) {
  FrameProgressBar bar(this);
  if (ImportContactsBackup(path, QString::fromLatin1(kContactDatabaseFile), &bar)) {
    AfxGetApp().m_bDataChanged = true;
  }
}

void CMainFrame::ExportCbkFile(const QString& path) {
  FrameProgressBar bar(this);
  ExportContactsBackup(path, QString::fromLatin1(kContactDatabaseFile), &bar);
}

void CMainFrame::ExportTextFile(const QString& path) {
  FrameProgressBar bar(this);
  ExportContactsText(path, QString::fromLatin1(kContactDatabaseFile), &bar);
}
