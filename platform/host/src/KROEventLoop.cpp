#include "KROEventLoop.h"

#include <algorithm>

#include "KROCleaner.h"
#include "KROGraphicWindow.h"

KROEventLoop& KROEventLoop::Get() {
  static KROEventLoop loop;
  return loop;
}

void KROEventLoop::Post(std::function<void()> task) {
  {
    std::lock_guard lock(_Mutex);
    _Tasks.push_back(std::move(task));
  }
  Wake();
}

void KROEventLoop::Wake() {
  {
    std::lock_guard lock(_Mutex);
    _Woken = true;
  }
  _Wakeup.notify_all();
}

void KROEventLoop::Register(KROGraphicWindow* window) {
  std::lock_guard lock(_Mutex);
  _Windows.push_back(window);
}

void KROEventLoop::Unregister(KROGraphicWindow* window) {
  std::lock_guard lock(_Mutex);
  std::erase(_Windows, window);
}

bool KROEventLoop::ProcessPending() {
  std::deque<std::function<void()>> tasks;
  {
    std::lock_guard lock(_Mutex);
    _Woken = false;
    tasks.swap(_Tasks);
  }
  bool worked = !tasks.empty();
  for (auto& task : tasks) task();
  worked = RunRequestedDraws() || worked;
  KROCleaner::EndTransaction();
  return worked;
}

bool KROEventLoop::RunRequestedDraws() {
  std::vector<KROGraphicWindow*> windows;
  {
    std::lock_guard lock(_Mutex);
    windows = _Windows;
  }
  bool drew = false;
  for (KROGraphicWindow* window : windows) {
    // A draw's listeners may have destroyed a window of the snapshot.
    {
      std::lock_guard lock(_Mutex);
      if (std::find(_Windows.begin(), _Windows.end(), window) == _Windows.end()) continue;
    }
    if (window->GetDrawRequestFlag() && !window->GetDrawOnGoingFlag()) {
      window->RunDraw();
      drew = true;
    }
  }
  return drew;
}

bool KROEventLoop::HasWork() {
  if (_Woken || !_Tasks.empty()) return true;
  return std::any_of(_Windows.begin(), _Windows.end(),
                     [](const KROGraphicWindow* w) { return w->GetDrawRequestFlag(); });
}

bool KROEventLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    ProcessPending();
    if (done()) return true;
    std::unique_lock lock(_Mutex);
    if (!_Wakeup.wait_until(lock, deadline, [this] { return HasWork(); })) return done();
  }
}
