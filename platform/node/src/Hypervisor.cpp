#include "Vorn/Hypervisor.h"

#include "Vorn/LoginService.h"

#include "HypervisorRouter.h"
#include "InProcessRegistry.h"
#include "IoThread.h"
#include "NodeServerCore.h"

namespace Vorn {

Hypervisor::Hypervisor()
    : io_(std::make_unique<IoThread>()),
      router_(std::make_shared<HypervisorRouter>(io_->GetExecutor())) {}

Hypervisor::~Hypervisor() {
  Close();
}

HRESULT Hypervisor::ListenInProcess(const std::string& url) {
  std::lock_guard lock(mutex_);
  if (!url_.empty()) return E_INVALID_STATE;
  if (url.empty() || !InProcessRegistry::Register(url, router_)) return E_INVALIDARG;
  url_ = url;
  return S_OK;
}

void Hypervisor::Close() {
  std::string url;
  {
    std::lock_guard lock(mutex_);
    url.swap(url_);
  }
  if (!url.empty()) InProcessRegistry::Unregister(url);
  router_->DropClients("the hypervisor closed");
}

void Hypervisor::AddNode(NodeServer& node) {
  const auto previous = node.core_->GetLink().first;
  if (previous == router_) return;
  if (previous) previous->RemoveNode(*node.core_);
  router_->AddNode(node.core_);
}

void Hypervisor::RemoveNode(NodeServer& node) {
  router_->RemoveNode(*node.core_);
}

void Hypervisor::DropClientConnections() {
  router_->DropClients("the hypervisor dropped the connection");
}

void Hypervisor::InjectRawToClients(std::vector<unsigned char> bytes) {
  router_->InjectRaw(bytes);
}

}  // namespace Vorn

namespace Vorn {

void Hypervisor::RequireGrants(const std::string& loginURL, const std::string& service) {
  router_->RequireGrants([loginURL, service](const std::string& ticket) {
    bool valid = false;
    LoginService::WithInProcess(loginURL, [&](LoginService& login) {
      valid = login.ValidateServiceTicket(ticket, service);
    });
    return valid;
  });
}

}  // namespace Vorn
