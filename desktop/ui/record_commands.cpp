#include "desktop/ui/record_commands.h"

#include "desktop/ui/add_dialog.h"
#include "desktop/ui/delete_dialog.h"
#include "desktop/ui/modify_dialog.h"

void OpenAddDialog() {
  CAddDialog dialog;
  dialog.DoModal();
}

void OpenModifyDialog(const QString& id, const QString& name) {
  CModifyDialog dialog;
  dialog.m_strID = id;
  dialog.m_strName = name;
  dialog.DoModal();
}

void OpenDeleteDialog(const QString& id, const QString& name) {
  CDeleteDialog dialog;
  dialog.m_strID = id;
  dialog.m_strName = name;
  dialog.DoModal();
}
