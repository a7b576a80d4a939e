#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "KROResult.h"
#include "Vorn/NodeServer.h"

namespace Vorn {

class HypervisorRouter;
class IoThread;

// Routes between client nodes and the rendering nodes it serves: answers selects by server name
// and identifier, passes calls to their node and answers back to the caller, and sends each
// publication to the node's subscribers. A node removed or a client gone is forgotten everywhere.
// Reads its connections on an I/O thread of its own.
class Hypervisor {
 public:
  Hypervisor();
  Hypervisor(const Hypervisor&) = delete;
  Hypervisor& operator=(const Hypervisor&) = delete;
  ~Hypervisor();

  // Makes the hypervisor reachable by contexts of this process whose URL is url. E_INVALIDARG
  // when url is empty or taken, E_INVALID_STATE when the hypervisor listens already.
  HRESULT ListenInProcess(const std::string& url);
  // Stops listening and ends every client connection; the nodes stay served.
  void Close();

  // A node is served by one hypervisor at a time: adding it here removes it from another.
  void AddNode(NodeServer& node);
  void RemoveNode(NodeServer& node);

  // From now on a client selects nodes only after presenting a service ticket for `service`
  // that the login service listening at `loginURL` validates.
  void RequireGrants(const std::string& loginURL, const std::string& service);

  // For tests: ends every client connection, as a network failure would.
  void DropClientConnections();
  // For tests: sends bytes as they are to every client, such as a malformed message.
  void InjectRawToClients(std::vector<unsigned char> bytes);

 private:
  // The I/O thread goes last: the router's connections post to it until they are closed.
  const std::unique_ptr<IoThread> io_;
  const std::shared_ptr<HypervisorRouter> router_;
  std::mutex mutex_;
  std::string url_;
};

}  // namespace Vorn
