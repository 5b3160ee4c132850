#pragma once

#include <QString>

#include <memory>
#include <optional>
#include <vector>

#include "platform/device/stores/mapi_types.h"
#include "platform/device/stores/messaging_store.h"

class CMapiFolder;

// The most bytes of ANSI text of one address entry: a sender "\"name\" <address>" or one
// recipient "\"name\" <address> type". The address patterns take time that grows with the cube of
// a text's length when it does not match, so they are never run on a longer text: a longer entry
// does not parse. Names and addresses are cut to it as they come from the store, and the backup
// file writes every entry within it.
inline constexpr qsizetype kSmsEntryLimit = 1023;

// One recipient of a text message.
struct CSmsRecipient {
  QString m_strAddress;
  QString m_strDisplayName;
  ULONG m_ulType = MAPI_TO;
  bool operator==(const CSmsRecipient&) const = default;
};

// Parses one recipient entry as the backup file writes it, "\"name\" <address> type", with the
// recipient pattern; an empty or missing type gives 0. Nothing when the entry does not match or
// is longer than kSmsEntryLimit bytes.
std::optional<CSmsRecipient> ParseSmsRecipient(const QString& entry);

// A text message of the store "SMS" with the properties that the SMS backup file carries: opened
// from a folder's contents table (and loaded), or created in a folder to be filled and saved.
// The sender is kept as a name and an address; the store holds both in one value,
// "\"name\" <address>" (FormatSmsAddress).
class CSmsMessage {
 public:
  // The message class of every text message; never read from the store.
  static constexpr char kMessageClass[] = "IPM.SMStext";

  CSmsMessage(std::unique_ptr<IMessage> message, CMapiFolder& folder);
  CSmsMessage(const CSmsMessage&) = delete;
  CSmsMessage& operator=(const CSmsMessage&) = delete;

  // Reads the message's properties. Values the store lacks keep their defaults (empty text and
  // sender, zero times, flags and size); false, with every field at its default, when the store
  // cannot be read at all. The sender's texts are cut to kSmsEntryLimit bytes before they are
  // parsed.
  bool Load();

  // Splits a "\"name\" <address>" value into the sender's name and address; false, fields
  // unchanged, when the value has not that form or is longer than kSmsEntryLimit bytes.
  bool ParseSmsSender(const QString& text);
  // "\"name\" <address>" of the sender.
  QString FormatSmsAddress() const;

  // The recipients, read from the store on first use, their names and addresses cut to
  // kSmsEntryLimit bytes: empty when the message has none, null when they cannot be read.
  const std::vector<CSmsRecipient>* Recipients();
  void AddRecipient(const CSmsRecipient& recipient);

  // Writes the properties (the sender as FormatSmsAddress) and the recipients in one save: a new
  // message is stored in its folder whole, or not at all when the store refuses. S_OK, or the
  // store's failure (STG_E_LOCKVIOLATION: another program holds the phone's database).
  HRESULT Save();

  CMapiFolder& Folder() const { return folder_; }
  const QString& Text() const { return m_strText; }
  const QString& SenderName() const { return m_strSenderName; }
  const QString& SenderAddress() const { return m_strSenderAddress; }
  ULONG Flags() const { return m_ulFlags; }
  ULONG Size() const { return m_ulSize; }
  FILETIME LastModificationTime() const { return m_ftLastModification; }
  FILETIME DeliveryTime() const { return m_ftDelivery; }

  void SetText(const QString& text) { m_strText = text; }
  void SetFlags(ULONG flags) { m_ulFlags = flags; }
  void SetSize(ULONG size) { m_ulSize = size; }
  void SetLastModificationTime(FILETIME time) { m_ftLastModification = time; }
  void SetDeliveryTime(FILETIME time) { m_ftDelivery = time; }

 private:
  void TakeValue(const SPropValue& value);

  std::unique_ptr<IMessage> message_;
  CMapiFolder& folder_;
  QString m_strText;
  ULONG m_ulFlags = 0;
  FILETIME m_ftLastModification{};
  FILETIME m_ftDelivery{};
  ULONG m_ulSize = 0;
  QString m_strSenderName;
  QString m_strSenderAddress;
  std::optional<std::vector<CSmsRecipient>> recipients_;
};
