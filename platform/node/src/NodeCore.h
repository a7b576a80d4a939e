#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "HypervisorConnection.h"
#include "KROResult.h"
#include "PendingAnswer.h"
#include "SerialWorker.h"
#include "VOZ/Callbacks.h"
#include "VOZ/Node.h"
#include "VOZ/Parameters.h"
#include "Vorn/Context.h"
#include "Vorn/Message.h"
#include "Vorn/NodeId.h"
#include "Vorn/NodeSettings.h"

namespace VOZ {

// The working part of a node, which the node drops at Stop: its delivery thread, the requests it
// waits answers for and its subscriptions. Routes on the connection reach it by weak reference, so
// that whatever arrives after Stop finds nobody.
class NodeCore : public std::enable_shared_from_this<NodeCore> {
 public:
  NodeCore(Vorn::Context& context, std::string poolName, const Vorn::NodeSettings& settings);

  HRESULT Select(const std::string& serverName, const std::string& identifier,
                 Vorn::NodeId& nodeId);
  HRESULT Call(const Vorn::NodeId& target, const std::string& function, int version,
               const Parameters& parameters, const Callbacks& callbacks);
  HRESULT CallAndWait(const Vorn::NodeId& target, const std::string& function, int version,
                      const Parameters& parameters, const Callbacks& callbacks);
  HRESULT Subscribe(const Vorn::NodeId& target, const std::string& topic,
                    Node::SubscriptionHandler handler, int64_t& subscriptionId);
  HRESULT Unsubscribe(int64_t subscriptionId);
  void Stop();

  // What the connection routes to this node, on the I/O thread.
  void OnRouted(uint64_t id, Vorn::Message message);
  void OnRouteLost(uint64_t id, const std::string& errorMessage);

 private:
  // What the node keeps for an id it sent on a connection.
  template <typename T>
  struct Sent {
    T value;
    std::weak_ptr<Vorn::HypervisorConnection> connection;
  };
  template <typename T>
  using SentTable = std::map<uint64_t, Sent<T>>;
  using SharedHandler = std::shared_ptr<const Node::SubscriptionHandler>;

  HRESULT Connect(std::shared_ptr<Vorn::HypervisorConnection>& connection);
  // Hands the hypervisor a service ticket first when the context needs a grant.
  HRESULT PresentGrant();
  Vorn::Message NewCall(const Vorn::NodeId& target, const std::string& function, int version,
                        const Parameters& parameters);
  // Keeps value in table under the request's id while the request is routed to this node.
  // Negative when it could not be sent, and then value is gone.
  template <typename T>
  HRESULT SendRouted(SentTable<T> NodeCore::*table, const Vorn::Message& request, T value);
  template <typename T>
  std::optional<Sent<T>> Take(SentTable<T> NodeCore::*table, uint64_t id);
  // Sends request and waits on this thread for its answer, within the context's call timeout.
  // Negative with no answer when the request could not be sent; once sent, answer is the answer,
  // or an error answer when the wait ended without one (E_ABORT: timeout; E_FAIL: stopped, lost).
  HRESULT Ask(const Vorn::Message& request, std::optional<Vorn::Message>& answer);
  void RunHandler(uint64_t subscriptionId, const Parameters& record);
  static void EndSubscription(uint64_t id,
                              const std::weak_ptr<Vorn::HypervisorConnection>& connection);

  Vorn::Context& context_;
  const std::string poolName_;
  const Vorn::NodeSettings settings_;
  Vorn::SerialWorker delivery_;
  // Guards everything below. Posts to delivery_ happen under it, for entries of the tables, which
  // Stop empties: nothing is queued once Stop has begun.
  std::mutex mutex_;
  bool stopped_ = false;
  SentTable<Callbacks> calls_;
  SentTable<SharedHandler> subscriptions_;
  std::map<uint64_t, std::shared_ptr<PendingAnswer>> waits_;
};

}  // namespace VOZ
