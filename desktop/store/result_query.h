#pragma once

#include <QString>

#include <functional>
#include <span>
#include <vector>

#include "desktop/store/contact_database.h"

class SqlStatement;

// The records the card view and the list view show: the condition of each view mode, the order
// of the results and the statements that read them. The two views and the search pane's filters
// build their statements here, so they always agree on what a mode shows.
//
// View modes: 0 all records, 1 phone contacts, 2 SIM contacts, negative the records that match
// the keyword.

// Columns of a card and of a list row, `ID` first.
inline constexpr char kCardColumns[] =
    "ID,First_Name,Middle_Name,Last_Name,Mobile_Phone,Work_Tel,Home_Tel,E_Mail,Notes,hasPic,"
    "ContactType,SIM_Name";
inline constexpr char kListColumns[] =
    "ID,First_Name,Middle_Name,Last_Name,Mobile_Phone,Work_Tel,Home_Tel,E_Mail,SIM_Name";

// The condition of a view mode with its " where", or nothing for all records. A keyword search
// takes the keyword as parameter ?1 and needs the keyword functions on its connection
// (keyword_match.h): seven columns hold the keyword anywhere, Notes only at its end.
QString ViewCondition(int viewMode);
// "select exists(select 1 from Contact_Table ...)" with the mode's condition: 1 when the mode
// shows any record. It stops at the first match instead of counting them all.
QString ExistsStatement(int viewMode);
// "select <columns> from Contact_Table" with the mode's condition, in view order: phone contacts
// before SIM contacts, each by first name. Keyword searches scan the table without an index.
QString ResultStatement(const QString& columns, int viewMode);
// "select <columns> from Contact_Table where ID in (...)".
QString RecordsStatement(const QString& columns, std::span<const qint64> ids);

// Whether a view mode shows any record, or the fault that keeps the database from telling.
struct ModeRecords {
  bool any = false;
  DatabaseFault fault = DatabaseFault::kNone;
};
ModeRecords AnyRecordShown(int viewMode);

// The IDs of the records a view mode shows, in view order (`keyword` for a keyword search), or
// the fault that kept them from being read (and none of them).
struct ResultIds {
  std::vector<qint64> ids;
  DatabaseFault fault = DatabaseFault::kNone;
};
ResultIds LoadResultIds(int viewMode, const QString& keyword);

// Reads the records of `ids` with `columns` (which start with `ID`) in one statement and calls
// `read(position, row)` for each record found, `position` being its index in `ids`. Returns the
// fault when the database cannot be opened or read, which may come after some records were read.
DatabaseFault ReadRecords(
    const QString& columns, std::span<const qint64> ids,
    const std::function<void(size_t position, const SqlStatement& row)>& read);
