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
  bool exists = sim ? HasSimContactNamed(db, m_fields[kColumnSimName])
                    : HasPhoneContactNamed(db, m_fields[kColumnFirstName],
                                           m_fields[kColumnMiddleName], m_fields[kColumnLastName]);
  if (exists) {
    ShowTips(kIconError, QStringLiteral("This contract is already exist!"));
    return std::nullopt;
  }
  if (sim) {
    if (!CheckSimNameLength()) return std::nullopt;
    return InsertSimContact(db, m_fields[kColumnSimName], m_fields[kColumnMobilePhone]);
  }
  if (!CopyChosenRingTone()) return std::nullopt;
  return InsertPhoneContact(db, PhoneContactValues(),
                            m_strPicturePath.isEmpty() ? nullptr : &m_pictureBytes);
}
