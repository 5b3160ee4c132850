// Parses arbitrary text with the SMS program's fixed sender and recipient patterns, as a restore
// does with the sender and recipients lines of a backup file: the text is cut to the longest
// line the file's reader keeps.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "common/ansi_text.h"
#include "device/sms/mapi_session.h"
#include "device/sms/sms_backup_file.h"
#include "fuzz/fuzz_support.h"

namespace {

// A new message in the inbox of a fresh phone, whose sender the parser fills.
CSmsMessage& Message() {
  static const FuzzFolder folder;
  static const std::unique_ptr<CMapiSession> session = [] {
    UseFreshPhone(folder);
    return std::make_unique<CMapiSession>(QStringLiteral("SMS"));
  }();
  static const std::unique_ptr<CSmsMessage> message = [] {
    CMapiFolder* inbox = session->SpecialFolder(SmsFolder::kInbox);
    std::unique_ptr<CSmsMessage> created = inbox != nullptr ? inbox->CreateMessage() : nullptr;
    if (!created) std::abort();
    return created;
  }();
  return *message;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString line = AnsiToWide(FuzzBytes(data, std::min<std::size_t>(size, kSmsLineLimit)));
  ParseRecipientsLine(line);
  Message().ParseSmsSender(line);
  return 0;
}
