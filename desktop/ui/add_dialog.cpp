#include "desktop/ui/add_dialog.h"

#include "desktop/resources/resource_ids.h"

CAddDialog::CAddDialog(QWidget* parent) : CContactEditor(ContactDialogKind::kAdd, parent) {}

bool CAddDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  InitEditor();
  SetContactType(kPhoneContact);
  SetStoredDates(QString(), QString());
  return true;
}

void CAddDialog::OnSaveNewContact() {
  std::optional<StoreResult> result = StoreNewContact();
  if (result) FinishSave(*result, QStringLiteral("Add successfully!"), QStringLiteral("error"));
}

std::optional<StoreResult> CAddDialog::StoreNewContact() {
  if (!ReadAndCheckFields(QStringLiteral("Please input FirstName or MiddleName or LastName!"))) {
    return std::nullopt;
  }
  DatabaseConnection db;
  bool sim = IsSimContact();
  QString duplicates =
      sim ? SimDuplicateQuery(m_fields[kColumnSimName])
          : PhoneDuplicateQuery(m_fields[kColumnFirstName], m_fields[kColumnMiddleName],
                                m_fields[kColumnLastName]);
  if (db.QueryCount(duplicates) > 0) {
    ShowTips(kIconError, QStringLiteral("This contract is already exist!"));
    return std::nullopt;
  }
  if (sim) {
    if (!CheckSimNameLength()) return std::nullopt;
    return RunStoreStatement(
        db, SimInsertStatement(m_fields[kColumnSimName], m_fields[kColumnMobilePhone]), nullptr,
        false);
  }
  if (!CopyChosenRingTone()) return std::nullopt;
  bool withPicture = !m_strPicturePath.isEmpty();
  return RunStoreStatement(db, PhoneInsertStatement(PhoneContactValues(), withPicture),
                           withPicture ? &m_pictureBytes : nullptr, false);
}
