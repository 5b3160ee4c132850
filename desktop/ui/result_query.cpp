#include "desktop/ui/result_query.h"

#include <QStringList>

#include <unordered_map>

#include "desktop/store/database_connection.h"
#include "desktop/store/sql_text.h"

namespace {

// The escape character of the keyword patterns. It is not a digit or a letter, so it never
// appears as a trailing byte of a double-byte or four-byte ANSI character, which would otherwise
// escape whatever follows it.
constexpr QChar kLikeEscape = QLatin1Char('!');

// The keyword as a LIKE pattern that matches it literally anywhere (or at the end) of a value.
QString LikePattern(const QString& keyword, bool anywhere) {
  QString escaped;
  for (QChar c : keyword) {
    if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == kLikeEscape) escaped += kLikeEscape;
    escaped += c;
  }
  QString pattern = QLatin1Char('%') + escaped + (anywhere ? QStringLiteral("%") : QString());
  return SqlQuote(pattern) + QStringLiteral(" escape '") + kLikeEscape + QLatin1Char('\'');
}

}  // namespace

QString KeywordCondition(const QString& keyword) {
  static const char* const kAnywhere[] = {"First_Name", "Middle_Name", "Last_Name", "Mobile_Phone",
                                          "Work_Tel",   "Home_Tel",    "E_Mail"};
  QString anywhere = LikePattern(keyword, true);
  QStringList terms;
  for (const char* column : kAnywhere) {
    terms << QString::fromLatin1(column) + QStringLiteral(" like ") + anywhere;
  }
  terms << QStringLiteral("Notes like ") + LikePattern(keyword, false);
  return QLatin1Char(' ') + terms.join(QStringLiteral(" or "));
}

QString ViewCondition(int viewMode, const QString& keyword) {
  if (viewMode < 0) return QStringLiteral(" where") + KeywordCondition(keyword);
  if (viewMode == 1) return QStringLiteral(" where ContactType = 1");
  if (viewMode == 2) return QStringLiteral(" where ContactType = 2");
  return QString();
}

QString ExistsStatement(int viewMode, const QString& keyword) {
  return QStringLiteral("select exists(select 1 from Contact_Table") +
         ViewCondition(viewMode, keyword) + QLatin1Char(')');
}

QString ResultStatement(const QString& columns, int viewMode, const QString& keyword) {
  // A keyword search reads every row anyway (Notes lies behind the pictures): one pass in table
  // order and a sort of the matches beats visiting the rows in the order of the view's index.
  QString table = viewMode < 0 ? QStringLiteral(" from Contact_Table not indexed")
                               : QStringLiteral(" from Contact_Table");
  return QStringLiteral("select ") + columns + table + ViewCondition(viewMode, keyword) +
         QStringLiteral(" order by ContactType,First_Name");
}

QString RecordsStatement(const QString& columns, std::span<const qint64> ids) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(ids.size()));
  for (qint64 id : ids) list << QString::number(id);
  return QStringLiteral("select ") + columns + QStringLiteral(" from Contact_Table where ID in (") +
         list.join(QLatin1Char(',')) + QLatin1Char(')');
}

std::vector<qint64> LoadResultIds(int viewMode, const QString& keyword) {
  DatabaseConnection db;
  SqlStatement query(db, ResultStatement(QStringLiteral("ID"), viewMode, keyword));
  std::vector<qint64> ids;
  while (query.Step() == SQLITE_ROW) ids.push_back(query.ColumnInt64(0));
  return ids;
}

bool ReadRecords(const QString& columns, std::span<const qint64> ids,
                 const std::function<void(size_t position, const SqlStatement& row)>& read) {
  DatabaseConnection db;
  if (!db.IsOpen()) return false;
  if (ids.empty()) return true;
  std::unordered_map<qint64, size_t> positions;
  for (size_t i = 0; i < ids.size(); ++i) positions.emplace(ids[i], i);
  SqlStatement query(db, RecordsStatement(columns, ids));
  while (query.Step() == SQLITE_ROW) {
    auto found = positions.find(query.ColumnInt64(0));
    if (found != positions.end()) read(found->second, query);
  }
  return true;
}
