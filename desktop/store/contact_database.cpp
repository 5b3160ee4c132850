#include "desktop/store/contact_database.h"

#include <QFileInfo>

const char kCreateContactTable[] =
    "create table Contact_Table( ID integer primary key autoincrement, Title varchar(100),"
    "First_Name varchar(100), Middle_Name varchar(100), Last_Name varchar(100), Suffix "
    "varchar(100),  Nick_Name varchar(100), Company varchar(100), Department varchar(100), "
    "Job_Title varchar(100),  File_As varchar(100), Work_Street varchar(100), Work_City "
    "varchar(100), Work_State varchar(100),  Work_Zip varchar(100), Work_Country varchar(100), "
    "Home_Street varchar(100), Home_City varchar (100), Home_State varchar(100), Home_Zip "
    "varchar(100), Home_Country varchar(100), Other_Street  varchar(100), Other_City "
    "varchar(100), Other_State varchar(100), Other_Zip varchar(100),  Other_Country "
    "varchar(100), Mobile_Phone varchar(100), Web_Page varchar(100), E_Mail varchar(100), Pager "
    "varchar(100), Company_Tel varchar(100), Work_Tel varchar(100), Work_Tel2 varchar(100), "
    "Work_Fax varchar(100), Car_Tel varchar(100), Home_Tel varchar(100), Home_Tel2 "
    "varchar(100), Home_Fax varchar(100), Spouse varchar(100), Children varchar(100), IM "
    "varchar(100), IM2 varchar(100), IM3 varchar(100), E_Mail2 varchar(100), E_Mail3 "
    "varchar(100), Radio_Tel varchar(100), Office_Loc varchar(100), Assistant varchar(100), "
    "Assistant_Tel varchar(100), Manager varchar(100), Customer_ID varchar(100), Account "
    "varchar(100), Gove_ID varchar(100), Categories varchar(100) default '', Ring_Tone "
    "varchar(100) default '', Birthday DATE, Anniversary DATE, Picture blob, Notes "
    "varchar(100),ContactType Integer,hasPic Integer default 0,SIM_Name varchar(100))";

// The views list records phone contacts first, each by first name. The table's rows hold the
// pictures before ContactType, so ordering them without an index reads every picture; with it,
// a view of 100,000 contacts orders in milliseconds. Programs that do not know the index read
// and write the table as before.
const char kCreateViewOrderIndex[] =
    "create index if not exists Contact_View_Order on Contact_Table(ContactType, First_Name)";
const char kDropViewOrderIndex[] = "drop index if exists Contact_View_Order";

bool InitContactDatabase(ViewState& app, const QString& path) {
  // An empty file holds no database yet (SQLite leaves one where a connection was opened on a
  // missing file): it gets the table like a new one.
  QFileInfo file(path);
  bool found = file.isFile() && file.size() > 0;
  DatabaseConnection db(path, found ? DatabaseConnection::Opening::kContactDatabase
                                    : DatabaseConnection::Opening::kAnyFile);
  if (!db.IsOpen()) return false;
  if (!found) {
    if (db.Exec(QString::fromLatin1(kCreateContactTable)) != SQLITE_OK) return false;
    app.m_nPageCount = 1;
  } else {
    qint64 rows = db.QueryCount(QStringLiteral("select count(*) from Contact_Table"));
    if (rows < 0) return false;
    qint64 pages = (rows + app.m_nPageSize - 1) / app.m_nPageSize;
    app.m_nPageCount = pages == 0 ? 1 : static_cast<int>(pages);
  }
  db.Exec(QString::fromLatin1(kCreateViewOrderIndex));  // fails harmlessly on a read-only file
  app.m_nCurPage = 0;
  return true;
}

bool ExecuteSql(const QString& sql) {
  DatabaseConnection db;
  return db.IsOpen() && db.Exec(sql) == SQLITE_OK;
}
