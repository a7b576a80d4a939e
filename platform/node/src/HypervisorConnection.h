#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "KROResult.h"
#include "MessageChannel.h"
#include "Transport.h"
#include "Vorn/Message.h"

namespace Vorn {

// A client's connection to the hypervisor: sends requests and routes what comes back, by id, to
// whoever waits for it. When the connection ends, for whatever reason, every route still waiting
// hears why, and the connection stays closed: the context opens a new one.
class HypervisorConnection : public std::enable_shared_from_this<HypervisorConnection> {
 public:
  // Hears what arrives for one id, on the I/O thread.
  class Receiver {
   public:
    virtual ~Receiver() = default;
    virtual void OnMessage(Message message) = 0;
    // The connection ended while the route was still there.
    virtual void OnConnectionLost(const std::string& errorMessage) = 0;
  };

  // Starts transport, which nothing has sent on yet.
  static std::shared_ptr<HypervisorConnection> Open(std::shared_ptr<Transport> transport,
                                                    std::string url);

  bool IsOpen() const;
  // Routes what arrives for request.id to receiver, then sends request. The answer to a select or
  // a call ends its route; a subscription's route lasts until it is forgotten. Negative when the
  // request could not be sent, and then receiver hears nothing.
  HRESULT Request(const Message& request, std::shared_ptr<Receiver> receiver);
  // A message that expects nothing back.
  HRESULT Send(const Message& message);
  // True when the route was there; whatever arrives for id later is dropped.
  bool Forget(uint64_t id);
  void Close(const std::string& reason);

 private:
  struct Route {
    MessageKind request;
    std::shared_ptr<Receiver> receiver;
  };

  HypervisorConnection(std::shared_ptr<Transport> transport, std::string url);
  void Dispatch(Message message);

  const std::shared_ptr<MessageChannel> channel_;
  const std::string url_;
  mutable std::mutex mutex_;
  bool open_ = true;
  // Ordered by id, which is the order of the requests, so that a lost connection reports to them
  // in that order.
  std::map<uint64_t, Route> routes_;
};

}  // namespace Vorn
