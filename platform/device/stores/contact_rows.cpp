#include "platform/device/stores/contact_rows.h"

namespace {

bool WriteContactProp(PhoneDatabase& db, CEOID oid, CEPROPID id, const CEPROPVAL& value) {
  PhoneStatement write(db,
                       "insert or replace into contact_properties (oid, prop_id, value)"
                       " values (?, ?, ?)");
  write.Bind(1, oid).Bind(2, id);
  if (PropIdType(id) == CEVT_LPWSTR) {
    write.BindText(3, value.val.lpwstr);
  } else {
    write.Bind(3, static_cast<qint64>(FileTimeValue(value.val.filetime)));
  }
  return write.Run();
}

bool WritePicture(PhoneDatabase& db, CEOID oid, const QByteArray& picture) {
  PhoneStatement write(db, "update contact_items set picture = ? where oid = ?");
  if (picture.isEmpty()) {
    write.BindNull(1);
  } else {
    write.BindBlob(1, picture);
  }
  return write.Bind(2, oid).Run();
}

CEOID InsertContact(PhoneDatabase& db) {
  PhoneStatement insert(db, "insert into contact_items (picture) values (null)");
  if (!insert.Run()) return 0;
  const qint64 oid = sqlite3_last_insert_rowid(db.Handle());
  return oid > 0 && oid <= 0x7FFFFFFF ? static_cast<CEOID>(oid) : 0;
}

}  // namespace

bool IsStoredPropertyType(CEPROPID id) {
  return PropIdType(id) == CEVT_LPWSTR || PropIdType(id) == CEVT_FILETIME;
}

std::optional<int> CountContacts(PhoneDatabase& db) {
  PhoneStatement count(db, "select count(*) from contact_items");
  std::optional<qint64> value = count.QueryInt64();
  if (!value || *value < 0 || *value > 0x7FFFFFFF) return std::nullopt;
  return static_cast<int>(*value);
}

CEOID ContactPositions::At(PhoneDatabase& db, int index) {
  if (index < 1) return 0;
  const std::optional<PhoneDatabase::ChangeStamp> stamp = db.CurrentChangeStamp();
  const bool known = stamp && stamp == stamp_ && oid_ != 0;
  if (known && index == index_) return oid_;
  std::optional<qint64> oid;
  if (known && index == index_ + 1) {
    PhoneStatement next(db, "select oid from contact_items where oid > ? order by oid limit 1");
    oid = next.Bind(1, oid_).QueryInt64();
  } else {
    PhoneStatement find(db, "select oid from contact_items order by oid limit 1 offset ?");
    oid = find.Bind(1, index - 1).QueryInt64();
  }
  stamp_ = stamp;
  index_ = index;
  oid_ = oid && *oid > 0 && *oid <= 0x7FFFFFFF ? static_cast<CEOID>(*oid) : 0;
  return oid_;
}

bool ContactExists(PhoneDatabase& db, CEOID oid) {
  PhoneStatement find(db, "select 1 from contact_items where oid = ?");
  return find.Bind(1, oid).Step() == SQLITE_ROW;
}

bool LoadContactProps(PhoneDatabase& db, CEOID oid, ContactProps& props) {
  if (!ContactExists(db, oid)) return false;
  PhoneStatement stored(db, "select prop_id, value from contact_properties where oid = ?");
  stored.Bind(1, oid);
  props.clear();
  int rc;
  while ((rc = stored.Step()) == SQLITE_ROW) {
    CEPROPVAL value;
    value.propid = static_cast<CEPROPID>(stored.ColumnInt64(0));
    if (!IsStoredPropertyType(value.propid) || stored.ColumnIsNull(1)) continue;
    if (PropIdType(value.propid) == CEVT_LPWSTR) {
      value.val.lpwstr = stored.ColumnText(1);
    } else {
      value.val.filetime = MakeFileTime(static_cast<std::uint64_t>(stored.ColumnInt64(1)));
    }
    props[value.propid] = value;
  }
  return rc == SQLITE_DONE;
}

std::optional<QByteArray> LoadContactPicture(PhoneDatabase& db, CEOID oid) {
  PhoneStatement find(db, "select picture from contact_items where oid = ?");
  if (find.Bind(1, oid).Step() != SQLITE_ROW || find.ColumnIsNull(0)) return std::nullopt;
  QByteArray picture = find.ColumnBlob(0);
  if (picture.isEmpty()) return std::nullopt;
  return picture;
}

CEOID SaveContact(PhoneDatabase& db, CEOID oid, const ContactProps& props,
                  const std::optional<QByteArray>& picture) {
  if (oid == 0) {
    oid = InsertContact(db);
  } else if (!ContactExists(db, oid)) {
    return 0;
  }
  if (oid == 0) return 0;
  for (const auto& [id, value] : props) {
    if (!IsStoredPropertyType(id) || !WriteContactProp(db, oid, id, value)) return 0;
  }
  if (picture && !WritePicture(db, oid, *picture)) return 0;
  return oid;
}

bool DeleteContact(PhoneDatabase& db, CEOID oid) {
  if (!ContactExists(db, oid)) return false;
  PhoneStatement properties(db, "delete from contact_properties where oid = ?");
  PhoneStatement item(db, "delete from contact_items where oid = ?");
  return properties.Bind(1, oid).Run() && item.Bind(1, oid).Run();
}
