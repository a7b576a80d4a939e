#include "HypervisorRouter.h"

#include <algorithm>
#include <optional>

#include "Vorn/CallRequest.h"
#include "Vorn/ErrorRecord.h"

namespace Vorn {

namespace {

Message ErrorAnswer(MessageKind kind, uint64_t id, const std::string& status,
                    const std::string& errorMessage) {
  return {.kind = kind, .id = id, .record = MakeErrorRecord(status, errorMessage)};
}

}  // namespace

HypervisorRouter::HypervisorRouter(boost::asio::any_io_executor executor)
    : executor_(std::move(executor)) {}

boost::asio::any_io_executor HypervisorRouter::GetExecutor() {
  return executor_;
}

void HypervisorRouter::Accept(std::shared_ptr<Transport> transport) {
  auto channel = std::make_shared<MessageChannel>(std::move(transport));
  uint64_t clientId = 0;
  {
    std::lock_guard lock(mutex_);
    clientId = nextClientId_++;
    clients_.emplace(clientId, channel);
  }
  const std::weak_ptr<HypervisorRouter> router = weak_from_this();
  channel->Start(
      [router, clientId](Message message) {
        if (const auto self = router.lock()) self->OnClientMessage(clientId, std::move(message));
      },
      [router, clientId](const std::string&) {
        if (const auto self = router.lock()) self->OnClientClosed(clientId);
      });
}

void HypervisorRouter::AddNode(const std::shared_ptr<NodeServerCore>& node) {
  std::lock_guard lock(mutex_);
  const bool served = std::any_of(nodes_.begin(), nodes_.end(),
                                  [&](const auto& entry) { return entry.second == node; });
  if (served) return;
  const uint64_t nodeId = nextNodeId_++;
  nodes_.emplace(nodeId, node);
  node->AttachTo(weak_from_this(), nodeId);
}

void HypervisorRouter::RemoveNode(const NodeServerCore& node) {
  // Released after the lock: it may be the node's last reference.
  std::shared_ptr<NodeServerCore> removed;
  std::vector<RoutedCall> unanswered;
  {
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(nodes_.begin(), nodes_.end(),
                                    [&](const auto& entry) { return entry.second.get() == &node; });
    if (found == nodes_.end()) return;
    const uint64_t nodeId = found->first;
    removed = std::move(found->second);
    removed->Detach();
    nodes_.erase(found);
    std::erase_if(subscriptions_, [&](const auto& entry) { return entry.second.nodeId == nodeId; });
    std::erase_if(calls_, [&](const auto& entry) {
      if (entry.second.nodeId != nodeId) return false;
      unanswered.push_back(entry.second);
      return true;
    });
  }
  for (const RoutedCall& call : unanswered) {
    SendTo(call.clientId, ErrorAnswer(MessageKind::Answer, call.callId, ErrorStatus::kNodeRemoved,
                                      "The node " + std::to_string(call.nodeId) +
                                          " left the hypervisor before answering"));
  }
}

void HypervisorRouter::Publish(uint64_t nodeId, const std::string& topic,
                               const VOZ::Parameters& record) {
  std::vector<std::pair<std::shared_ptr<MessageChannel>, uint64_t>> subscribers;
  {
    std::lock_guard lock(mutex_);
    for (const auto& [key, subscription] : subscriptions_) {
      const auto client = clients_.find(key.first);
      if (subscription.nodeId == nodeId && subscription.topic == topic &&
          client != clients_.end()) {
        subscribers.emplace_back(client->second, key.second);
      }
    }
  }
  Message publication{.kind = MessageKind::Publish, .record = record};
  for (const auto& [channel, subscriptionId] : subscribers) {
    publication.id = subscriptionId;
    channel->Send(publication);
  }
}

size_t HypervisorRouter::CountSubscribers(uint64_t nodeId, const std::string& topic) const {
  std::lock_guard lock(mutex_);
  return static_cast<size_t>(
      std::count_if(subscriptions_.begin(), subscriptions_.end(), [&](const auto& entry) {
        return entry.second.nodeId == nodeId && entry.second.topic == topic;
      }));
}

void HypervisorRouter::DropClients(const std::string& reason) {
  std::map<uint64_t, std::shared_ptr<MessageChannel>> dropped;
  {
    std::lock_guard lock(mutex_);
    dropped.swap(clients_);
    grantedClients_.clear();
    subscriptions_.clear();
    calls_.clear();
  }
  for (const auto& [clientId, channel] : dropped) channel->Close(reason);
}

void HypervisorRouter::InjectRaw(const std::vector<unsigned char>& bytes) {
  std::vector<std::shared_ptr<MessageChannel>> channels;
  {
    std::lock_guard lock(mutex_);
    for (const auto& [clientId, channel] : clients_) channels.push_back(channel);
  }
  for (const auto& channel : channels) channel->SendRaw(bytes);
}

void HypervisorRouter::OnClientMessage(uint64_t clientId, Message message) {
  switch (message.kind) {
    case MessageKind::Select:
      return Select(clientId, message);
    case MessageKind::Call:
      return RouteCall(clientId, std::move(message));
    case MessageKind::Subscribe:
      return Subscribe(clientId, message);
    case MessageKind::Unsubscribe:
      return Unsubscribe(clientId, message.id);
    case MessageKind::Grant:
      return Grant(clientId, message.serviceTicket);
    case MessageKind::SelectAnswer:
    case MessageKind::Answer:
    case MessageKind::Publish:
      if (const auto channel = FindClient(clientId)) {
        channel->Close("received a message that only a client receives");
      }
      return;
  }
}

void HypervisorRouter::OnClientClosed(uint64_t clientId) {
  // Released after the lock.
  std::shared_ptr<MessageChannel> channel;
  std::lock_guard lock(mutex_);
  const auto client = clients_.find(clientId);
  if (client == clients_.end()) return;
  channel = std::move(client->second);
  clients_.erase(client);
  grantedClients_.erase(clientId);
  std::erase_if(subscriptions_, [&](const auto& entry) { return entry.first.first == clientId; });
  std::erase_if(calls_, [&](const auto& entry) { return entry.second.clientId == clientId; });
}

void HypervisorRouter::RequireGrants(TicketValidator validator) {
  std::lock_guard lock(mutex_);
  validator_ = std::move(validator);
}

void HypervisorRouter::Grant(uint64_t clientId, const std::string& ticket) {
  TicketValidator validator;
  {
    std::lock_guard lock(mutex_);
    validator = validator_;
  }
  if (!validator || !validator(ticket)) return;
  std::lock_guard lock(mutex_);
  if (clients_.contains(clientId)) grantedClients_.insert(clientId);
}

void HypervisorRouter::Select(uint64_t clientId, const Message& request) {
  std::optional<uint64_t> selected;
  bool granted = true;
  {
    std::lock_guard lock(mutex_);
    granted = !validator_ || grantedClients_.contains(clientId);
    const auto found = std::find_if(nodes_.begin(), nodes_.end(), [&](const auto& entry) {
      return entry.second->GetServerName() == request.serverName &&
             entry.second->GetIdentifier() == request.identifier;
    });
    if (found != nodes_.end()) selected = found->first;
  }
  if (!granted) {
    SendTo(clientId, ErrorAnswer(MessageKind::SelectAnswer, request.id, ErrorStatus::kNotGranted,
                                 "No valid service ticket was presented"));
    return;
  }
  if (!selected) {
    SendTo(clientId,
           ErrorAnswer(MessageKind::SelectAnswer, request.id, ErrorStatus::kNoMatchingNode,
                       "No " + request.serverName + " node serves \"" + request.identifier + "\""));
    return;
  }
  SendTo(clientId, {.kind = MessageKind::SelectAnswer,
                    .id = request.id,
                    .nodeId = *selected,
                    .succeeded = true});
}

void HypervisorRouter::RouteCall(uint64_t clientId, Message request) {
  std::shared_ptr<NodeServerCore> node;
  uint64_t routedCallId = 0;
  {
    std::lock_guard lock(mutex_);
    const auto found = nodes_.find(request.nodeId);
    if (found != nodes_.end()) {
      node = found->second;
      routedCallId = nextRoutedCallId_++;
      calls_.emplace(routedCallId, RoutedCall{clientId, request.id, request.nodeId});
    }
  }
  if (!node) {
    SendTo(clientId,
           ErrorAnswer(MessageKind::Answer, request.id, ErrorStatus::kNoSuchNode,
                       "No node " + std::to_string(request.nodeId) + " on this hypervisor"));
    return;
  }
  CallResponder responder(
      [router = weak_from_this(), routedCallId](bool succeeded, const VOZ::Parameters& record) {
        if (const auto self = router.lock()) self->Answer(routedCallId, succeeded, record);
      });
  node->Accept(CallRequest{std::move(request.function), request.version, std::move(request.record),
                           std::move(responder)});
}

void HypervisorRouter::Subscribe(uint64_t clientId, const Message& request) {
  std::lock_guard lock(mutex_);
  // Nothing can be published by a node that is not served.
  if (!nodes_.contains(request.nodeId)) return;
  subscriptions_.insert_or_assign({clientId, request.id},
                                  Subscription{request.nodeId, request.topic});
}

void HypervisorRouter::Unsubscribe(uint64_t clientId, uint64_t subscriptionId) {
  std::lock_guard lock(mutex_);
  subscriptions_.erase({clientId, subscriptionId});
}

void HypervisorRouter::Answer(uint64_t routedCallId, bool succeeded,
                              const VOZ::Parameters& record) {
  RoutedCall call{};
  {
    std::lock_guard lock(mutex_);
    auto routed = calls_.extract(routedCallId);
    // The client or the node has gone meanwhile.
    if (routed.empty()) return;
    call = routed.mapped();
  }
  SendTo(
      call.clientId,
      {.kind = MessageKind::Answer, .id = call.callId, .succeeded = succeeded, .record = record});
}

void HypervisorRouter::SendTo(uint64_t clientId, const Message& message) {
  if (const auto channel = FindClient(clientId)) channel->Send(message);
}

std::shared_ptr<MessageChannel> HypervisorRouter::FindClient(uint64_t clientId) const {
  std::lock_guard lock(mutex_);
  const auto client = clients_.find(clientId);
  return client != clients_.end() ? client->second : nullptr;
}

}  // namespace Vorn
