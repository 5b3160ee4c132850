#include "desktop/ui/modify_dialog.h"

#include "desktop/resources/resource_ids.h"

CModifyDialog::CModifyDialog(QWidget* parent)
    : CContactEditor(ContactDialogKind::kModify, parent) {}

bool CModifyDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  setWindowTitle(QStringLiteral("Contact-") + m_strName);
  InitEditor();
  if (!LoadRecord()) {
    // Without a record there is nothing to save: the dialog only shows the message.
    SetContactType(kSimContact);
    ShowTips(kIconError, QStringLiteral("Load error!"));
    SetSavingEnabled(false);
  }
  return true;
}

bool CModifyDialog::LoadRecord() {
  std::optional<qint64> id = ParseRecordId(m_strID);
  if (!id) return false;
  DatabaseConnection db;
  SqlStatement query(db, LoadContactStatement(*id));
  if (query.Step() != SQLITE_ROW) return false;
  m_nLoadedId = id;
  ReadRecord(query);
  return true;
}

void CModifyDialog::ReadRecord(const SqlStatement& row) {
  SetContactType(row.ColumnInt(kColumnContactType) == kPhoneContact ? kPhoneContact : kSimContact);
  for (const EditorField& field : EditorFields()) {
    m_fields[field.column] = row.ColumnText(field.column);
  }
  SelectStoredRingTone(row.ColumnText(kColumnRingTone));
  SetStoredDates(row.ColumnText(kColumnBirthday), row.ColumnText(kColumnAnniversary));
  ShowStoredFields();
  if (row.ColumnInt(kColumnHasPic) == 1) SetStoredPicture(row.ColumnBytes(kColumnPicture));
}

void CModifyDialog::OnSaveRecord() {
  if (!m_nLoadedId) return;
  std::optional<StoreResult> result = StoreRecord();
  if (result) FinishSave(*result, QStringLiteral("Modify successfully!"), QStringLiteral("Error!"));
}

std::optional<StoreResult> CModifyDialog::StoreRecord() {
  if (!ReadAndCheckFields(
          QStringLiteral("Please input FirstName or MiddleName or LastName at least one!"))) {
    return std::nullopt;
  }
  DatabaseConnection db;
  if (IsSimContact()) {
    if (!CheckSimNameLength()) return std::nullopt;
    return UpdateSimContact(db, *m_nLoadedId, m_fields[kColumnSimName],
                            m_fields[kColumnMobilePhone]);
  }
  if (!CopyChosenRingTone()) return std::nullopt;
  PictureChange picture = PictureToSave();
  return UpdatePhoneContact(db, *m_nLoadedId, PhoneContactValues(), picture, &m_pictureBytes);
}

PictureChange CModifyDialog::PictureToSave() const {
  if (!m_strPicturePath.isEmpty()) return PictureChange::kReplace;
  return m_bStoredPicture == 1 ? PictureChange::kKeep : PictureChange::kRemove;
}
