#pragma once

#include <QBrush>
#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include "desktop/ui/contact_editor.h"
#include "tests/support/sample_contacts.h"
#include "tests/support/scripted_services.h"
#include "tests/support/working_folder.h"

// What the add and modify dialog tests share: a fresh working folder with the contact table,
// scripted answers, and helpers that work the dialogs' controls and read the stored rows.
class ContactDialogTest : public ::testing::Test {
 protected:
  ContactDialogTest();
  ~ContactDialogTest() override;

  static void SetField(CContactEditor& dialog, int column, const QString& text);
  static QString FieldText(const CContactEditor& dialog, int column);
  static DateTimePicker* Picker(const CContactEditor& dialog, int id);
  // Clicks a button or radio button by id.
  static void Click(const CContactEditor& dialog, int id);
  static void ClickSave(const CContactEditor& dialog) { Click(dialog, dialog.Ids().save); }
  // Chooses an entry of the ring-tone list as the user does.
  static void ChooseRingTone(const CContactEditor& dialog, int index);
  static QString SelectedRingTone(const CContactEditor& dialog);
  // Drops files on the dialog as a file manager does.
  static void DropFiles(QDialog& dialog, const QStringList& paths);
  static void DoubleClickPicture(const CContactEditor& dialog);

  // Writes a small picture in the working folder and returns its path.
  QString WritePicture(const QString& name, const char* format, QColor color) const;

  // Every column of a stored row as text (null reads as empty); empty when there is no row.
  static ContactTexts StoredRow(qint64 id);
  static QByteArray StoredPicture(qint64 id);
  static bool IsNull(qint64 id, const QString& column);

  // A phone contact with a different text, CJK, apostrophes and double quotes in every field.
  static SampleContact FullPhoneContact();

  QBrush previousBrush_;
  TempWorkingFolder folder_;
  ScriptedServices script_;
};
