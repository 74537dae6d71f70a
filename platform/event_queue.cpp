// The one event queue of the program. Toolkit signals only append to it; WaitEvent hands the
// events out in order. Another thread may post; it then wakes the toolkit's loop.
#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>

#include <deque>
#include <mutex>

#include "platform/gui.h"
#include "platform/gui_internal.h"

namespace platform {

namespace {

std::mutex g_queueMutex;
std::deque<Event> g_queue;

std::optional<Event> TakeEvent() {
  std::lock_guard lock(g_queueMutex);
  if (g_queue.empty())
    return std::nullopt;
  Event event = std::move(g_queue.front());
  g_queue.pop_front();
  return event;
}

void WakeToolkit() {
  if (auto* dispatcher = QCoreApplication::eventDispatcher())
    dispatcher->wakeUp();
}

}  // namespace

namespace internal {

void Enqueue(const Event& event) {
  {
    std::lock_guard lock(g_queueMutex);
    // A burst of resizes needs only the last layout: keep one size event per window.
    if (event.kind == EventKind::Size) {
      for (const Event& queued : g_queue) {
        if (queued.kind == EventKind::Size && queued.window == event.window)
          return;
      }
    }
    g_queue.push_back(event);
  }
  WakeToolkit();
}

}  // namespace internal

Event WaitEvent() {
  for (;;) {
    if (auto event = TakeEvent()) {
      // What other threads changed in the list is shown before the next command reads it.
      FlushPendingUpdates();
      return *event;
    }
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
}

std::optional<Event> PollEvent() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  auto event = TakeEvent();
  if (event)
    FlushPendingUpdates();
  return event;
}

void PostEvent(const Event& event) {
  internal::Enqueue(event);
}

void PushBackEvent(const Event& event) {
  {
    std::lock_guard lock(g_queueMutex);
    g_queue.push_front(event);
  }
  WakeToolkit();
}

void DiscardQueuedEvents() {
  std::lock_guard lock(g_queueMutex);
  g_queue.clear();
}

void ProcessPendingWork() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace platform
