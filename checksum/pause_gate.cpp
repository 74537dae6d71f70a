#include "checksum/pause_gate.h"

#include <condition_variable>
#include <mutex>

namespace {

std::mutex gateLock;
std::condition_variable gateOpened;
bool paused = false;  // guarded by gateLock
long pauseCount = 0;  // guarded by gateLock

}  // namespace

void PauseWorker() {
  std::lock_guard<std::mutex> lock(gateLock);
  paused = true;
  ++pauseCount;
}

void ResumeWorker() {
  {
    std::lock_guard<std::mutex> lock(gateLock);
    paused = false;
  }
  gateOpened.notify_all();
}

long WorkerPauseCount() {
  std::lock_guard<std::mutex> lock(gateLock);
  return pauseCount;
}

bool IsWorkerPaused() {
  std::lock_guard<std::mutex> lock(gateLock);
  return paused;
}

void WaitIfPaused() {
  std::unique_lock<std::mutex> lock(gateLock);
  gateOpened.wait(lock, [] { return !paused; });
}
