#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class KROBaseUnknown;
class KRONotification;

using KROCallbackId = unsigned int;  // 0 is never a valid id
using KROSubscriberData = std::uintptr_t;

// The subscriber signature: notification name (null for a direct call), publisher,
// notification, client data given at subscription, id of the subscription.
using KROCallbackFunction =
    std::function<void(const char* name, KROBaseUnknown* publisher, KRONotification* notification,
                       KROSubscriberData data, KROCallbackId id)>;

// The subscriptions to the notifications of one publisher. Thread-safe; callbacks run without
// the manager's lock, so a callback may add or remove subscriptions, its own included. A
// subscription removed while a dispatch is under way is not called after its removal.
class KROCallbackManager {
 public:
  explicit KROCallbackManager(KROBaseUnknown* publisher) : _Publisher(publisher) {}
  KROCallbackManager(const KROCallbackManager&) = delete;
  KROCallbackManager& operator=(const KROCallbackManager&) = delete;

  KROCallbackId AddCallback(const char* name, KROCallbackFunction function, KROSubscriberData data);
  // False when `id` is not a subscription of this publisher.
  bool RemoveCallback(KROCallbackId id);

  // Calls every subscriber of `name` in subscription order. `publisher` is reported to the
  // subscribers; null stands for the manager's own publisher.
  void DispatchCallbacks(const char* name, KRONotification* notification,
                         KROBaseUnknown* publisher);
  bool HasClients(const char* name) const;

 private:
  struct Subscription {
    KROCallbackId id;
    std::string name;
    std::shared_ptr<const KROCallbackFunction> function;
    KROSubscriberData data;
  };
  bool IsSubscribed(KROCallbackId id) const;

  KROBaseUnknown* const _Publisher;
  mutable std::mutex _Mutex;
  std::vector<Subscription> _Subscriptions;
};
