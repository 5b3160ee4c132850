#pragma once

#include <QComboBox>
#include <QString>
#include <QTimer>

#include "desktop/widgets/picture_button.h"
#include "platform/windows/form_view.h"

// The page bar below the card view: first, previous, next and last page, a list of the page
// numbers and the page count. It only writes the current page and the page-changed flag; the
// card view does the rest.
class CButtonForm : public CFormView {
 public:
  explicit CButtonForm(QWidget* parent = nullptr);

  void OnInitialUpdate() override;

  void OnNextPage();
  void OnPrevPage();
  void OnLastPage();
  void OnFirstPage();
  void OnPageSelChange();
  // Rebuilds the page list when the page count has changed, and keeps the page on screen
  // selected in it.
  void OnTimer();

  static constexpr int kFrontButton = 1013;
  static constexpr int kBackButton = 1014;
  static constexpr int kFirstButton = 1031;
  static constexpr int kLastButton = 1004;
  static constexpr int kPageList = 1015;
  static constexpr int kPageCountStatic = 1016;
  static constexpr int kSlashStatic = -1;

  CPictureButton* m_btnBack = nullptr;
  CPictureButton* m_btnFront = nullptr;
  CPictureButton* m_btnFirst = nullptr;
  CPictureButton* m_btnLast = nullptr;
  QString m_strPageCount;
  QComboBox* m_cbPage = nullptr;

 protected:
  QWidget* CreateControl(const ControlTemplate& control) override;
  void DoDataExchange(DataExchange& dx) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Places the controls around the middle of the bar, near its bottom.
  void LayoutNavigationBar();
  void FillPageList();
  void SelectCurrentPage();
  void GoToPage(int page);

  QTimer m_countTimer;
};
