#pragma once

#include <QString>

#include <optional>

#include "desktop/ui/contact_editor.h"

// The dialog that shows one stored contact for changing: the caller sets m_strID (the record's
// ID) and m_strName (its display name) and runs DoModal. It always ends with IDCANCEL; a saved
// change raises the data-changed flag.
class CModifyDialog : public CContactEditor {
 public:
  explicit CModifyDialog(QWidget* parent = nullptr);

  QString m_strID;
  QString m_strName;

 protected:
  bool OnInitDialog() override;
  void OnSave() override { OnSaveRecord(); }

 private:
  // Loads the record; false when there is none.
  bool LoadRecord();
  void ReadRecord(const SqlStatement& row);
  void OnSaveRecord();
  // Stores the changes; nothing when the dialog stays open (after a message).
  std::optional<StoreResult> StoreRecord();
  PictureChange PictureToSave() const;

  std::optional<qint64> m_nLoadedId;  // set once the record is loaded
};
