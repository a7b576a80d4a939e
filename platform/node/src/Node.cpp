#include "VOZ/Node.h"

#include <utility>

#include "NodeCore.h"

namespace VOZ {

Node::Node(Vorn::Context& context, const std::string& poolName, const Vorn::NodeSettings& settings)
    : core_(std::make_shared<NodeCore>(context, poolName, settings)) {}

Node::~Node() {
  Stop();
}

HRESULT Node::Select(const std::string& serverName, Vorn::NodeId& nodeId,
                     const Vorn::Criterion::Identifier& criterion) {
  const auto core = GetCore();
  return core ? core->Select(serverName, criterion.GetValue(), nodeId) : E_INVALID_STATE;
}

Parameters Node::CreateParameters() const {
  return Parameters();
}

HRESULT Node::Call(const Vorn::NodeId& target, const std::string& function, int version,
                   const Parameters& parameters, const Callbacks& callbacks, bool wait) {
  if (wait) return CallAndWait(target, function, version, parameters, callbacks);
  const auto core = GetCore();
  return core ? core->Call(target, function, version, parameters, callbacks) : E_INVALID_STATE;
}

HRESULT Node::CallAndWait(const Vorn::NodeId& target, const std::string& function, int version,
                          const Parameters& parameters, const Callbacks& callbacks) {
  const auto core = GetCore();
  return core ? core->CallAndWait(target, function, version, parameters, callbacks)
              : E_INVALID_STATE;
}

HRESULT Node::Subscribe(const Vorn::NodeId& target, const std::string& topic,
                        SubscriptionHandler handler, int64_t& subscriptionId) {
  const auto core = GetCore();
  return core ? core->Subscribe(target, topic, std::move(handler), subscriptionId)
              : E_INVALID_STATE;
}

HRESULT Node::Unsubscribe(int64_t subscriptionId) {
  const auto core = GetCore();
  return core ? core->Unsubscribe(subscriptionId) : E_INVALID_STATE;
}

// The core goes with its thread and routes; only this shell stays until the Commands dies.
void Node::Stop() {
  std::shared_ptr<NodeCore> core;
  {
    std::lock_guard lock(mutex_);
    core.swap(core_);
  }
  if (core) core->Stop();
}

std::shared_ptr<NodeCore> Node::GetCore() const {
  std::lock_guard lock(mutex_);
  return core_;
}

}  // namespace VOZ
