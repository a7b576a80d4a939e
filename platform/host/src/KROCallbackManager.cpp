#include "KROCallbackManager.h"

#include <algorithm>
#include <atomic>

namespace {
std::atomic<KROCallbackId> s_NextCallbackId{1};
}

KROCallbackId KROCallbackManager::AddCallback(const char* name, KROCallbackFunction function,
                                              KROSubscriberData data) {
  if (!name || !function) return 0;
  const KROCallbackId id = s_NextCallbackId.fetch_add(1);
  std::lock_guard lock(_Mutex);
  _Subscriptions.push_back(
      {id, name, std::make_shared<const KROCallbackFunction>(std::move(function)), data});
  return id;
}

bool KROCallbackManager::RemoveCallback(KROCallbackId id) {
  std::lock_guard lock(_Mutex);
  auto found = std::find_if(_Subscriptions.begin(), _Subscriptions.end(),
                            [id](const Subscription& s) { return s.id == id; });
  if (found == _Subscriptions.end()) return false;
  _Subscriptions.erase(found);
  return true;
}

bool KROCallbackManager::IsSubscribed(KROCallbackId id) const {
  std::lock_guard lock(_Mutex);
  return std::any_of(_Subscriptions.begin(), _Subscriptions.end(),
                     [id](const Subscription& s) { return s.id == id; });
}

void KROCallbackManager::DispatchCallbacks(const char* name, KRONotification* notification,
                                           KROBaseUnknown* publisher) {
  if (!name) return;
  std::vector<Subscription> targets;
  {
    std::lock_guard lock(_Mutex);
    for (const Subscription& s : _Subscriptions) {
      if (s.name == name) targets.push_back(s);
    }
  }
  KROBaseUnknown* reported = publisher ? publisher : _Publisher;
  for (const Subscription& s : targets) {
    if (IsSubscribed(s.id)) (*s.function)(name, reported, notification, s.data, s.id);
  }
}

bool KROCallbackManager::HasClients(const char* name) const {
  if (!name) return false;
  std::lock_guard lock(_Mutex);
  return std::any_of(_Subscriptions.begin(), _Subscriptions.end(),
                     [name](const Subscription& s) { return s.name == name; });
}
