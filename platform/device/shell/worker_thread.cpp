#include "platform/device/shell/worker_thread.h"

#include <atomic>
#include <system_error>
#include <thread>

namespace {

std::atomic<bool> g_failThreadCreation = false;

}  // namespace

bool CreateThread(std::function<void()> threadProc) {
  if (g_failThreadCreation) return false;
  try {
    std::thread(std::move(threadProc)).detach();
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void FailThreadCreationForTesting(bool fail) { g_failThreadCreation = fail; }
