#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "platform/device/stores/mapi_types.h"
#include "platform/device/stores/phone_faults.h"
#include "platform/device/stores/pocket_outlook.h"
#include "platform/device/stores/sim_phonebook.h"

class PhoneDatabase;

// Sets up the emulated phone for a test (or a demonstration): fills its contact store, SIM
// phonebook and message stores, reads back what the programs left there, takes parts of the phone
// away and makes calls fail. It works on the phone of PHONE_ROOT (phone_folder.h) as it is when
// constructed; a phone folder without a database becomes a fresh phone first (phone_schema.h: an
// empty contact store, a SIM with the free indexes 1 to 250, a store "SMS" with its five special
// folders). Every change is written at once, in its own transaction, so the programs see it;
// InOneTransaction puts many changes into one, which is much faster.
//
// Every call fails (0, false or an empty result) when the phone cannot be opened.

// A contact of the contact store.
struct PhoneContact {
  CEOID oid = 0;                         // filled in by Contacts(); AddContact ignores it
  std::map<CEPROPID, QString> texts{};   // CEVT_LPWSTR properties (0x81001F, ...)
  std::map<CEPROPID, FILETIME> dates{};  // CEVT_FILETIME properties (0xF00040, 0xF10040)
  QByteArray picture{};                  // the picture's bytes; empty for none
  bool operator==(const PhoneContact&) const = default;
};

struct PhoneRecipient {
  QString displayName{};  // PR_DISPLAY_NAME_W
  QString address{};      // PR_EMAIL_ADDRESS_W
  ULONG type = MAPI_TO;   // PR_RECIPIENT_TYPE
  bool operator==(const PhoneRecipient&) const = default;
};

// A message of the messaging store. A property left empty (nullopt) is missing: the message's
// GetProps then reports MAPI_W_ERRORS_RETURNED when asked for it.
struct PhoneMessage {
  qint64 id = 0;  // filled in by Messages(); AddMessage ignores it
  std::optional<QString> messageClass = QStringLiteral("IPM.SMStext");  // PR_MESSAGE_CLASS_W
  std::optional<QString> subject;                                       // PR_SUBJECT_W (the text)
  std::optional<ULONG> flags;                                           // PR_MESSAGE_FLAGS
  std::optional<ULONG> size;                                            // PR_MESSAGE_SIZE
  std::optional<FILETIME> lastModificationTime;                         // PR_LAST_MODIFICATION_TIME
  std::optional<FILETIME> deliveryTime;                                 // PR_MESSAGE_DELIVERY_TIME
  std::optional<QString> senderEmailAddress;                            // PR_SENDER_EMAIL_ADDRESS_W
  std::optional<QString> senderName;                                    // PR_SENDER_NAME_W
  std::vector<PhoneRecipient> recipients{};
  bool operator==(const PhoneMessage&) const = default;
};

class PhoneSetup {
 public:
  PhoneSetup();
  ~PhoneSetup();
  PhoneSetup(const PhoneSetup&) = delete;
  PhoneSetup& operator=(const PhoneSetup&) = delete;

  bool IsOpen() const { return db_ != nullptr; }

  // Runs `changes`, calls of this object, in one transaction: all of them are written when it
  // returns true, none when it returns false or the transaction fails.
  bool InOneTransaction(const std::function<bool()>& changes);

  // Contact store. Without it, CoCreateInstance fails with REGDB_E_CLASSNOTREG.
  bool SetContactStorePresent(bool present);
  // Adds a contact at the end of the contacts folder; its object id, or 0. Only text ids
  // (type 0x1F) go into `texts` and date ids (type 0x40) into `dates`; another id fails the call.
  CEOID AddContact(const PhoneContact& contact);
  // Every contact in folder order, with its object id.
  std::vector<PhoneContact> Contacts();

  // SIM phonebook. Without a SIM, SimInitialize fails.
  bool SetSimPresent(bool present);
  // The index range; false (unchanged) unless lowest <= highest <= 0xFFFF.
  bool SetSimCapacity(DWORD lowest, DWORD highest);
  // Writes an entry (texts cut to 255 characters, address type and numbering plan 1); false for
  // an index outside the range.
  bool AddSimEntry(DWORD index, const QString& name, const QString& number);
  // Every entry by index.
  std::map<DWORD, SimEntry> SimEntries();

  // Messaging. Ids are those of the store's rows; a folder id names the folder in any store.
  // Adds a store, with the five special folders (Drafts, Inbox, Outbox, Sent Items,
  // Deleted Items) when asked; its id, or 0.
  qint64 AddMessageStore(const QString& name, bool withSpecialFolders = true);
  // Removes every store of exactly this name with its folders, messages and recipients; false when
  // there was none or the removal failed.
  bool RemoveMessageStore(const QString& name);
  // The first store of exactly this name; 0 when there is none.
  qint64 MessageStoreId(const QString& name);
  // The store's special folder of an entry-id property (PR_CE_IPM_INBOX_ENTRYID, ...); 0 when the
  // store has none.
  qint64 SpecialFolderId(qint64 storeId, ULONG tag);
  // Adds a top folder that is the store's special folder of `tag`; its id, or 0.
  qint64 AddSpecialFolder(qint64 storeId, ULONG tag, const QString& name);
  // Adds a subfolder (names may repeat here); its id, or 0 when the parent does not exist.
  qint64 AddFolder(qint64 parentFolderId, const QString& name);
  // The first subfolder of exactly this name; 0 when there is none.
  qint64 SubfolderId(qint64 parentFolderId, const QString& name);
  // The names of the direct subfolders, in the order they were made.
  std::vector<QString> SubfolderNames(qint64 parentFolderId);
  // Adds a message with its properties and recipients at the end of a folder; its id, or 0 when
  // the folder does not exist.
  qint64 AddMessage(qint64 folderId, const PhoneMessage& message);
  // The messages of a folder in table order, with their ids, properties and recipients.
  std::vector<PhoneMessage> Messages(qint64 folderId);

  // Makes a call fail (phone_faults.h): for every subject, or only for `subject`; after
  // `successesFirst` calls that still succeed. Faults add up; the first that matches a call
  // decides.
  bool FailCall(PhoneCall call, std::optional<qint64> subject = std::nullopt,
                int successesFirst = 0);
  // Makes only the next call that matches fail.
  bool FailCallOnce(PhoneCall call, std::optional<qint64> subject = std::nullopt);
  // Makes every call succeed again.
  bool ClearFailures();

 private:
  std::shared_ptr<PhoneDatabase> db_;
};
