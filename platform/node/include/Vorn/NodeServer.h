#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "VOZ/Parameters.h"
#include "Vorn/CallRequest.h"

namespace Vorn {

class NodeServerCore;

// A rendering node as a hypervisor serves it: answers remote calls by function and version and
// publishes records to the subscribers of its topics. Handlers run on the node's own thread, one at
// a time, in arrival order; each answers through the request's responder, then or later.
class NodeServer {
 public:
  using Handler = std::function<void(const CallRequest& request)>;

  NodeServer(std::string serverName, std::string identifier);
  NodeServer(const NodeServer&) = delete;
  NodeServer& operator=(const NodeServer&) = delete;
  // Leaves its hypervisor, then waits for a running handler; queued calls are dropped.
  ~NodeServer();

  // Replaces any handler of the same function and version.
  void RegisterFunction(const std::string& function, int version, Handler handler);
  // Handles the calls that no registered function takes. Without it they are answered with an
  // error record whose status is "UnknownFunction".
  void SetFallbackHandler(Handler handler);

  // Sends record to every current subscriber of topic on this node.
  void Publish(const std::string& topic, const VOZ::Parameters& record);
  size_t GetSubscriberCount(const std::string& topic) const;

  const std::string& GetServerName() const;
  const std::string& GetIdentifier() const;

 private:
  friend class Hypervisor;

  const std::shared_ptr<NodeServerCore> core_;
};

}  // namespace Vorn
