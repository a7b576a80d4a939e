#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "VOZ/Node.h"
#include "Vorn/NodeSettings.h"

namespace Vorn {
class Context;
}

namespace VOZ {

// Makes the nodes of one client on a context and owns them: they are stopped and destroyed with
// it.
class Commands {
 public:
  Commands(Vorn::Context& context, const std::string& name);
  Commands(const Commands&) = delete;
  Commands& operator=(const Commands&) = delete;
  ~Commands();

  // Null when the node's delivery thread cannot be started.
  Node* CreateNode(const std::string& poolName, const Vorn::NodeSettings& settings);

  Vorn::Context& GetContext() const { return context_; }
  const std::string& GetName() const { return name_; }

 private:
  Vorn::Context& context_;
  const std::string name_;
  std::mutex mutex_;
  std::vector<std::unique_ptr<Node>> nodes_;
};

}  // namespace VOZ
