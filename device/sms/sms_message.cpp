#include "device/sms/sms_message.h"

#include <climits>

#include "device/frame/device_text.h"
#include "device/sms/mapi_folder.h"
#include "device/sms/regex_pattern.h"

namespace {

// "name" <address>: group 1 the name, group 3 the address.
constexpr char kSenderPattern[] = "\"((\\w|\\W)*)\" <((\\w|\\W)*)>";
// "name" <address> type: group 5 the type's digits.
constexpr char kRecipientPattern[] = "\"((\\w|\\W)*)\" <((\\w|\\W)*)> (\\d*)";

const SPropTagArray kLoadedTags = {
    PR_ENTRYID,
    PR_MESSAGE_FLAGS,
    PR_SUBJECT_W,
    PR_LAST_MODIFICATION_TIME,
    PR_MESSAGE_DELIVERY_TIME,
    PR_SENDER_EMAIL_ADDRESS_W,
    PR_SENDER_NAME_W,
    PR_MESSAGE_SIZE,
};

CRegexPattern CompilePattern(const char* text) {
  CRegexPattern pattern;
  pattern.Compile(text, -1, 0);
  return pattern;
}

// The compiled patterns are only read by searches, so every thread may share them.
const CRegexPattern& SenderPattern() {
  static const CRegexPattern pattern = CompilePattern(kSenderPattern);
  return pattern;
}

const CRegexPattern& RecipientPattern() {
  static const CRegexPattern pattern = CompilePattern(kRecipientPattern);
  return pattern;
}

// Whether the patterns can match at all: they need a double quote, after it a quote, blank and
// "<", and after that their closing text (">" or "> "); the groups between take any bytes. The
// engine would find that out too, but only by trying every split, in time cubic in the length.
bool CanMatchAddress(const QByteArray& ansi, const char* closing) {
  const qsizetype quote = ansi.indexOf('"');
  if (quote < 0) return false;
  const qsizetype bracket = ansi.indexOf("\" <", quote + 1);
  return bracket >= 0 && ansi.lastIndexOf(closing) >= bracket + 3;
}

// Searches the ANSI form of `text` from its start; the wide text of each group asked for, or
// nothing when the pattern does not match or the text is longer than an entry.
std::optional<std::vector<QString>> MatchGroups(const CRegexPattern& pattern, const char* closing,
                                                const QString& text,
                                                std::initializer_list<int> groups) {
  const QByteArray ansi = WideToAnsi(text);
  if (ansi.size() > kSmsEntryLimit || !CanMatchAddress(ansi, closing)) return std::nullopt;
  const RegexMatchResult match = pattern.Search(std::string_view(ansi.data(), ansi.size()), -1);
  if (!match.IsMatched()) return std::nullopt;
  std::vector<QString> texts;
  for (int group : groups) {
    const int start = match.GetGroupStart(group);
    const int end = match.GetGroupEnd(group);
    texts.push_back(start < 0 ? QString() : AnsiToWide(ansi.mid(start, end - start)));
  }
  return texts;
}

// The digits as a number; a run too long for 32 bits reads as the largest signed value.
ULONG DecimalValue(const QString& digits) {
  if (digits.isEmpty()) return 0;
  bool ok = false;
  const qulonglong value = digits.toULongLong(&ok);
  return ok && value <= INT_MAX ? static_cast<ULONG>(value) : INT_MAX;
}

QString CutToEntryLimit(const QString& text) { return LeftAnsiBytes(text, kSmsEntryLimit); }

SPropValue TextValue(ULONG tag, const QString& text) { return {tag, PropValue{.lpszW = text}}; }
SPropValue LongValue(ULONG tag, ULONG value) { return {tag, PropValue{.ul = value}}; }
SPropValue TimeValue(ULONG tag, FILETIME time) { return {tag, PropValue{.ft = time}}; }

}  // namespace

std::optional<CSmsRecipient> ParseSmsRecipient(const QString& entry) {
  std::optional<std::vector<QString>> groups =
      MatchGroups(RecipientPattern(), "> ", entry, {1, 3, 5});
  if (!groups) return std::nullopt;
  return CSmsRecipient{(*groups)[1], (*groups)[0], DecimalValue((*groups)[2])};
}

CSmsMessage::CSmsMessage(std::unique_ptr<IMessage> message, CMapiFolder& folder)
    : message_(std::move(message)), folder_(folder) {}

bool CSmsMessage::Load() {
  std::vector<SPropValue> values;
  if (FAILED(message_->GetProps(kLoadedTags, values)) || values.size() != kLoadedTags.size()) {
    return false;
  }
  // A missing value (an error value in its place) is passed over; the others are taken.
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (values[i].ulPropTag == kLoadedTags[i]) TakeValue(values[i]);
  }
  return true;
}

void CSmsMessage::TakeValue(const SPropValue& value) {
  switch (value.ulPropTag) {
    case PR_MESSAGE_FLAGS:
      m_ulFlags = value.Value.ul;
      break;
    case PR_SUBJECT_W:
      m_strText = value.Value.lpszW;
      break;
    case PR_LAST_MODIFICATION_TIME:
      m_ftLastModification = value.Value.ft;
      break;
    case PR_MESSAGE_DELIVERY_TIME:
      m_ftDelivery = value.Value.ft;
      break;
    case PR_SENDER_EMAIL_ADDRESS_W: {
      // A bare number is both the sender's name and address.
      const QString sender = CutToEntryLimit(value.Value.lpszW);
      if (!ParseSmsSender(sender)) {
        m_strSenderAddress = sender;
        m_strSenderName = sender;
      }
      break;
    }
    case PR_SENDER_NAME_W:
      if (m_strSenderName.isEmpty()) m_strSenderName = CutToEntryLimit(value.Value.lpszW);
      break;
    case PR_MESSAGE_SIZE:
      m_ulSize = value.Value.ul;
      break;
    default:
      break;
  }
}

bool CSmsMessage::ParseSmsSender(const QString& text) {
  std::optional<std::vector<QString>> groups = MatchGroups(SenderPattern(), ">", text, {1, 3});
  if (!groups) return false;
  m_strSenderName = (*groups)[0];
  m_strSenderAddress = (*groups)[1];
  return true;
}

QString CSmsMessage::FormatSmsAddress() const {
  return QStringLiteral("\"%1\" <%2>").arg(m_strSenderName, m_strSenderAddress);
}

const std::vector<CSmsRecipient>* CSmsMessage::Recipients() {
  if (recipients_) return &*recipients_;
  std::unique_ptr<IMAPITable> table;
  const HRESULT hr = message_->GetRecipientTable(table);
  if (hr == MAPI_E_NO_RECIPIENTS) return &recipients_.emplace();
  if (FAILED(hr)) return nullptr;
  std::vector<CSmsRecipient> recipients;
  SRowSet rows;
  while (true) {
    // A table that fails part way is not read: a partial list would pass for the whole one.
    if (FAILED(table->QueryRows(1, rows))) return nullptr;
    if (rows.empty()) break;
    CSmsRecipient recipient;
    for (const SPropValue& value : rows.front()) {
      if (value.ulPropTag == PR_DISPLAY_NAME_W) {
        recipient.m_strDisplayName = CutToEntryLimit(value.Value.lpszW);
      }
      if (value.ulPropTag == PR_EMAIL_ADDRESS_W) {
        recipient.m_strAddress = CutToEntryLimit(value.Value.lpszW);
      }
      if (value.ulPropTag == PR_RECIPIENT_TYPE) recipient.m_ulType = value.Value.ul;
    }
    recipients.push_back(recipient);
  }
  return &recipients_.emplace(std::move(recipients));
}

void CSmsMessage::AddRecipient(const CSmsRecipient& recipient) {
  if (!recipients_) recipients_.emplace();
  recipients_->push_back(recipient);
}

HRESULT CSmsMessage::Save() {
  const std::vector<SPropValue> values = {
      LongValue(PR_MESSAGE_FLAGS, m_ulFlags),
      TextValue(PR_SUBJECT_W, m_strText),
      TimeValue(PR_LAST_MODIFICATION_TIME, m_ftLastModification),
      TimeValue(PR_MESSAGE_DELIVERY_TIME, m_ftDelivery),
      TextValue(PR_MESSAGE_CLASS_W, QString::fromLatin1(kMessageClass)),
      TextValue(PR_SENDER_EMAIL_ADDRESS_W, FormatSmsAddress()),
      LongValue(PR_MESSAGE_SIZE, m_ulSize),
  };
  if (HRESULT hr = message_->SetProps(values); FAILED(hr)) return hr;
  if (recipients_) {
    ADRLIST list;
    for (const CSmsRecipient& recipient : *recipients_) {
      list.push_back({TextValue(PR_EMAIL_ADDRESS_W, recipient.m_strAddress),
                      LongValue(PR_RECIPIENT_TYPE, recipient.m_ulType),
                      TextValue(PR_DISPLAY_NAME_W, recipient.m_strDisplayName)});
    }
    if (HRESULT hr = message_->ModifyRecipients(MODRECIP_ADD, list); FAILED(hr)) return hr;
  }
  return message_->SaveChanges();
}
