#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

class KROGraphicWindow;

// The host's user-interface loop. Other threads post work or request draws and wake it; the
// user-interface thread pumps it. Each pass runs the posted tasks, then the requested draws of
// every window, then ends the transaction.
class KROEventLoop {
 public:
  static KROEventLoop& Get();

  // Any thread.
  void Post(std::function<void()> task);
  void Wake();

  // User-interface thread: one pass; returns whether it did anything.
  bool ProcessPending();
  // User-interface thread: passes until `done` holds or `timeout` has passed; between passes
  // it sleeps until woken. Returns the last value of `done`.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
  // User-interface thread: runs the requested draw of every window whose draw is not already
  // going on; returns whether it drew anything.
  bool RunRequestedDraws();

  void Register(KROGraphicWindow* window);
  void Unregister(KROGraphicWindow* window);

 private:
  KROEventLoop() = default;
  bool HasWork();

  std::mutex _Mutex;
  std::condition_variable _Wakeup;
  bool _Woken = false;
  std::deque<std::function<void()>> _Tasks;
  std::vector<KROGraphicWindow*> _Windows;
};
