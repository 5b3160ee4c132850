#pragma once

#include <QScrollBar>
#include <QTimer>

#include <vector>

#include "desktop/ui/contact_card.h"
#include "platform/windows/form_view.h"

// The card view: the records of the current view mode as contact cards, one page of 30 at a
// time, in rows that wrap at the view's width. It learns of changes by polling the shared flags
// every 10 ms, and keeps the page count up to date for the page bar.
//
// Only the cards of the page on show exist, and they are refilled from page to page: the result
// set itself is held as the records' IDs in view order.
class CResultForm : public CFormView {
 public:
  explicit CResultForm(QWidget* parent = nullptr);

  void OnInitialUpdate() override;

  // Reads the result set of the current mode: the card count, the page count and the current
  // page clamped to the last page.
  void LoadCards();
  // Fills the cards of the current page from the database.
  void FillCards();
  // Places the cards of the current page from (20, 20) and sets the scroll range.
  void LayoutPage();
  // The flag poll.
  void OnTimer();

  // Command 32785, "Add new record". The add dialog opens here; until it exists, the command
  // does nothing.
  virtual void OnAddRecord();

  // The cards on show, in page order.
  std::vector<CDlgResult*> ShownCards() const;
  // Width of the area the cards are laid out in: the view without its scroll bar.
  int ClientWidth() const;
  QScrollBar* VerticalScrollBar() const { return m_scrollBar; }

  int m_nCardCount = 0;
  int m_nCardsPerPage = 30;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  // Fills and lays out the current page, then reports the pictures its cards could not show.
  void ShowPage();
  void OnScroll(int position);

  std::vector<qint64> m_ids;          // the result set, in view order
  std::vector<CDlgResult*> m_pCards;  // cards of the page on show first, then spare hidden ones
  int m_nShownCards = 0;
  int m_nScrollPosition = 0;
  QScrollBar* m_scrollBar = nullptr;
  QTimer m_pollTimer;
};
