#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "platform/device/stores/device_types.h"

// The values, property tags, flags and results of the phone's messaging store, with the numbers
// the messaging interface gives them. Buffers that the interface hands out (property arrays, row
// sets, address lists) are plain vectors here: they free themselves.

// A property tag holds the property's id in its high word and its type in its low word.
inline constexpr ULONG PROP_TYPE(ULONG tag) { return tag & 0xFFFF; }
inline constexpr ULONG PROP_ID(ULONG tag) { return tag >> 16; }
inline constexpr ULONG PROP_TAG(ULONG type, ULONG id) { return (id << 16) | type; }

inline constexpr ULONG PT_LONG = 0x0003;
inline constexpr ULONG PT_ERROR = 0x000A;  // the value is missing; Value.err says why
inline constexpr ULONG PT_UNICODE = 0x001F;
inline constexpr ULONG PT_SYSTIME = 0x0040;
inline constexpr ULONG PT_BINARY = 0x0102;

inline constexpr ULONG PR_ENTRYID = 0x0FFF0102;
inline constexpr ULONG PR_DISPLAY_NAME_W = 0x3001001F;
inline constexpr ULONG PR_SUBJECT_W = 0x0037001F;
inline constexpr ULONG PR_MESSAGE_CLASS_W = 0x001A001F;
inline constexpr ULONG PR_MESSAGE_FLAGS = 0x0E070003;
inline constexpr ULONG PR_MESSAGE_SIZE = 0x0E080003;
inline constexpr ULONG PR_LAST_MODIFICATION_TIME = 0x30080040;
inline constexpr ULONG PR_MESSAGE_DELIVERY_TIME = 0x0E060040;
inline constexpr ULONG PR_SENDER_EMAIL_ADDRESS_W = 0x0C1F001F;
inline constexpr ULONG PR_SENDER_NAME_W = 0x0C1A001F;
inline constexpr ULONG PR_EMAIL_ADDRESS_W = 0x3003001F;
inline constexpr ULONG PR_RECIPIENT_TYPE = 0x0C150003;
// The store's entry ids of its special folders.
inline constexpr ULONG PR_CE_IPM_DRAFTS_ENTRYID = 0x81040102;
inline constexpr ULONG PR_CE_IPM_INBOX_ENTRYID = 0x81060102;
inline constexpr ULONG PR_IPM_OUTBOX_ENTRYID = 0x35E20102;
inline constexpr ULONG PR_IPM_SENTMAIL_ENTRYID = 0x35E40102;
inline constexpr ULONG PR_IPM_WASTEBASKET_ENTRYID = 0x35E30102;

// Flags.
inline constexpr ULONG MAPI_UNICODE = 0x80000000;
inline constexpr ULONG OPEN_IF_EXISTS = 0x00000001;
inline constexpr ULONG MODRECIP_ADD = 0x00000002;
using BOOKMARK = ULONG;
inline constexpr BOOKMARK BOOKMARK_BEGINNING = 0;
// Recipient types.
inline constexpr ULONG MAPI_TO = 1;
inline constexpr ULONG MAPI_CC = 2;

// Results.
inline constexpr HRESULT MAPI_E_CALL_FAILED = E_FAIL;
inline constexpr HRESULT MAPI_E_INVALID_PARAMETER = E_INVALIDARG;
inline constexpr HRESULT MAPI_E_NO_SUPPORT = static_cast<HRESULT>(0x80040102);
inline constexpr HRESULT MAPI_E_INVALID_ENTRYID = static_cast<HRESULT>(0x80040107);
inline constexpr HRESULT MAPI_E_NOT_FOUND = static_cast<HRESULT>(0x8004010F);
inline constexpr HRESULT MAPI_E_LOGON_FAILED = static_cast<HRESULT>(0x80040111);
inline constexpr HRESULT MAPI_E_COMPUTED = static_cast<HRESULT>(0x8004011A);
inline constexpr HRESULT MAPI_E_COLLISION = static_cast<HRESULT>(0x80040604);
inline constexpr HRESULT MAPI_E_NO_RECIPIENTS = static_cast<HRESULT>(0x80040607);
// A warning (success): some of the properties asked for are missing and come back as PT_ERROR.
inline constexpr HRESULT MAPI_W_ERRORS_RETURNED = 0x00040380;

// The value of one property, in the member that the tag's type names.
struct PropValue {
  ULONG ul = 0;      // PT_LONG
  FILETIME ft{};     // PT_SYSTIME
  QString lpszW{};   // PT_UNICODE
  QByteArray bin{};  // PT_BINARY (entry ids)
  HRESULT err = 0;   // PT_ERROR
};

struct SPropValue {
  ULONG ulPropTag = 0;
  PropValue Value{};
};

using SPropTagArray = std::vector<ULONG>;
// A table row: one value per column, in the table's column order.
using SRow = std::vector<SPropValue>;
using SRowSet = std::vector<SRow>;
// One recipient for ModifyRecipients: its property values.
using ADRENTRY = std::vector<SPropValue>;
using ADRLIST = std::vector<ADRENTRY>;

// The value that stands for a missing property: the tag's type becomes PT_ERROR.
inline SPropValue MissingProp(ULONG tag, HRESULT why = MAPI_E_NOT_FOUND) {
  return SPropValue{PROP_TAG(PT_ERROR, PROP_ID(tag)), PropValue{.err = why}};
}
