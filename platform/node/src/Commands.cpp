#include "VOZ/Commands.h"

#include <exception>

namespace VOZ {

Commands::Commands(Vorn::Context& context, const std::string& name)
    : context_(context), name_(name) {}

Commands::~Commands() = default;

Node* Commands::CreateNode(const std::string& poolName, const Vorn::NodeSettings& settings) {
  std::unique_ptr<Node> node;
  try {
    node.reset(new Node(context_, poolName, settings));
  } catch (const std::exception&) {
    return nullptr;
  }
  std::lock_guard lock(mutex_);
  return nodes_.emplace_back(std::move(node)).get();
}

}  // namespace VOZ
