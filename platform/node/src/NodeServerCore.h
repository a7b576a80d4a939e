#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>

#include "SerialWorker.h"
#include "VOZ/Parameters.h"
#include "Vorn/CallRequest.h"
#include "Vorn/NodeServer.h"

namespace Vorn {

class HypervisorRouter;

// The part of a node server that its hypervisor holds: what it is, its functions, its worker
// thread and its way back to the hypervisor for publications.
class NodeServerCore : public std::enable_shared_from_this<NodeServerCore> {
 public:
  using Handler = NodeServer::Handler;

  NodeServerCore(std::string serverName, std::string identifier);

  const std::string& GetServerName() const { return serverName_; }
  const std::string& GetIdentifier() const { return identifier_; }

  void RegisterFunction(const std::string& function, int version, Handler handler);
  void SetFallbackHandler(Handler handler);
  // Queues request for the worker thread; dropped once stopped.
  void Accept(CallRequest request);
  void Publish(const std::string& topic, const VOZ::Parameters& record);
  size_t GetSubscriberCount(const std::string& topic) const;

  // Set by the hypervisor that serves this node, under its lock.
  void AttachTo(std::weak_ptr<HypervisorRouter> router, uint64_t nodeId);
  void Detach();
  // The hypervisor serving this node, if any, and the id it gave the node.
  std::pair<std::shared_ptr<HypervisorRouter>, uint64_t> GetLink() const;

  void Stop();

 private:
  void Serve(const CallRequest& request);

  const std::string serverName_;
  const std::string identifier_;
  mutable std::mutex mutex_;
  std::map<std::pair<std::string, int>, std::shared_ptr<const Handler>> functions_;
  std::shared_ptr<const Handler> fallback_;
  std::weak_ptr<HypervisorRouter> router_;
  uint64_t nodeId_ = 0;
  SerialWorker worker_;
};

}  // namespace Vorn
