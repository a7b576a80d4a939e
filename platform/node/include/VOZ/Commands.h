#pragma once

#include <string>
#include <utility>

namespace Vorn {
class Context;
}

namespace VOZ {

// Creates the nodes of one client on a context.
class Commands {
 public:
  Commands(Vorn::Context& context, std::string name) : _Context(context), _Name(std::move(name)) {}
  Commands(const Commands&) = delete;
  Commands& operator=(const Commands&) = delete;

  Vorn::Context& GetContext() const { return _Context; }
  const std::string& GetName() const { return _Name; }

 private:
  Vorn::Context& _Context;
  const std::string _Name;
};

}  // namespace VOZ
