#include "Vorn/Context.h"

#include "HypervisorConnection.h"
#include "InProcessRegistry.h"
#include "IoThread.h"

namespace Vorn {

Context::Context(const std::string& url, bool needsGrant, GrantingHandler handler)
    : url_(url),
      needsGrant_(needsGrant),
      grantingHandler_(std::move(handler)),
      io_(std::make_unique<IoThread>()) {}

// The connection closes while the I/O thread still runs, since its ends post there.
Context::~Context() {
  std::shared_ptr<HypervisorConnection> connection;
  {
    std::lock_guard lock(mutex_);
    connection.swap(connection_);
  }
  if (connection) connection->Close("the context was destroyed");
}

const std::string& Context::GetUrl() const {
  return url_;
}

bool Context::NeedsGrant() const {
  return needsGrant_;
}

void Context::SetCallTimeout(std::chrono::milliseconds timeout) {
  callTimeout_ = timeout;
}

std::chrono::milliseconds Context::GetCallTimeout() const {
  return callTimeout_;
}

HRESULT Context::Connect(std::shared_ptr<HypervisorConnection>& connection) {
  std::lock_guard lock(mutex_);
  if (!connection_ || !connection_->IsOpen()) {
    auto transport = InProcessRegistry::Connect(url_, io_->GetExecutor());
    if (!transport) return E_HOST_UNREACHABLE;
    connection_ = HypervisorConnection::Open(std::move(transport), url_);
  }
  connection = connection_;
  return S_OK;
}

HRESULT Context::ObtainGrant(std::string& ticket) const {
  if (!grantingHandler_) return E_ACCESSDENIED;
  std::string service;
  return grantingHandler_(Granting(url_), service, ticket);
}

uint64_t Context::NewMessageId() {
  return nextMessageId_++;
}

}  // namespace Vorn
