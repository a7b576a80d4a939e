#include "SerialWorker.h"

#include <condition_variable>
#include <deque>
#include <mutex>
#include <utility>

namespace Vorn {

struct SerialWorker::Queue {
  std::mutex mutex;
  std::condition_variable wake;
  std::deque<std::function<void()>> tasks;
  bool stopped = false;
};

SerialWorker::SerialWorker() : queue_(std::make_shared<Queue>()), thread_(Run, queue_) {}

SerialWorker::~SerialWorker() {
  Stop();
}

bool SerialWorker::Post(std::function<void()> task) {
  {
    std::lock_guard lock(queue_->mutex);
    if (queue_->stopped) return false;
    queue_->tasks.push_back(std::move(task));
  }
  queue_->wake.notify_one();
  return true;
}

void SerialWorker::Stop() {
  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard lock(queue_->mutex);
    queue_->stopped = true;
    dropped.swap(queue_->tasks);
  }
  queue_->wake.notify_one();
  if (!thread_.joinable()) return;
  if (thread_.get_id() == std::this_thread::get_id()) {
    thread_.detach();
  } else {
    thread_.join();
  }
}

void SerialWorker::Run(std::shared_ptr<Queue> queue) {
  for (;;) {
    std::function<void()> task;
    {
      std::unique_lock lock(queue->mutex);
      queue->wake.wait(lock, [&] { return queue->stopped || !queue->tasks.empty(); });
      if (queue->stopped) return;
      task = std::move(queue->tasks.front());
      queue->tasks.pop_front();
    }
    task();
  }
}

}  // namespace Vorn
