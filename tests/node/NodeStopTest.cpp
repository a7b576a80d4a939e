#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>

#include "ConnectedNodeTest.h"
#include "ReceivedLog.h"
#include "Vorn/CallRequest.h"

namespace {

class NodeStopTest : public ConnectedNodeTest {
 protected:
  // Publishes on topic and returns once a node subscribed after all others has received it, so
  // that every other subscriber of the context has been offered it too.
  void PublishAndSettle(const std::string& topic) {
    VOZ::Node* witness = NewSelectedNode();
    ASSERT_NE(witness, nullptr);
    const ReceivedLog witnessed;
    int64_t subscriptionId = 0;
    ASSERT_EQ(witness->Subscribe(target_, topic, witnessed.MakeHandler(), subscriptionId), S_OK);
    RoundTrip(*witness);
    service_.Publish(topic, VOZ::Parameters());
    ASSERT_TRUE(witnessed.WaitFor(1));
  }
};

TEST_F(NodeStopTest, NothingTheNodeRunsTouchesItsCapturesOnceStopReturns) {
  // Freed right after Stop: AddressSanitizer reports any later touch.
  auto touches = std::make_unique<std::atomic<int>>(0);
  std::atomic<int>* const counter = touches.get();
  std::promise<void> handlerStarted;
  int64_t subscriptionId = 0;
  ASSERT_EQ(node_->Subscribe(
                target_, "StreamingEvent",
                [counter, &handlerStarted](const VOZ::Parameters&) {
                  if (counter->fetch_add(1) == 0) handlerStarted.set_value();
                  std::this_thread::sleep_for(std::chrono::milliseconds(100));
                  counter->fetch_add(1);
                },
                subscriptionId),
            S_OK);
  std::promise<Vorn::CallResponder> held;
  service_.GetNodeServer().RegisterFunction(
      "getImage", 1,
      [&held](const Vorn::CallRequest& request) { held.set_value(request.responder); });
  const VOZ::Callbacks::Handler touch = [counter](const VOZ::Parameters&) {
    counter->fetch_add(1);
    return S_OK;
  };
  const VOZ::Callbacks touching(touch, touch);
  ASSERT_EQ(node_->Call(target_, "getImage", 1, node_->CreateParameters(), touching, false), S_OK);
  const Vorn::CallResponder responder = held.get_future().get();
  service_.Publish("StreamingEvent", VOZ::Parameters());
  ASSERT_EQ(handlerStarted.get_future().wait_for(std::chrono::seconds(10)),
            std::future_status::ready);

  node_->Stop();

  EXPECT_EQ(counter->load(), 2);
  touches.reset();
  EXPECT_EQ(responder.Succeed(VOZ::Parameters()), S_OK);
  PublishAndSettle("StreamingEvent");
}

TEST_F(NodeStopTest, StopFromInsideAHandlerEndsTheNodeWithoutWaitingForItself) {
  std::promise<HRESULT> callAfterStop;
  std::atomic<int> calls{0};
  int64_t subscriptionId = 0;
  VOZ::Node* const node = node_;
  const Vorn::NodeId target = target_;
  ASSERT_EQ(node_->Subscribe(
                target_, "StreamingEvent",
                [&, node, target](const VOZ::Parameters&) {
                  if (calls++ > 0) return;
                  node->Stop();
                  node->Stop();
                  callAfterStop.set_value(node->Call(target, "streamingSetCamera", 1,
                                                     node->CreateParameters(),
                                                     ReceivedLog().MakeCallbacks(), false));
                },
                subscriptionId),
            S_OK);
  RoundTrip(*node_);

  service_.Publish("StreamingEvent", VOZ::Parameters());

  auto result = callAfterStop.get_future();
  ASSERT_EQ(result.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_EQ(result.get(), E_INVALID_STATE);
  node_->Stop();
  PublishAndSettle("StreamingEvent");
  EXPECT_EQ(calls.load(), 1);
}

struct StoppedCase {
  std::string name;
  std::function<HRESULT(VOZ::Node&, const Vorn::NodeId&, const VOZ::Callbacks&)> operation;
};

class NodeStoppedTest : public ConnectedNodeTest,
                        public ::testing::WithParamInterface<StoppedCase> {};

TEST_P(NodeStoppedTest, OperationsFailAtOnceWithoutCallback) {
  node_->Stop();
  const ReceivedLog log;
  EXPECT_EQ(GetParam().operation(*node_, target_, log.MakeCallbacks()), E_INVALID_STATE);
  EXPECT_TRUE(service_.Calls().empty());
  EXPECT_TRUE(log.Entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Operations, NodeStoppedTest,
    ::testing::Values(
        StoppedCase{"Select",
                    [](VOZ::Node& node, const Vorn::NodeId&, const VOZ::Callbacks&) {
                      Vorn::NodeId nodeId;
                      return node.Select(kServerName, nodeId,
                                         Vorn::Criterion::Identifier(kSessionId));
                    }},
        StoppedCase{
            "Call",
            [](VOZ::Node& node, const Vorn::NodeId& target, const VOZ::Callbacks& callbacks) {
              return node.Call(target, "streamingSetCamera", 1, node.CreateParameters(), callbacks,
                               false);
            }},
        StoppedCase{
            "CallAndWait",
            [](VOZ::Node& node, const Vorn::NodeId& target, const VOZ::Callbacks& callbacks) {
              return node.CallAndWait(target, "streamingGetStatus", 1, node.CreateParameters(),
                                      callbacks);
            }},
        StoppedCase{"Subscribe",
                    [](VOZ::Node& node, const Vorn::NodeId& target, const VOZ::Callbacks&) {
                      int64_t subscriptionId = 0;
                      return node.Subscribe(
                          target, "StreamingEvent", [](const VOZ::Parameters&) {}, subscriptionId);
                    }},
        StoppedCase{"Unsubscribe", [](VOZ::Node& node, const Vorn::NodeId&,
                                      const VOZ::Callbacks&) { return node.Unsubscribe(1); }}),
    [](const auto& testCase) { return testCase.param.name; });

}  // namespace
