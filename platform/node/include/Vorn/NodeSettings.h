#pragma once

namespace Vorn {

// How a client node behaves towards the hypervisor; sent when the node selects.
class NodeSettings {
 public:
  // Whether the node may carry on without its connection to the hypervisor.
  void SetCanDisconnectFromHypervisor(bool canDisconnect) { canDisconnect_ = canDisconnect; }
  bool GetCanDisconnectFromHypervisor() const { return canDisconnect_; }

 private:
  bool canDisconnect_ = false;
};

}  // namespace Vorn
