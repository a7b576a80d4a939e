#include "InProcessRegistry.h"

#include <map>
#include <mutex>
#include <utility>

#include "InProcessTransport.h"

namespace Vorn::InProcessRegistry {

namespace {

struct Registry {
  std::mutex mutex;
  std::map<std::string, std::shared_ptr<InProcessListener>> listeners;
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

}  // namespace

bool Register(const std::string& url, std::shared_ptr<InProcessListener> listener) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  return registry.listeners.emplace(url, std::move(listener)).second;
}

void Unregister(const std::string& url) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  registry.listeners.erase(url);
}

// Accepting under the registry's lock is what lets Unregister promise that nothing is accepted
// after it returns.
std::shared_ptr<Transport> Connect(const std::string& url, boost::asio::any_io_executor executor) {
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  const auto found = registry.listeners.find(url);
  if (found == registry.listeners.end()) return nullptr;
  InProcessListener& listener = *found->second;
  auto [clientEnd, listenerEnd] =
      InProcessTransport::CreatePair(std::move(executor), listener.GetExecutor());
  listener.Accept(std::move(listenerEnd));
  return clientEnd;
}

}  // namespace Vorn::InProcessRegistry
