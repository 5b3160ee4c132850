#pragma once

#include <QCoreApplication>
#include <QString>

// The state the desktop windows share instead of calling each other: a writer sets a flag, the
// result view on show polls the flags and reloads. Held by the application object.
struct ViewState {
  bool m_bDataChanged = false;    // records changed: reload everything
  bool m_bPageChanged = false;    // the card page changed: lay out the new page
  bool m_bSearchChanged = false;  // a keyword search started: reload with the keyword
  QString m_strSelectedID;        // ID of the contact card clicked last
  QString m_strKeyword;           // the search keyword, trimmed; used in mode -1
  int m_nViewMode = 0;            // 0 all, 1 phone contacts, 2 SIM contacts, -1 keyword search
  int m_nPageCount = 0;
  int m_nCurPage = 0;  // from 0
  int m_nPageSize = 30;
};

// The view state of the running program, held by its application object; null when the
// application object holds none (headless programs).
inline ViewState* AppViewState() { return dynamic_cast<ViewState*>(QCoreApplication::instance()); }
