#include "HypervisorConnection.h"

#include <optional>
#include <utility>

namespace Vorn {

namespace {

// The request whose route a message arriving at a client follows; none for messages that only a
// hypervisor or a node receives.
std::optional<MessageKind> RequestAnsweredBy(MessageKind kind) {
  switch (kind) {
    case MessageKind::SelectAnswer:
      return MessageKind::Select;
    case MessageKind::Answer:
      return MessageKind::Call;
    case MessageKind::Publish:
      return MessageKind::Subscribe;
    default:
      return std::nullopt;
  }
}

}  // namespace

std::shared_ptr<HypervisorConnection> HypervisorConnection::Open(
    std::shared_ptr<Transport> transport, std::string url) {
  std::shared_ptr<HypervisorConnection> connection(
      new HypervisorConnection(std::move(transport), std::move(url)));
  const std::weak_ptr<HypervisorConnection> weak = connection;
  connection->channel_->Start(
      [weak](Message message) {
        if (const auto self = weak.lock()) self->Dispatch(std::move(message));
      },
      [weak](const std::string& reason) {
        if (const auto self = weak.lock()) self->Close(reason);
      });
  return connection;
}

HypervisorConnection::HypervisorConnection(std::shared_ptr<Transport> transport, std::string url)
    : channel_(std::make_shared<MessageChannel>(std::move(transport))), url_(std::move(url)) {}

bool HypervisorConnection::IsOpen() const {
  std::lock_guard lock(mutex_);
  return open_;
}

HRESULT HypervisorConnection::Request(const Message& request, std::shared_ptr<Receiver> receiver) {
  {
    std::lock_guard lock(mutex_);
    if (!open_) return E_FAIL;
    routes_[request.id] = Route{request.kind, std::move(receiver)};
  }
  const HRESULT sent = channel_->Send(request);
  // When the route is gone already, the connection was lost meanwhile and told the receiver.
  if (FAILED(sent) && Forget(request.id)) return sent;
  return S_OK;
}

HRESULT HypervisorConnection::Send(const Message& message) {
  return channel_->Send(message);
}

bool HypervisorConnection::Forget(uint64_t id) {
  std::lock_guard lock(mutex_);
  return routes_.erase(id) > 0;
}

void HypervisorConnection::Close(const std::string& reason) {
  std::map<uint64_t, Route> routes;
  {
    std::lock_guard lock(mutex_);
    if (!open_) return;
    open_ = false;
    routes.swap(routes_);
  }
  channel_->Close(reason);
  const std::string errorMessage = "Lost the connection to " + url_ + ": " + reason;
  for (const auto& [id, route] : routes) route.receiver->OnConnectionLost(errorMessage);
}

void HypervisorConnection::Dispatch(Message message) {
  const std::optional<MessageKind> request = RequestAnsweredBy(message.kind);
  if (!request) {
    channel_->Close("received a message that a client never receives");
    return;
  }
  std::shared_ptr<Receiver> receiver;
  {
    std::lock_guard lock(mutex_);
    const auto route = routes_.find(message.id);
    // Nobody waits any more: a late answer, or a subscription already ended.
    if (route == routes_.end()) return;
    if (route->second.request == *request) {
      receiver = route->second.receiver;
      if (message.kind != MessageKind::Publish) routes_.erase(route);
    }
  }
  if (!receiver) {
    channel_->Close("received an answer of another kind than its request");
    return;
  }
  receiver->OnMessage(std::move(message));
}

}  // namespace Vorn
