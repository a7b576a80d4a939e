#pragma once

#include <string>
#include <utility>

namespace Vorn {

// The connection context of a client of the streaming service: its address, and whether
// it speaks to the service through a hypervisor.
class Context {
 public:
  Context(std::string url, bool throughHypervisor)
      : _Url(std::move(url)), _ThroughHypervisor(throughHypervisor) {}
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  const std::string& GetUrl() const { return _Url; }
  bool IsThroughHypervisor() const { return _ThroughHypervisor; }

 private:
  const std::string _Url;
  const bool _ThroughHypervisor;
};

}  // namespace Vorn
