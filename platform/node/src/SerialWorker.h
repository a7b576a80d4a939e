#pragma once

#include <functional>
#include <memory>
#include <thread>

namespace Vorn {

// Runs tasks one at a time, in the order they were posted, on a thread of its own.
class SerialWorker {
 public:
  SerialWorker();
  SerialWorker(const SerialWorker&) = delete;
  SerialWorker& operator=(const SerialWorker&) = delete;
  ~SerialWorker();

  // False once stopped; the task is then dropped.
  bool Post(std::function<void()> task);
  // Drops the tasks still queued. Called from another thread, waits for a running task to finish;
  // called from a task, returns at once and the thread ends when that task returns. Either way no
  // task starts once this has returned. Not to be called from two threads at once.
  void Stop();

 private:
  struct Queue;
  static void Run(std::shared_ptr<Queue> queue);

  // Shared with the thread, which may outlive this worker when a task stopped it.
  std::shared_ptr<Queue> queue_;
  std::thread thread_;
};

}  // namespace Vorn
