#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>

#include "ConnectedNodeTest.h"
#include "ReceivedLog.h"
#include "Vorn/Binary.h"
#include "Vorn/ErrorRecord.h"

namespace {

using NodeCallTest = ConnectedNodeTest;

uint64_t CallIdOf(const VOZ::Parameters& answer) {
  uint64_t callId = 0;
  EXPECT_EQ(answer.ReadUint64("callId", callId), S_OK);
  return callId;
}

std::string StatusOf(const VOZ::Parameters& error, const std::string& key = "status") {
  std::string text;
  EXPECT_EQ(error.ReadString(key, text), S_OK);
  return text;
}

TEST_F(NodeCallTest, RecordsTravelBothWaysWithTheirBuffers) {
  VOZ::Parameters request = node_->CreateParameters();
  request.WriteBuffer("texture", Vorn::Binary::Copy("\x89PNG\x00\x01", 6));
  request.WriteUint32Array("viewport", {0, 0, 640, 480});
  VOZ::Parameters image;
  image.WriteBuffer("jpeg", Vorn::Binary::Copy("\xFF\xD8\x00\xFF\xD9", 5));
  image.WriteUint32("width", 640);
  service_.Script("getImage", {.record = image, .withCallId = false});
  const ReceivedLog log;

  ASSERT_EQ(node_->CallAndWait(target_, "getImage", 1, request, log.MakeCallbacks()), S_OK);

  const auto calls = service_.Calls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].function, "getImage");
  EXPECT_EQ(calls[0].version, 1);
  EXPECT_EQ(calls[0].parameters, request);
  ASSERT_EQ(log.Entries().size(), 1u);
  EXPECT_EQ(log.Entries()[0].record, image);
}

class NodeErrorAnswerTest : public ConnectedNodeTest, public ::testing::WithParamInterface<bool> {};

TEST_P(NodeErrorAnswerTest, ReachesOnErrorWithItsStatusAndMessage) {
  const bool wait = GetParam();
  service_.Script("streamingSetCamera",
                  {.outcome = Outcome::Error,
                   .record = Vorn::MakeErrorRecord("Busy", "the renderer is loading a model")});
  const ReceivedLog log;

  EXPECT_EQ(node_->Call(target_, "streamingSetCamera", 1, node_->CreateParameters(),
                        log.MakeCallbacks(), wait),
            wait ? E_FAIL : S_OK);

  ASSERT_TRUE(log.WaitFor(1));
  const ReceivedLog::Entry error = log.Entries()[0];
  EXPECT_FALSE(error.succeeded);
  EXPECT_EQ(StatusOf(error.record), "Busy");
  EXPECT_EQ(StatusOf(error.record, "errorMessage"), "the renderer is loading a model");
  EXPECT_EQ(error.thread == std::this_thread::get_id(), wait);
}

INSTANTIATE_TEST_SUITE_P(BlockingOrNot, NodeErrorAnswerTest, ::testing::Bool(),
                         [](const auto& testCase) { return testCase.param ? "Wait" : "NoWait"; });

TEST_F(NodeCallTest, BlockingCallFailsOnAnErrorAnswerEvenWithoutOnError) {
  service_.Script("streamingSetCamera",
                  {.outcome = Outcome::Error, .record = Vorn::MakeErrorRecord("Busy", "")});
  const VOZ::Callbacks onlySuccess([](const VOZ::Parameters&) { return S_OK; });
  EXPECT_EQ(
      node_->CallAndWait(target_, "streamingSetCamera", 1, node_->CreateParameters(), onlySuccess),
      E_FAIL);
}

TEST_F(NodeCallTest, NonBlockingAnswersRunOnTheDeliveryThreadInArrivalOrder) {
  constexpr uint64_t kCalls = 20;
  const ReceivedLog log;
  for (uint64_t call = 0; call < kCalls; ++call) {
    ASSERT_EQ(node_->Call(target_, "streamingSetCamera", 1, node_->CreateParameters(),
                          log.MakeCallbacks(), false),
              S_OK);
  }

  ASSERT_TRUE(log.WaitFor(kCalls));
  const auto answers = log.Entries();
  EXPECT_NE(answers[0].thread, std::this_thread::get_id());
  for (uint64_t call = 0; call < kCalls; ++call) {
    EXPECT_TRUE(answers[call].succeeded);
    EXPECT_EQ(CallIdOf(answers[call].record), call + 1);
    EXPECT_EQ(answers[call].thread, answers[0].thread);
  }
}

using BlockingCall = std::function<HRESULT(VOZ::Node&, const Vorn::NodeId&, const VOZ::Callbacks&)>;

struct BlockingCallCase {
  std::string name;
  BlockingCall call;
};

class NodeBlockingCallTest : public ConnectedNodeTest,
                             public ::testing::WithParamInterface<BlockingCallCase> {};

TEST_P(NodeBlockingCallTest, RunsItsCallbackOnTheCallingThreadAndReturnsItsResult) {
  const ReceivedLog log;
  EXPECT_EQ(GetParam().call(*node_, target_, log.MakeCallbacks(S_FALSE)), S_FALSE);
  const auto answers = log.Entries();
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_TRUE(answers[0].succeeded);
  EXPECT_EQ(CallIdOf(answers[0].record), 1u);
  EXPECT_EQ(answers[0].thread, std::this_thread::get_id());
}

INSTANTIATE_TEST_SUITE_P(
    Callers, NodeBlockingCallTest,
    ::testing::Values(BlockingCallCase{"CallAndWait",
                                       [](VOZ::Node& node, const Vorn::NodeId& target,
                                          const VOZ::Callbacks& callbacks) {
                                         return node.CallAndWait(target, "streamingReframe", 1,
                                                                 node.CreateParameters(),
                                                                 callbacks);
                                       }},
                      BlockingCallCase{"CallWithWait",
                                       [](VOZ::Node& node, const Vorn::NodeId& target,
                                          const VOZ::Callbacks& callbacks) {
                                         return node.Call(target, "streamingReframe", 1,
                                                          node.CreateParameters(), callbacks, true);
                                       }}),
    [](const auto& testCase) { return testCase.param.name; });

// A host listener holds a view lock and calls the view's node while that node's subscription
// handler waits for the same lock: the answer must not queue behind the handler.
TEST_F(NodeCallTest, BlockingCallCompletesWhileAHandlerWaitsForTheCallersLock) {
  std::mutex viewLock;
  std::promise<void> handlerStarted;
  int64_t subscriptionId = 0;
  ASSERT_EQ(node_->Subscribe(
                target_, "StreamingEvent",
                [&](const VOZ::Parameters&) {
                  handlerStarted.set_value();
                  const std::lock_guard lock(viewLock);
                },
                subscriptionId),
            S_OK);
  RoundTrip(*node_);
  std::unique_lock held(viewLock);
  service_.Publish("StreamingEvent", VOZ::Parameters());
  ASSERT_EQ(handlerStarted.get_future().wait_for(std::chrono::seconds(10)),
            std::future_status::ready);

  const ReceivedLog log;
  EXPECT_EQ(node_->CallAndWait(target_, "streamingGetStatus", 1, node_->CreateParameters(),
                               log.MakeCallbacks()),
            S_OK);

  held.unlock();
  // Waits for the handler, which refers to this test's locals.
  node_->Stop();
}

}  // namespace
