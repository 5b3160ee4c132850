#include "desktop/ui/exchange/column_layout_box.h"

#include <QFileInfo>

#include "platform/windows/message_service.h"

namespace {

const QString kSaveResultCaption = QStringLiteral("Save Config Result");

// A title that cannot be used: the message, and the focus back to the box.
void RefuseTitle(CComboBox* box, const QString& message) {
  ShowMessageBox(message, kSaveResultCaption, MB_OK | MB_ICONINFORMATION);
  box->setFocus();
}

}  // namespace

void SaveLayoutFromBox(CComboBox* box, const ColumnConfigFile& layout) {
  QString title = box->currentText();
  if (IsReservedConfigTitle(title)) {
    RefuseTitle(box, QStringLiteral("Can't use the Default,Google or Outlook as the Config "
                                    "name,Please Put the new name!"));
    return;
  }
  // A title that is empty or names a path would write outside the Config folder.
  if (!IsValidConfigTitle(title)) {
    RefuseTitle(box, QStringLiteral(
                         "This name can't be used as a Config file name,Please Put the new name!"));
    return;
  }
  bool exists = QFileInfo::exists(ColumnConfigPath(title));
  if (exists &&
      ShowMessageBox(QStringLiteral("The Config File is already exist,Do you want to overwrite?"),
                     QStringLiteral("Save Config File"),
                     MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL) {
    return;
  }
  if (!WriteColumnConfigFile(title, layout)) {
    ShowMessageBox(QStringLiteral("Can't write the Config File!"), kSaveResultCaption,
                   MB_OK | MB_ICONERROR);
    return;
  }
  if (!exists) box->AddString(title);
  ShowMessageBox(QStringLiteral("Save Config Success!"), kSaveResultCaption,
                 MB_OK | MB_ICONINFORMATION);
}

std::optional<ColumnConfigFile> LoadLayoutForBox(const QString& title) {
  std::optional<ColumnConfigFile> layout;
  if (IsValidConfigTitle(title)) layout = ReadColumnConfigFile(title);
  if (!layout) {
    ShowMessageBox(QStringLiteral("Can't open the Config File!"),
                   QStringLiteral("Load Config Result"), MB_OK | MB_ICONERROR);
  }
  return layout;
}
