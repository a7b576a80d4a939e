#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "KROResult.h"
#include "VOZ/Callbacks.h"
#include "VOZ/Node.h"
#include "VOZ/Parameters.h"

// What callbacks and subscription handlers received, in order, with the thread each ran on. Copies
// share one log, which the callbacks keep alive however late they run.
class ReceivedLog {
 public:
  struct Entry {
    bool succeeded;
    VOZ::Parameters record;
    std::thread::id thread;
  };

  // OnSuccess returns successResult.
  VOZ::Callbacks MakeCallbacks(HRESULT successResult = S_OK) const {
    return VOZ::Callbacks(
        [shared = shared_, successResult](const VOZ::Parameters& answer) {
          shared->Add(true, answer);
          return successResult;
        },
        [shared = shared_](const VOZ::Parameters& error) {
          shared->Add(false, error);
          return S_OK;
        });
  }

  VOZ::Node::SubscriptionHandler MakeHandler() const {
    return [shared = shared_](const VOZ::Parameters& record) { shared->Add(true, record); };
  }

  // False when fewer than count entries came within timeout.
  bool WaitFor(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10)) const {
    std::unique_lock lock(shared_->mutex);
    return shared_->added.wait_for(lock, timeout, [&] { return shared_->entries.size() >= count; });
  }

  std::vector<Entry> Entries() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->entries;
  }

 private:
  struct Shared {
    void Add(bool succeeded, const VOZ::Parameters& record) {
      {
        std::lock_guard lock(mutex);
        entries.push_back({succeeded, record, std::this_thread::get_id()});
      }
      added.notify_all();
    }

    std::mutex mutex;
    std::condition_variable added;
    std::vector<Entry> entries;
  };

  std::shared_ptr<Shared> shared_ = std::make_shared<Shared>();
};
