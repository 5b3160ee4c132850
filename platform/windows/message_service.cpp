#include "platform/windows/message_service.h"

#include <cstdio>
#include <utility>

namespace {

MessageService& Current() {
  static MessageService service;
  return service;
}

}  // namespace

MessageService InstallMessageService(MessageService service) {
  return std::exchange(Current(), std::move(service));
}

const MessageService& CurrentMessageService() { return Current(); }

int ShowTips(int iconId, const QString& text) {
  if (Current().tips) return Current().tips(iconId, text);
  std::fprintf(stderr, "%s\n", qPrintable(text));
  return IDCANCEL;
}

int ShowMessageBox(const QString& text, const QString& caption, unsigned type) {
  if (Current().messageBox) return Current().messageBox(text, caption, type);
  std::fprintf(stderr, "%s: %s\n", qPrintable(caption), qPrintable(text));
  return IDCANCEL;
}

std::optional<QString> RunFileDialog(const FileDialogRequest& request) {
  if (Current().fileDialog) return Current().fileDialog(request);
  return std::nullopt;
}
