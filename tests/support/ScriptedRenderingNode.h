#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "VOZ/Parameters.h"
#include "Vorn/CallRequest.h"
#include "Vorn/Hypervisor.h"
#include "Vorn/NodeServer.h"

namespace TestSupport {

// A rendering node for tests, behind a hypervisor of its own that listens in-process at a URL
// unique to it. Records every call in arrival order, numbers calls 1, 2, 3... and answers as
// scripted per function; by default with success {"callId": that number}.
class ScriptedRenderingNode {
 public:
  struct RecordedCall {
    std::string function;
    int version = 0;
    VOZ::Parameters parameters;
  };

  // Default members let a test name only what it changes: {.outcome = Outcome::Never}.

  struct Reply {
    enum class Outcome { Success, Error, Never };
    Outcome outcome = Outcome::Success;
    // The success answer, with "callId" added unless withCallId is false; or the error record.
    VOZ::Parameters record{};
    bool withCallId = true;
    std::chrono::milliseconds delay{0};
    // Runs on the node's thread once the answer is sent, given the call's number: a test
    // renders and publishes a frame here, as the service does after a camera change.
    std::function<void(uint64_t callId)> then{};
  };

  ScriptedRenderingNode(const std::string& serverName, const std::string& identifier);
  ScriptedRenderingNode(const ScriptedRenderingNode&) = delete;
  ScriptedRenderingNode& operator=(const ScriptedRenderingNode&) = delete;

  const std::string& GetUrl() const { return url_; }
  Vorn::Hypervisor& GetHypervisor() { return hypervisor_; }
  Vorn::NodeServer& GetNodeServer() { return nodeServer_; }

  // Applies to the calls of function that arrive from now on.
  void Script(const std::string& function, Reply reply);
  void Publish(const std::string& topic, const VOZ::Parameters& record);

  // False when fewer than count calls were recorded within timeout.
  bool WaitForCalls(size_t count, std::chrono::milliseconds timeout = std::chrono::seconds(10));
  std::vector<RecordedCall> Calls() const;

 private:
  void Serve(const Vorn::CallRequest& request);

  mutable std::mutex mutex_;
  std::condition_variable callRecorded_;
  std::vector<RecordedCall> calls_;
  std::map<std::string, Reply> replies_;
  // Each waits out its delay, then answers unless the node is being destroyed.
  std::vector<std::jthread> delayedAnswers_;
  const std::string url_;
  Vorn::Hypervisor hypervisor_;
  // Goes first, so that no call is served while the rest goes.
  Vorn::NodeServer nodeServer_;
};

}  // namespace TestSupport
