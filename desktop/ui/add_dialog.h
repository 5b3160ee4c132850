#pragma once

#include <optional>

#include "desktop/ui/contact_editor.h"

// The dialog in which the user types a new contact, as a phone contact or as a SIM card contact,
// and stores it after a check for a contact of the same name. It always ends with IDCANCEL; a
// stored contact raises the data-changed flag.
class CAddDialog : public CContactEditor {
 public:
  explicit CAddDialog(QWidget* parent = nullptr);

 protected:
  bool OnInitDialog() override;
  void OnSave() override { OnSaveNewContact(); }

 private:
  void OnSaveNewContact();
  // Stores the contact; nothing when the dialog stays open (after a message).
  std::optional<StoreResult> StoreNewContact();
};
