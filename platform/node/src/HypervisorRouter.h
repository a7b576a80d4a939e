#pragma once

#include <boost/asio/any_io_executor.hpp>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "InProcessRegistry.h"
#include "MessageChannel.h"
#include "NodeServerCore.h"
#include "Transport.h"
#include "VOZ/Parameters.h"
#include "Vorn/Message.h"

namespace Vorn {

// The hypervisor's routing: its client connections, the nodes it serves, who subscribed to what,
// and the calls waiting for their node's answer. All of it behind one lock, under which nothing is
// called but the bookkeeping of node servers; messages are sent after the lock is released.
class HypervisorRouter final : public InProcessListener,
                               public std::enable_shared_from_this<HypervisorRouter> {
 public:
  explicit HypervisorRouter(boost::asio::any_io_executor executor);

  boost::asio::any_io_executor GetExecutor() override;
  void Accept(std::shared_ptr<Transport> transport) override;

  void AddNode(const std::shared_ptr<NodeServerCore>& node);
  // Its subscriptions end and the calls it has not answered get an error answer.
  void RemoveNode(const NodeServerCore& node);
  void Publish(uint64_t nodeId, const std::string& topic, const VOZ::Parameters& record);
  size_t CountSubscribers(uint64_t nodeId, const std::string& topic) const;

  using TicketValidator = std::function<bool(const std::string& serviceTicket)>;
  // Clients select only once they presented a ticket that `validator` accepts.
  void RequireGrants(TicketValidator validator);

  void DropClients(const std::string& reason);
  void InjectRaw(const std::vector<unsigned char>& bytes);

 private:
  // By client, then the client's subscription id.
  using SubscriptionKey = std::pair<uint64_t, uint64_t>;
  struct Subscription {
    uint64_t nodeId;
    std::string topic;
  };
  struct RoutedCall {
    uint64_t clientId;
    uint64_t callId;
    uint64_t nodeId;
  };

  void OnClientMessage(uint64_t clientId, Message message);
  void OnClientClosed(uint64_t clientId);
  void Select(uint64_t clientId, const Message& request);
  void Grant(uint64_t clientId, const std::string& ticket);
  void RouteCall(uint64_t clientId, Message request);
  void Subscribe(uint64_t clientId, const Message& request);
  void Unsubscribe(uint64_t clientId, uint64_t subscriptionId);
  void Answer(uint64_t routedCallId, bool succeeded, const VOZ::Parameters& record);
  void SendTo(uint64_t clientId, const Message& message);
  std::shared_ptr<MessageChannel> FindClient(uint64_t clientId) const;

  const boost::asio::any_io_executor executor_;
  mutable std::mutex mutex_;
  uint64_t nextClientId_ = 1;
  uint64_t nextNodeId_ = 1;
  uint64_t nextRoutedCallId_ = 1;
  std::map<uint64_t, std::shared_ptr<MessageChannel>> clients_;
  std::map<uint64_t, std::shared_ptr<NodeServerCore>> nodes_;
  std::map<SubscriptionKey, Subscription> subscriptions_;
  std::map<uint64_t, RoutedCall> calls_;
  TicketValidator validator_;
  std::set<uint64_t> grantedClients_;
};

}  // namespace Vorn
