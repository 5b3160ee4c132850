#pragma once

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include "desktop/ui/splitter_wnd.h"

// Which work an imported file goes to, by its extension in any case ("cbk" or "vbx", "csv",
// "vcf").
enum class ImportRoute { kContactsBackup, kCsv, kVCard, kNone };
ImportRoute RouteImport(const QString& path);
// True when an export goes to the text listing ("txt", case-sensitive), false for a contacts
// backup file.
bool ExportsTextListing(const QString& path);

// The main window: the search pane on the left, the result view top right and the page bar
// bottom right, in fixed panes; the main menu and its import and export commands.
class CMainFrame : public QMainWindow {
 public:
  CMainFrame();

  // User messages: 0x401 shows the list view, 0x402 the card view.
  static constexpr unsigned kShowList = 0x401;
  static constexpr unsigned kShowCards = 0x402;

  // Heights of the right column: the result view leaves this much for the gap and page bar.
  static constexpr int kPageBarSpace = 50;
  static constexpr int kSearchPaneWidth = 150;

  void OnCommand(int commandId);
  void OnFileImport();
  void OnExportCbkTxt();
  void OnExportCsv();
  void OnExportVCard();

  // The imports and exports the commands start. The contacts backup and text work shows its
  // progress bar on this frame; the CSV import and the two dialog-driven exports run dialogs.
  void ImportCbkFile(const QString& path);
  void ExportCbkFile(const QString& path);
  void ExportTextFile(const QString& path);
  void OpenCsvImportDialog(const QString& path);
  // 0 when no file exists at the path (nothing shown), else 1 once the result box has closed.
  int ImportVCardFile(const QString& path);

  QWidget* SearchPane() const { return m_wndOuterSplitter->GetPane(0, 0); }
  QWidget* ResultView() const { return m_wndInnerSplitter->GetPane(0, 0); }
  QWidget* PageBar() const { return m_wndInnerSplitter->GetPane(1, 0); }
  CMySplitterWnd* OuterSplitter() const { return m_wndOuterSplitter; }
  CMySplitterWnd* InnerSplitter() const { return m_wndInnerSplitter; }

  QString m_strImportPath;
  QString m_strExportPath;

 protected:
  bool event(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void OnCreateClient();
  void RelayoutRows();
  void ShowResultView(bool list);

  CMySplitterWnd* m_wndOuterSplitter = nullptr;
  CMySplitterWnd* m_wndInnerSplitter = nullptr;
  QTimer m_relayoutTimer;
};
