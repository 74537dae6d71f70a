#include "platform/threads.h"

#include <chrono>
#include <thread>

namespace platform {

namespace {
const std::thread::id kMainThread = std::this_thread::get_id();
}

bool StartDetachedThread(std::function<void()> body) {
  // std::thread reports failure by exception; this layer is the one place allowed to see it.
  try {
    std::thread(std::move(body)).detach();
    return true;
  } catch (...) {
    return false;
  }
}

void SleepMilliseconds(int64_t milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool IsMainThread() {
  return std::this_thread::get_id() == kMainThread;
}

}  // namespace platform
