#pragma once

#include <QCoreApplication>
#include <QString>

// Which records the result views show.
enum class ViewMode {
  kAll,
  kPhoneContacts,
  kSimContacts,
  kKeywordSearch,  // the records that match the keyword
};

// The state the desktop windows share instead of calling each other: a writer sets a flag, the
// result view on show polls the flags and reloads. Held by the application object.
struct ViewState {
  bool m_bDataChanged = false;    // records changed: reload everything
  bool m_bPageChanged = false;    // the card page changed: lay out the new page
  bool m_bSearchChanged = false;  // a keyword search started: reload with the keyword
  QString m_strSelectedID;        // ID of the contact card clicked last
  QString m_strKeyword;           // the search keyword, trimmed; used by kKeywordSearch
  ViewMode m_viewMode = ViewMode::kAll;
  int m_nPageCount = 0;
  int m_nCurPage = 0;  // from 0
  int m_nPageSize = 30;
};

// The view state of the running program, held by its application object; null when the
// application object holds none (headless programs).
inline ViewState* AppViewState() { return dynamic_cast<ViewState*>(QCoreApplication::instance()); }
