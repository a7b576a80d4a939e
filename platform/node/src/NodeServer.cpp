#include "Vorn/NodeServer.h"

#include <utility>

#include "HypervisorRouter.h"
#include "NodeServerCore.h"

namespace Vorn {

NodeServer::NodeServer(std::string serverName, std::string identifier)
    : core_(std::make_shared<NodeServerCore>(std::move(serverName), std::move(identifier))) {}

NodeServer::~NodeServer() {
  if (const auto router = core_->GetLink().first) router->RemoveNode(*core_);
  core_->Stop();
}

void NodeServer::RegisterFunction(const std::string& function, int version, Handler handler) {
  core_->RegisterFunction(function, version, std::move(handler));
}

void NodeServer::SetFallbackHandler(Handler handler) {
  core_->SetFallbackHandler(std::move(handler));
}

void NodeServer::Publish(const std::string& topic, const VOZ::Parameters& record) {
  core_->Publish(topic, record);
}

size_t NodeServer::GetSubscriberCount(const std::string& topic) const {
  return core_->GetSubscriberCount(topic);
}

const std::string& NodeServer::GetServerName() const {
  return core_->GetServerName();
}

const std::string& NodeServer::GetIdentifier() const {
  return core_->GetIdentifier();
}

}  // namespace Vorn
