#include "desktop/store/result_query.h"

#include <QStringList>

#include <unordered_map>

#include "desktop/store/contact_fields.h"
#include "desktop/store/database_connection.h"
#include "desktop/store/keyword_match.h"

namespace {

// The fields the keyword may stand anywhere in; Notes must end with it.
constexpr ContactFieldId kKeywordFields[] = {
    ContactFieldId::kFirstName,   ContactFieldId::kMiddleName, ContactFieldId::kLastName,
    ContactFieldId::kMobilePhone, ContactFieldId::kWorkTel,    ContactFieldId::kHomeTel,
    ContactFieldId::kEMail};

QString KeywordCondition() {
  QStringList terms;
  for (ContactFieldId field : kKeywordFields) {
    terms << QStringLiteral("contains_keyword(%1, ?1)").arg(QLatin1String(ColumnNameOf(field)));
  }
  terms << QStringLiteral("ends_with_keyword(Notes, ?1)");
  return QLatin1Char(' ') + terms.join(QStringLiteral(" or "));
}

}  // namespace

QString ViewCondition(ViewMode viewMode) {
  switch (viewMode) {
    case ViewMode::kAll:
      break;
    case ViewMode::kPhoneContacts:
      return QStringLiteral(" where ContactType = 1");
    case ViewMode::kSimContacts:
      return QStringLiteral(" where ContactType = 2");
    case ViewMode::kKeywordSearch:
      return QStringLiteral(" where") + KeywordCondition();
  }
  return QString();
}

QString ExistsStatement(ViewMode viewMode) {
  return QStringLiteral("select exists(select 1 from Contact_Table") + ViewCondition(viewMode) +
         QLatin1Char(')');
}

QString ResultStatement(const QString& columns, ViewMode viewMode) {
  // A keyword search reads every row anyway (Notes lies behind the pictures): one pass in table
  // order and a sort of the matches beats visiting the rows in the order of the view's index.
  QString table = viewMode == ViewMode::kKeywordSearch
                      ? QStringLiteral(" from Contact_Table not indexed")
                      : QStringLiteral(" from Contact_Table");
  return QStringLiteral("select ") + columns + table + ViewCondition(viewMode) +
         QStringLiteral(" order by ContactType,First_Name");
}

QString RecordsStatement(const QString& columns, std::span<const qint64> ids) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(ids.size()));
  for (qint64 id : ids) list << QString::number(id);
  return QStringLiteral("select ") + columns + QStringLiteral(" from Contact_Table where ID in (") +
         list.join(QLatin1Char(',')) + QLatin1Char(')');
}

ModeRecords AnyRecordShown(ViewMode viewMode) {
  DatabaseConnection db;
  ModeRecords records;
  records.fault = db.Fault();
  if (records.fault != DatabaseFault::kNone) return records;
  SqlStatement exists(db, ExistsStatement(viewMode));
  int rc = exists.Step();
  records.fault = FaultOfResult(rc);
  records.any = rc == SQLITE_ROW && exists.ColumnInt(0) != 0;
  return records;
}

ResultIds LoadResultIds(ViewMode viewMode, const QString& keyword) {
  DatabaseConnection db;
  ResultIds result;
  result.fault = db.Fault();
  if (result.fault != DatabaseFault::kNone) return result;
  if (viewMode == ViewMode::kKeywordSearch && !RegisterKeywordFunctions(db)) {
    result.fault = DatabaseFault::kCannotRead;
    return result;
  }
  SqlStatement query(db, ResultStatement(QStringLiteral("ID"), viewMode));
  if (viewMode == ViewMode::kKeywordSearch) query.BindText(1, keyword);
  int rc;
  while ((rc = query.Step()) == SQLITE_ROW) result.ids.push_back(query.ColumnInt64(0));
  if (rc != SQLITE_DONE) {
    result.fault = FaultOfResult(rc);
    result.ids.clear();
  }
  return result;
}

DatabaseFault ReadRecords(
    const QString& columns, std::span<const qint64> ids,
    const std::function<void(size_t position, const SqlStatement& row)>& read) {
  DatabaseConnection db;
  if (db.Fault() != DatabaseFault::kNone) return db.Fault();
  if (ids.empty()) return DatabaseFault::kNone;
  std::unordered_map<qint64, size_t> positions;
  for (size_t i = 0; i < ids.size(); ++i) positions.emplace(ids[i], i);
  SqlStatement query(db, RecordsStatement(columns, ids));
  int rc;
  while ((rc = query.Step()) == SQLITE_ROW) {
    auto found = positions.find(query.ColumnInt64(0));
    if (found != positions.end()) read(found->second, query);
  }
  return FaultOfResult(rc);
}
