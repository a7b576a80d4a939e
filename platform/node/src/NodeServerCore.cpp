#include "NodeServerCore.h"

#include "HypervisorRouter.h"
#include "Vorn/ErrorRecord.h"

namespace Vorn {

NodeServerCore::NodeServerCore(std::string serverName, std::string identifier)
    : serverName_(std::move(serverName)), identifier_(std::move(identifier)) {}

void NodeServerCore::RegisterFunction(const std::string& function, int version, Handler handler) {
  auto shared = std::make_shared<const Handler>(std::move(handler));
  std::lock_guard lock(mutex_);
  functions_.insert_or_assign({function, version}, std::move(shared));
}

void NodeServerCore::SetFallbackHandler(Handler handler) {
  auto shared = std::make_shared<const Handler>(std::move(handler));
  std::lock_guard lock(mutex_);
  fallback_ = std::move(shared);
}

void NodeServerCore::Accept(CallRequest request) {
  worker_.Post([node = weak_from_this(), request = std::move(request)] {
    if (const auto self = node.lock()) self->Serve(request);
  });
}

void NodeServerCore::Publish(const std::string& topic, const VOZ::Parameters& record) {
  const auto [router, nodeId] = GetLink();
  if (router) router->Publish(nodeId, topic, record);
}

size_t NodeServerCore::GetSubscriberCount(const std::string& topic) const {
  const auto [router, nodeId] = GetLink();
  return router ? router->CountSubscribers(nodeId, topic) : 0;
}

void NodeServerCore::AttachTo(std::weak_ptr<HypervisorRouter> router, uint64_t nodeId) {
  std::lock_guard lock(mutex_);
  router_ = std::move(router);
  nodeId_ = nodeId;
}

void NodeServerCore::Detach() {
  AttachTo({}, 0);
}

std::pair<std::shared_ptr<HypervisorRouter>, uint64_t> NodeServerCore::GetLink() const {
  std::lock_guard lock(mutex_);
  return {router_.lock(), nodeId_};
}

void NodeServerCore::Stop() {
  worker_.Stop();
}

void NodeServerCore::Serve(const CallRequest& request) {
  std::shared_ptr<const Handler> handler;
  {
    std::lock_guard lock(mutex_);
    const auto found = functions_.find({request.function, request.version});
    handler = found != functions_.end() ? found->second : fallback_;
  }
  if (handler) {
    (*handler)(request);
    return;
  }
  request.responder.Fail(MakeErrorRecord(
      ErrorStatus::kUnknownFunction, "No function \"" + request.function + "\" version " +
                                         std::to_string(request.version) + " on " + serverName_ +
                                         " node \"" + identifier_ + "\""));
}

}  // namespace Vorn
