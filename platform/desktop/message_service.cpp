#include "platform/desktop/message_service.h"

#include <cstdio>
#include <utility>

namespace {

TipsHandler& CurrentTipsHandler() {
  static TipsHandler handler;
  return handler;
}

}  // namespace

TipsHandler SetTipsHandler(TipsHandler handler) {
  return std::exchange(CurrentTipsHandler(), std::move(handler));
}

void ShowTips(int iconId, const QString& text) {
  const TipsHandler& handler = CurrentTipsHandler();
  if (handler) {
    handler(iconId, text);
  } else {
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
}
