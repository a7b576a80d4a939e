#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "KROResult.h"
#include "VOZ/Callbacks.h"
#include "VOZ/Parameters.h"
#include "Vorn/Criterion.h"
#include "Vorn/NodeId.h"
#include "Vorn/NodeSettings.h"

namespace Vorn {
class Context;
}

namespace VOZ {

class NodeCore;

// A client node: selects a rendering node through the hypervisor, calls its functions and
// subscribes to its topics. Made and owned by Commands.
//
// Threads: subscription handlers and the callbacks of non-blocking calls run on the node's
// delivery thread, one at a time, in arrival order. The callbacks of a blocking call run on the
// waiting thread before the call returns, never behind the delivery thread.
//
// Stop ends the node for good. Pending non-blocking calls are dropped without a callback. Once Stop
// returns, no handler or callback of the node runs and nothing they captured is touched, with one
// exception: a blocking call that Stop ended runs its OnError on its own waiting thread. Called
// from another thread, Stop waits for a handler or callback running on the delivery thread (so it
// must not hold a lock that one waits for); called from one, it returns at once.
class Node {
 public:
  using SubscriptionHandler = std::function<void(const Parameters& record)>;

  Node(const Node&) = delete;
  Node& operator=(const Node&) = delete;
  ~Node();

  // Blocks until the hypervisor answers, within the context's call timeout. E_FAIL when no node
  // matches, E_ABORT when no answer came in time, E_HOST_UNREACHABLE when nothing listens at the
  // context's address, E_INVALID_STATE once stopped.
  HRESULT Select(const std::string& serverName, Vorn::NodeId& nodeId,
                 const Vorn::Criterion::Identifier& criterion);
  Parameters CreateParameters() const;
  // With wait, the same as CallAndWait. Without, returns once the call is handed to the transport;
  // exactly one of the callbacks runs later, on the delivery thread: OnError with status
  // "ConnectionLost" if the connection ends first. Negative when the call could not be sent, and
  // then no callback runs.
  HRESULT Call(const Vorn::NodeId& target, const std::string& function, int version,
               const Parameters& parameters, const Callbacks& callbacks, bool wait);
  // Waits for the answer and runs its callback on this thread. Returns what OnSuccess returns, or
  // E_FAIL after an error answer. When the wait ends without an answer, OnError gets a record whose
  // "status" says why: "Timeout" (within the context's call timeout; returns E_ABORT), "Stopped" or
  // "ConnectionLost" (E_FAIL). Negative without a callback when the call could not be sent.
  HRESULT CallAndWait(const Vorn::NodeId& target, const std::string& function, int version,
                      const Parameters& parameters, const Callbacks& callbacks);
  // handler runs on the delivery thread for each record that target publishes on topic, until
  // Unsubscribe, Stop or the loss of the connection. Returns once the request is sent: records
  // published before the hypervisor has it are not delivered; a call answered after this returned
  // proves that it has.
  HRESULT Subscribe(const Vorn::NodeId& target, const std::string& topic,
                    SubscriptionHandler handler, int64_t& subscriptionId);
  // No call of the handler starts once this returns; one already running finishes. S_FALSE when
  // the subscription had already ended.
  HRESULT Unsubscribe(int64_t subscriptionId);
  void Stop();

 private:
  friend class Commands;
  Node(Vorn::Context& context, const std::string& poolName, const Vorn::NodeSettings& settings);

  // Null once stopped.
  std::shared_ptr<NodeCore> GetCore() const;

  mutable std::mutex mutex_;
  std::shared_ptr<NodeCore> core_;
};

}  // namespace VOZ
