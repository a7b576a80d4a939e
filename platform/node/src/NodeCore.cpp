#include "NodeCore.h"

#include <utility>

#include "Vorn/ErrorRecord.h"

namespace VOZ {

namespace {

using Vorn::HypervisorConnection;
using Vorn::Message;
using Vorn::MessageKind;

// Leads what the connection receives for one id of a node to that node, while it lives.
class NodeRoute final : public HypervisorConnection::Receiver {
 public:
  NodeRoute(std::weak_ptr<NodeCore> node, uint64_t id) : node_(std::move(node)), id_(id) {}

  void OnMessage(Message message) override {
    if (const auto node = node_.lock()) node->OnRouted(id_, std::move(message));
  }
  void OnConnectionLost(const std::string& errorMessage) override {
    if (const auto node = node_.lock()) node->OnRouteLost(id_, errorMessage);
  }

 private:
  const std::weak_ptr<NodeCore> node_;
  const uint64_t id_;
};

}  // namespace

NodeCore::NodeCore(Vorn::Context& context, std::string poolName, const Vorn::NodeSettings& settings)
    : context_(context), poolName_(std::move(poolName)), settings_(settings) {}

HRESULT NodeCore::Select(const std::string& serverName, const std::string& identifier,
                         Vorn::NodeId& nodeId) {
  const Message request{
      .kind = MessageKind::Select,
      .id = context_.NewMessageId(),
      .serverName = serverName,
      .identifier = identifier,
      .poolName = poolName_,
      .canDisconnectFromHypervisor = settings_.GetCanDisconnectFromHypervisor(),
  };
  if (const HRESULT granted = PresentGrant(); FAILED(granted)) return granted;
  std::optional<Message> answer;
  if (const HRESULT asked = Ask(request, answer); FAILED(asked)) return asked;
  if (!answer->succeeded) return E_FAIL;
  nodeId = Vorn::NodeId(answer->nodeId);
  return S_OK;
}

// The ticket travels on the connection the selection then takes, ahead of it.
HRESULT NodeCore::PresentGrant() {
  if (!context_.NeedsGrant()) return S_OK;
  std::string ticket;
  if (const HRESULT obtained = context_.ObtainGrant(ticket); FAILED(obtained)) return obtained;
  std::shared_ptr<HypervisorConnection> connection;
  if (const HRESULT connected = Connect(connection); FAILED(connected)) return connected;
  return connection->Send({.kind = MessageKind::Grant, .serviceTicket = std::move(ticket)});
}

HRESULT NodeCore::Call(const Vorn::NodeId& target, const std::string& function, int version,
                       const Parameters& parameters, const Callbacks& callbacks) {
  if (target.IsEmpty()) return E_INVALIDARG;
  return SendRouted(&NodeCore::calls_, NewCall(target, function, version, parameters), callbacks);
}

HRESULT NodeCore::CallAndWait(const Vorn::NodeId& target, const std::string& function, int version,
                              const Parameters& parameters, const Callbacks& callbacks) {
  if (target.IsEmpty()) return E_INVALIDARG;
  std::optional<Message> answer;
  const HRESULT asked = Ask(NewCall(target, function, version, parameters), answer);
  if (!answer) return asked;
  if (SUCCEEDED(asked) && answer->succeeded) return callbacks.Success(answer->record);
  callbacks.Error(answer->record);
  return FAILED(asked) ? asked : E_FAIL;
}

HRESULT NodeCore::Subscribe(const Vorn::NodeId& target, const std::string& topic,
                            Node::SubscriptionHandler handler, int64_t& subscriptionId) {
  if (target.IsEmpty() || !handler) return E_INVALIDARG;
  const Message request{.kind = MessageKind::Subscribe,
                        .id = context_.NewMessageId(),
                        .nodeId = target.GetValue(),
                        .topic = topic};
  const HRESULT sent =
      SendRouted(&NodeCore::subscriptions_, request,
                 std::make_shared<const Node::SubscriptionHandler>(std::move(handler)));
  if (SUCCEEDED(sent)) subscriptionId = static_cast<int64_t>(request.id);
  return sent;
}

HRESULT NodeCore::Unsubscribe(int64_t subscriptionId) {
  const auto id = static_cast<uint64_t>(subscriptionId);
  const std::optional<Sent<SharedHandler>> subscription = Take(&NodeCore::subscriptions_, id);
  if (!subscription) return S_FALSE;
  EndSubscription(id, subscription->connection);
  return S_OK;
}

void NodeCore::Stop() {
  SentTable<Callbacks> calls;
  SentTable<SharedHandler> subscriptions;
  std::map<uint64_t, std::shared_ptr<PendingAnswer>> waits;
  {
    std::lock_guard lock(mutex_);
    if (stopped_) return;
    stopped_ = true;
    calls.swap(calls_);
    subscriptions.swap(subscriptions_);
    waits.swap(waits_);
  }
  // Waits end first: a handler that Stop waits for may itself be waiting for an answer.
  for (const auto& [id, wait] : waits) {
    wait->Fail(Vorn::ErrorStatus::kStopped, "The node was stopped");
  }
  delivery_.Stop();
  for (const auto& [id, call] : calls) {
    if (const auto connection = call.connection.lock()) connection->Forget(id);
  }
  for (const auto& [id, subscription] : subscriptions) EndSubscription(id, subscription.connection);
}

void NodeCore::OnRouted(uint64_t id, Message message) {
  std::lock_guard lock(mutex_);
  if (message.kind == MessageKind::Publish) {
    if (!subscriptions_.contains(id)) return;
    delivery_.Post([node = weak_from_this(), id, record = std::move(message.record)] {
      if (const auto self = node.lock()) self->RunHandler(id, record);
    });
    return;
  }
  auto call = calls_.extract(id);
  if (call.empty()) return;
  delivery_.Post([callbacks = std::move(call.mapped().value), answer = std::move(message)] {
    if (answer.succeeded) {
      callbacks.Success(answer.record);
    } else {
      callbacks.Error(answer.record);
    }
  });
}

void NodeCore::OnRouteLost(uint64_t id, const std::string& errorMessage) {
  // An ended subscription's handler is released after the lock.
  SentTable<SharedHandler>::node_type subscription;
  std::lock_guard lock(mutex_);
  auto call = calls_.extract(id);
  if (call.empty()) {
    subscription = subscriptions_.extract(id);
    return;
  }
  delivery_.Post([callbacks = std::move(call.mapped().value),
                  error = Vorn::MakeErrorRecord(Vorn::ErrorStatus::kConnectionLost, errorMessage)] {
    callbacks.Error(error);
  });
}

HRESULT NodeCore::Connect(std::shared_ptr<HypervisorConnection>& connection) {
  {
    std::lock_guard lock(mutex_);
    if (stopped_) return E_INVALID_STATE;
  }
  return context_.Connect(connection);
}

Message NodeCore::NewCall(const Vorn::NodeId& target, const std::string& function, int version,
                          const Parameters& parameters) {
  return {.kind = MessageKind::Call,
          .id = context_.NewMessageId(),
          .nodeId = target.GetValue(),
          .function = function,
          .version = version,
          .record = parameters};
}

template <typename T>
HRESULT NodeCore::SendRouted(SentTable<T> NodeCore::*table, const Message& request, T value) {
  std::shared_ptr<HypervisorConnection> connection;
  if (const HRESULT connected = Connect(connection); FAILED(connected)) return connected;
  {
    std::lock_guard lock(mutex_);
    if (stopped_) return E_INVALID_STATE;
    (this->*table).emplace(request.id, Sent<T>{std::move(value), connection});
  }
  const HRESULT sent =
      connection->Request(request, std::make_shared<NodeRoute>(weak_from_this(), request.id));
  if (FAILED(sent)) Take(table, request.id);
  return sent;
}

template <typename T>
std::optional<NodeCore::Sent<T>> NodeCore::Take(SentTable<T> NodeCore::*table, uint64_t id) {
  std::lock_guard lock(mutex_);
  auto entry = (this->*table).extract(id);
  if (entry.empty()) return std::nullopt;
  return std::move(entry.mapped());
}

HRESULT NodeCore::Ask(const Message& request, std::optional<Message>& answer) {
  std::shared_ptr<HypervisorConnection> connection;
  if (const HRESULT connected = Connect(connection); FAILED(connected)) return connected;
  const auto pending = std::make_shared<PendingAnswer>();
  {
    std::lock_guard lock(mutex_);
    if (stopped_) return E_INVALID_STATE;
    waits_.emplace(request.id, pending);
  }
  if (const HRESULT sent = connection->Request(request, pending); FAILED(sent)) {
    std::lock_guard lock(mutex_);
    waits_.erase(request.id);
    return sent;
  }
  Message received;
  const HRESULT waited = pending->Wait(context_.GetCallTimeout(), received);
  connection->Forget(request.id);
  {
    std::lock_guard lock(mutex_);
    waits_.erase(request.id);
  }
  answer = std::move(received);
  return waited;
}

void NodeCore::RunHandler(uint64_t subscriptionId, const Parameters& record) {
  SharedHandler handler;
  {
    std::lock_guard lock(mutex_);
    const auto subscription = subscriptions_.find(subscriptionId);
    if (subscription == subscriptions_.end()) return;
    handler = subscription->second.value;
  }
  (*handler)(record);
}

void NodeCore::EndSubscription(uint64_t id, const std::weak_ptr<HypervisorConnection>& connection) {
  const auto open = connection.lock();
  if (!open || !open->Forget(id)) return;
  open->Send({.kind = MessageKind::Unsubscribe, .id = id});
}

}  // namespace VOZ
