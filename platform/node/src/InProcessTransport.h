#pragma once

#include <boost/asio/any_io_executor.hpp>

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "Transport.h"

namespace Vorn {

// One end of a connection inside the process. The ends exchange exactly the bytes a network
// transport carries; what one end sends arrives in order on the other end's executor, and the
// other end learns of a close after everything sent before it.
class InProcessTransport final : public Transport,
                                 public std::enable_shared_from_this<InProcessTransport> {
 public:
  using Executor = boost::asio::any_io_executor;

  // Two open ends, each running its handlers on its own executor. The owner of an end closes it
  // before its executor goes away.
  static std::pair<std::shared_ptr<InProcessTransport>, std::shared_ptr<InProcessTransport>>
  CreatePair(Executor first, Executor second);

  // Tells the peer, if the end is still open.
  ~InProcessTransport() override;

  HRESULT Send(std::vector<unsigned char> bytes) override;
  void Close(const std::string& reason) override;

 private:
  explicit InProcessTransport(Executor executor);

  using Event = std::function<void(InProcessTransport&)>;

  // Queues event for this end's executor unless this end is closed. Under queueMutex_, so nothing
  // is queued once Close has returned, when the executor may be gone. Events wait in pending_
  // and one posted drain runs all of them: a busy peer is not woken once per message.
  bool Enqueue(Event event);
  void Drain();
  bool CloseHere();
  void TellPeerClosed(const std::string& reason);

  const Executor executor_;
  std::weak_ptr<InProcessTransport> peer_;
  std::mutex queueMutex_;
  std::vector<Event> pending_;
};

}  // namespace Vorn
