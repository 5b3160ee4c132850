#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

#include "desktop/store/contact_fields.h"
#include "desktop/store/database_connection.h"

// What the add and modify dialogs work out from their fields without a window: the composed
// name, the date texts, the ring-tone list and the statements that store a contact.

// Text values of one contact, by column of Contact_Table.
using ContactTexts = std::array<QString, kContactColumnCount>;

// The display name of a phone contact: "Last,First", or the one of the two that is there, then
// " Middle" when there is a middle name.
QString ComposeContactName(const QString& first, const QString& middle, const QString& last);

// The date of a stored Birthday or Anniversary text: year-month-day in decimal, padded or not,
// perhaps followed by a time ("1990-01-02T00"). Nothing for an empty text or one that is no
// such date.
std::optional<QDate> ParseStoredDate(const QString& text);
// A date as the table stores it: year-month-day without padding ("1980-5-7").
QString FormatStoredDate(const QDate& date);

// The ring-tone list: "None", the browse entry, then the ring-tone files of the folder.
inline constexpr char kRingToneNone[] = "None";
inline constexpr char kRingToneBrowse[] = "---- Browse and select a new file ----";
inline constexpr int kRingToneBrowseEntry = 1;
inline constexpr int kFirstRingToneFile = 2;
// The names of the *.wma, then *.wav, then *.mp3 files of the folder.
QStringList RingToneFiles(const QString& folder);
// The entry (from kFirstRingToneFile on) that names the stored ring tone's file, the text after
// its last backslash, compared whole and ignoring case; -1 when there is none.
int FindRingToneEntry(const QStringList& entries, const QString& storedRingTone);
// The ring tone's path as the phone knows it; empty for no ring tone.
QString RingTonePhonePath(const QString& fileName);

// A record's ID as the caller passed it; nothing when it is not a whole number.
std::optional<qint64> ParseRecordId(const QString& text);

// The statement that loads a record.
QString LoadContactStatement(qint64 id);

// Saving. Every value is bound to its statement, so it is stored exactly as given.
//
// Whether a contact of these names is stored: one of the same first, middle and last name, or
// one whose SIM_Name is the name.
bool HasPhoneContactNamed(DatabaseConnection& db, const QString& first, const QString& middle,
                          const QString& last);
bool HasSimContactNamed(DatabaseConnection& db, const QString& simName);

// SQLite's OK, row and done: the outcomes of a statement that count as success.
bool IsSuccessOutcome(int code);

struct StoreResult {
  bool succeeded = false;
  QString errorText;  // the database's text; empty when it has none
};

StoreResult InsertSimContact(DatabaseConnection& db, const QString& simName, const QString& mobile);
// `values` holds the fields with File_As and SIM_Name set to the composed name, the date texts
// and the ring tone to store; `picture`, when given, is stored with hasPic 1.
StoreResult InsertPhoneContact(DatabaseConnection& db, const ContactTexts& values,
                               const QByteArray* picture);
// An update fails also when it changes no row: its record is gone.
StoreResult UpdateSimContact(DatabaseConnection& db, qint64 id, const QString& simName,
                             const QString& mobile);
enum class PictureChange { kKeep, kReplace, kRemove };
StoreResult UpdatePhoneContact(DatabaseConnection& db, qint64 id, const ContactTexts& values,
                               PictureChange change, const QByteArray* picture);
