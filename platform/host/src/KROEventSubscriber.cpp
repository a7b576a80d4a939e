#include "KROEventSubscriber.h"

KRO_IMPLEMENT_CLASS(KROEventSubscriber, KROBaseUnknown)

KROEventSubscriber::~KROEventSubscriber() = default;

// Subscriptions are made on the user-interface thread, so the manager is created there.
KROCallbackManager* KROEventSubscriber::GetCallbackManager() {
  if (!_CallbackManager) _CallbackManager = std::make_unique<KROCallbackManager>(this);
  return _CallbackManager.get();
}

bool KROEventSubscriber::RemoveCallback(KROEventSubscriber* publisher, KROCallbackId id) {
  return publisher && publisher->_CallbackManager &&
         publisher->_CallbackManager->RemoveCallback(id);
}
