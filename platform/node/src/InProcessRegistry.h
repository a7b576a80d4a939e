#pragma once

#include <boost/asio/any_io_executor.hpp>

#include <memory>
#include <string>

#include "Transport.h"

namespace Vorn {

// What listens at an in-process address: a hypervisor, found by the exact URL a context is given,
// as it will later be found over the network.
class InProcessListener {
 public:
  virtual ~InProcessListener() = default;
  // Where the listener's ends of its connections run.
  virtual boost::asio::any_io_executor GetExecutor() = 0;
  virtual void Accept(std::shared_ptr<Transport> transport) = 0;
};

// The process-wide table of in-process addresses.
namespace InProcessRegistry {

// False when url is taken.
bool Register(const std::string& url, std::shared_ptr<InProcessListener> listener);
// Once this returns, the listener accepts nothing more.
void Unregister(const std::string& url);
// Null when nothing listens at url. The listener has accepted the other end before this returns;
// the caller starts the returned end before it sends anything.
std::shared_ptr<Transport> Connect(const std::string& url, boost::asio::any_io_executor executor);

}  // namespace InProcessRegistry

}  // namespace Vorn
