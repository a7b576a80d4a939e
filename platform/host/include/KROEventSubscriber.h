#pragma once

#include <memory>

#include "KROBaseUnknown.h"
#include "KROCallbackManager.h"

// An object of the host that publishes notifications and subscribes to those of others.
class KROEventSubscriber : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROEventSubscriber)
 public:
  template <class Subscriber>
  using Method = void (Subscriber::*)(const char* name, KROBaseUnknown* publisher,
                                      KRONotification* notification, KROSubscriberData data,
                                      KROCallbackId id);

  // Subscribes this object's `method` to `publisher`'s notification `name`; returns the id
  // that RemoveCallback takes.
  template <class Subscriber>
  KROCallbackId AddCallback(KROEventSubscriber* publisher, const char* name,
                            Method<Subscriber> method, KROSubscriberData data) {
    auto* subscriber = static_cast<Subscriber*>(this);
    return publisher->GetCallbackManager()->AddCallback(
        name,
        [subscriber, method](const char* n, KROBaseUnknown* p, KRONotification* notification,
                             KROSubscriberData d, KROCallbackId id) {
          (subscriber->*method)(n, p, notification, d, id);
        },
        data);
  }
  bool RemoveCallback(KROEventSubscriber* publisher, KROCallbackId id);

  // The manager of this object's own subscribers, created on first use.
  KROCallbackManager* GetCallbackManager();

 protected:
  KROEventSubscriber() = default;
  ~KROEventSubscriber() override;

  // Null until somebody subscribes to this object.
  std::unique_ptr<KROCallbackManager> _CallbackManager;
};
