#include "ScriptedRenderingNode.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stop_token>

namespace TestSupport {

namespace {

std::string NextUrl() {
  static std::atomic<unsigned> next{1};
  return "wss://render-krostream-test-" + std::to_string(next++) + ".localhost/hypervisor";
}

// False when stopped first.
bool SleepUnlessStopped(std::stop_token stop, std::chrono::milliseconds delay) {
  std::mutex mutex;
  std::condition_variable_any never;
  std::unique_lock lock(mutex);
  never.wait_for(lock, stop, delay, [] { return false; });
  return !stop.stop_requested();
}

}  // namespace

ScriptedRenderingNode::ScriptedRenderingNode(const std::string& serverName,
                                             const std::string& identifier)
    : url_(NextUrl()), nodeServer_(serverName, identifier) {
  nodeServer_.SetFallbackHandler([this](const Vorn::CallRequest& request) { Serve(request); });
  hypervisor_.AddNode(nodeServer_);
  if (FAILED(hypervisor_.ListenInProcess(url_))) ADD_FAILURE() << "cannot listen at " << url_;
}

void ScriptedRenderingNode::Script(const std::string& function, Reply reply) {
  std::lock_guard lock(mutex_);
  replies_.insert_or_assign(function, std::move(reply));
}

void ScriptedRenderingNode::Publish(const std::string& topic, const VOZ::Parameters& record) {
  nodeServer_.Publish(topic, record);
}

bool ScriptedRenderingNode::WaitForCalls(size_t count, std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return callRecorded_.wait_for(lock, timeout, [&] { return calls_.size() >= count; });
}

std::vector<ScriptedRenderingNode::RecordedCall> ScriptedRenderingNode::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

void ScriptedRenderingNode::Serve(const Vorn::CallRequest& request) {
  Reply reply;
  uint64_t callId = 0;
  {
    std::lock_guard lock(mutex_);
    calls_.push_back({request.function, request.version, request.parameters});
    callId = calls_.size();
    if (const auto scripted = replies_.find(request.function); scripted != replies_.end()) {
      reply = scripted->second;
    }
  }
  callRecorded_.notify_all();
  if (reply.outcome == Reply::Outcome::Never) return;
  if (reply.outcome == Reply::Outcome::Success && reply.withCallId) {
    reply.record.WriteUint64("callId", callId);
  }
  auto answer = [responder = request.responder, reply, callId] {
    if (reply.outcome == Reply::Outcome::Error) {
      responder.Fail(reply.record);
    } else {
      responder.Succeed(reply.record);
    }
    if (reply.then) reply.then(callId);
  };
  if (reply.delay == std::chrono::milliseconds::zero()) {
    answer();
    return;
  }
  std::lock_guard lock(mutex_);
  delayedAnswers_.emplace_back([answer, delay = reply.delay](std::stop_token stop) {
    if (SleepUnlessStopped(stop, delay)) answer();
  });
}

}  // namespace TestSupport
