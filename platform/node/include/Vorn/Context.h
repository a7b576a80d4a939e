#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "KROResult.h"
#include "Vorn/Granting.h"

namespace VOZ {
class NodeCore;
}

namespace Vorn {

class HypervisorConnection;
class IoThread;

// The first use of a context fails with this when nothing listens at its address.
inline constexpr HRESULT E_HOST_UNREACHABLE = static_cast<HRESULT>(0x800704D0u);

// One per viewer: the way to one streaming service. Owns the connection to the service's
// hypervisor, opened by the first use and opened again by a use after it was lost, and the one I/O
// thread that reads that connection and routes what arrives to the nodes. Outlives the Commands
// made on it.
//
// For now the address names a hypervisor listening in this process (Hypervisor::ListenInProcess),
// found by the exact URL.
class Context {
 public:
  // With needsGrant, every selection first obtains a service ticket from `handler` and presents
  // it to the hypervisor.
  Context(const std::string& url, bool needsGrant, GrantingHandler handler = {});
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;
  ~Context();

  const std::string& GetUrl() const;
  // Whether the service wants a service ticket before it serves.
  bool NeedsGrant() const;

  // Bounds every blocking wait of the nodes of this context; 60 seconds unless set.
  void SetCallTimeout(std::chrono::milliseconds timeout);
  std::chrono::milliseconds GetCallTimeout() const;

 private:
  friend class VOZ::NodeCore;

  // The open connection, opened now if there is none.
  HRESULT Connect(std::shared_ptr<HypervisorConnection>& connection);
  // Unique among the messages of this context, across connections, so that nothing meant for an
  // id of a lost connection can reach a later request.
  uint64_t NewMessageId();
  // A service ticket from the granting handler; E_ACCESSDENIED without a handler.
  HRESULT ObtainGrant(std::string& ticket) const;

  const std::string url_;
  const bool needsGrant_;
  const GrantingHandler grantingHandler_;
  std::atomic<std::chrono::milliseconds> callTimeout_{std::chrono::seconds(60)};
  std::atomic<uint64_t> nextMessageId_{1};
  const std::unique_ptr<IoThread> io_;
  std::mutex mutex_;
  std::shared_ptr<HypervisorConnection> connection_;
};

}  // namespace Vorn
