// Threads for the core: started detached, never joined, so the process can end at any time.
#pragma once

#include <cstdint>
#include <functional>

namespace platform {

// Starts `body` on a new detached thread. False when no thread could be started.
bool StartDetachedThread(std::function<void()> body);
void SleepMilliseconds(int64_t milliseconds);
bool IsMainThread();

}  // namespace platform
