#pragma once

#include <QByteArray>
#include <QString>

#include <map>

#include "common/contacts_backup_file.h"
#include "device/contacts/contact_properties.h"
#include "platform/device/stores/phone_setup.h"
#include "tests/support/backup_file_builder.h"
#include "tests/support/phone_test.h"
#include "tests/support/scripted_services.h"

// Fixture of the contacts jobs: Marrowind installed (message boxes carry its title), a fresh
// phone in a fresh working folder, every message answered by the script. The jobs run on the
// test's own thread, as the worker would run them.
class ContactsTest : public PhoneTest {
 protected:
  ContactsTest();

  // Expects the job's outcome message, answered with OK.
  void ExpectMessage(const QString& text);

  // Runs a backup (the mode follows the name) into the working folder; its last progress value.
  double Backup(const QString& fileName);
  // Runs a restore of a file of the working folder.
  void Restore(const QString& fileName);

  QString Path(const QString& fileName) const { return folder_.FilePath(fileName); }
  // The contacts of the phone as the first name of each, in folder order.
  QStringList FirstNames();

  ScriptedServices script_;
  PhoneSetup phone_;
};

// The id of the property behind a backup item (0 to 56).
inline CEPROPID Prop(int item) { return kBackupPropertyIds[item]; }

// A contact with these texts, by backup item.
PhoneContact ContactWith(const std::map<int, QString>& texts);
