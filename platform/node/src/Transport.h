#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "KROResult.h"

namespace Vorn {

// The byte layer of a connection: each encoded message goes through whole and in order. Layers
// stack as in libdatachannel: the layer above owns its transport, and a network transport will own
// the layers below it.
class Transport {
 public:
  enum class State { Open, Closed };
  using Bytes = std::shared_ptr<const std::vector<unsigned char>>;
  using BytesHandler = std::function<void(Bytes bytes)>;
  using ClosedHandler = std::function<void(const std::string& reason)>;

  Transport() = default;
  Transport(const Transport&) = delete;
  Transport& operator=(const Transport&) = delete;
  virtual ~Transport() = default;

  // Both handlers run on the transport's thread; onClosed runs once, whoever closed. Set them
  // before the peer can send. A close that came before runs onClosed at once, on this thread.
  void Start(BytesHandler onBytes, ClosedHandler onClosed);
  // Negative once closed.
  virtual HRESULT Send(std::vector<unsigned char> bytes) = 0;
  // Ends both directions; the peer hears reason. Closing again does nothing.
  virtual void Close(const std::string& reason) = 0;
  State GetState() const;

 protected:
  // Both run on the transport's thread. Bytes arriving once closed are dropped.
  void DeliverBytes(const Bytes& bytes);
  void DeliverClosed(const std::string& reason);
  // The only place where the state changes; false when it already was state.
  bool ChangeState(State state);

 private:
  mutable std::mutex mutex_;
  State state_ = State::Open;
  BytesHandler onBytes_;
  ClosedHandler onClosed_;
  std::optional<std::string> closedBeforeStart_;
};

}  // namespace Vorn
