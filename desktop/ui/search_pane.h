#pragma once

#include <QProgressBar>
#include <QString>
#include <QTimer>

#include "desktop/store/view_state.h"
#include "desktop/widgets/picture_button.h"
#include "platform/windows/form_view.h"

// The search pane, left of the main window: the buttons that swap the result view between cards
// and list, the three filters (all, SIM and phone contacts) and the keyword search. It changes
// only the shared view state and tells the main window which view to show.
class CDlgForm : public CFormView {
 public:
  explicit CDlgForm(QWidget* parent = nullptr);

  void OnInitialUpdate() override;

  void OnContactList();
  void OnContactView();
  void OnSearch();
  void OnShowAll();
  void OnShowSim();
  void OnShowMobile();
  // Shows the notice an empty filter left due.
  void OnTimer();

  static constexpr int kContactViewButton = 1000;
  static constexpr int kContactListButton = 1001;
  static constexpr int kKeywordEdit = 1002;
  static constexpr int kSearchButton = 1004;
  static constexpr int kProgress = 1165;
  static constexpr int kAllButton = 1173;
  static constexpr int kSimButton = 1174;
  static constexpr int kMobileButton = 1175;

  CPictureButton* m_btnSearch = nullptr;
  CPictureButton* m_btnContactView = nullptr;
  CPictureButton* m_btnContactList = nullptr;
  bool m_bNoticeShown = true;
  QString m_strKeywordEdit;
  QProgressBar* m_progress = nullptr;
  CPictureButton* m_btnAll = nullptr;
  CPictureButton* m_btnSim = nullptr;
  CPictureButton* m_btnMobile = nullptr;

 protected:
  QWidget* CreateControl(const ControlTemplate& control) override;
  void DoDataExchange(DataExchange& dx) override;

 private:
  // A filter button: mode `mode` when its records exist.
  void ShowFilter(ViewMode mode, CPictureButton* button);
  // Marks one filter button (null: none) by its icons.
  void MarkFilter(CPictureButton* marked);
  void SetUpViewButton(CPictureButton* button, int hoverBitmap, int restBitmap);

  QTimer m_noticeTimer;
};
