#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "ConnectedNodeTest.h"
#include "ReceivedLog.h"
#include "Vorn/CallRequest.h"
#include "Vorn/MessageCodec.h"

namespace {

using NodeWaitEndTest = ConnectedNodeTest;

std::string TextOf(const VOZ::Parameters& record, const std::string& key) {
  std::string text;
  EXPECT_EQ(record.ReadString(key, text), S_OK) << key;
  return text;
}

// A blocking call made on a thread of its own, for the test thread to end it.
class BlockingCallInBackground {
 public:
  BlockingCallInBackground(VOZ::Node& node, const Vorn::NodeId& target, const std::string& function)
      : result_(std::async(std::launch::async, [&node, target, function, this] {
          waitingThread_ = std::this_thread::get_id();
          return node.CallAndWait(target, function, 1, node.CreateParameters(),
                                  log_.MakeCallbacks());
        })) {}

  HRESULT Result() { return result_.get(); }
  const ReceivedLog& Log() const { return log_; }
  // Valid once Result has returned.
  std::thread::id WaitingThread() const { return waitingThread_; }

 private:
  const ReceivedLog log_;
  std::thread::id waitingThread_;
  std::future<HRESULT> result_;
};

TEST_F(NodeWaitEndTest, TimeoutEndsABlockingCall) {
  context_.SetCallTimeout(std::chrono::milliseconds(50));
  service_.Script("streamingGetStatus", {.outcome = Outcome::Never});
  const ReceivedLog log;

  EXPECT_EQ(node_->CallAndWait(target_, "streamingGetStatus", 1, node_->CreateParameters(),
                               log.MakeCallbacks()),
            E_ABORT);

  const auto entries = log.Entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_FALSE(entries[0].succeeded);
  EXPECT_EQ(TextOf(entries[0].record, "status"), "Timeout");
  EXPECT_FALSE(TextOf(entries[0].record, "errorMessage").empty());
  EXPECT_EQ(entries[0].thread, std::this_thread::get_id());
}

TEST_F(NodeWaitEndTest, AnAnswerAfterTheTimeoutIsDropped) {
  std::promise<Vorn::CallResponder> held;
  service_.GetNodeServer().RegisterFunction(
      "getImage", 1,
      [&held](const Vorn::CallRequest& request) { held.set_value(request.responder); });
  context_.SetCallTimeout(std::chrono::milliseconds(50));
  const ReceivedLog log;
  ASSERT_EQ(
      node_->CallAndWait(target_, "getImage", 1, node_->CreateParameters(), log.MakeCallbacks()),
      E_ABORT);

  EXPECT_EQ(held.get_future().get().Succeed(VOZ::Parameters()), S_OK);
  context_.SetCallTimeout(std::chrono::seconds(10));
  // Answered after the late answer went out, on the same connection.
  ASSERT_EQ(node_->CallAndWait(target_, "streamingGetStatus", 1, node_->CreateParameters(),
                               ReceivedLog().MakeCallbacks()),
            S_OK);

  ASSERT_EQ(log.Entries().size(), 1u);
  EXPECT_FALSE(log.Entries()[0].succeeded);
}

TEST_F(NodeWaitEndTest, StopFromAnotherThreadEndsABlockingCall) {
  service_.Script("streamingGetStatus", {.outcome = Outcome::Never});
  BlockingCallInBackground call(*node_, target_, "streamingGetStatus");
  ASSERT_TRUE(service_.WaitForCalls(1));

  node_->Stop();

  EXPECT_EQ(call.Result(), E_FAIL);
  const auto entries = call.Log().Entries();
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(TextOf(entries[0].record, "status"), "Stopped");
  EXPECT_FALSE(TextOf(entries[0].record, "errorMessage").empty());
  EXPECT_EQ(entries[0].thread, call.WaitingThread());
}

std::vector<unsigned char> Encoded(const Vorn::Message& message) {
  std::vector<unsigned char> bytes;
  EXPECT_EQ(Vorn::EncodeMessage(message, bytes), S_OK);
  return bytes;
}

struct LossCase {
  std::string name;
  std::function<void(Vorn::Hypervisor&)> loseConnection;
  // Part of the errorMessage that says why.
  std::string reason;
};

class NodeConnectionLossTest : public ConnectedNodeTest,
                               public ::testing::WithParamInterface<LossCase> {};

TEST_P(NodeConnectionLossTest, EndsEveryWaitAndTheNextCallReconnects) {
  service_.Script("hang", {.outcome = Outcome::Never});
  const ReceivedLog published;
  int64_t subscriptionId = 0;
  ASSERT_EQ(node_->Subscribe(target_, "StreamingEvent", published.MakeHandler(), subscriptionId),
            S_OK);
  const ReceivedLog pending;
  ASSERT_EQ(
      node_->Call(target_, "hang", 1, node_->CreateParameters(), pending.MakeCallbacks(), false),
      S_OK);
  BlockingCallInBackground blocking(*node_, target_, "hang");
  ASSERT_TRUE(service_.WaitForCalls(2));

  GetParam().loseConnection(service_.GetHypervisor());

  ASSERT_TRUE(pending.WaitFor(1));
  EXPECT_EQ(blocking.Result(), E_FAIL);
  for (const ReceivedLog* log : {&pending, &blocking.Log()}) {
    const ReceivedLog::Entry error = log->Entries().at(0);
    EXPECT_FALSE(error.succeeded);
    EXPECT_EQ(TextOf(error.record, "status"), "ConnectionLost");
    EXPECT_NE(TextOf(error.record, "errorMessage").find(GetParam().reason), std::string::npos)
        << TextOf(error.record, "errorMessage");
  }
  EXPECT_NE(pending.Entries()[0].thread, std::this_thread::get_id());
  EXPECT_EQ(blocking.Log().Entries()[0].thread, blocking.WaitingThread());

  const ReceivedLog answered;
  ASSERT_EQ(node_->CallAndWait(target_, "streamingGetStatus", 1, node_->CreateParameters(),
                               answered.MakeCallbacks()),
            S_OK);
  EXPECT_EQ(service_.GetNodeServer().GetSubscriberCount("StreamingEvent"), 0u);
  EXPECT_EQ(node_->Unsubscribe(subscriptionId), S_FALSE);
  EXPECT_TRUE(published.Entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Causes, NodeConnectionLossTest,
    ::testing::Values(
        LossCase{"Dropped",
                 [](Vorn::Hypervisor& hypervisor) { hypervisor.DropClientConnections(); },
                 "dropped"},
        LossCase{"NotMsgpack",
                 [](Vorn::Hypervisor& hypervisor) { hypervisor.InjectRawToClients({0xc1}); },
                 "malformed"},
        LossCase{"UnknownKind",
                 [](Vorn::Hypervisor& hypervisor) {
                   hypervisor.InjectRawToClients({0x92, 0x08, 0x01});
                 },
                 "malformed"},
        LossCase{"OnlyForAHypervisor",
                 [](Vorn::Hypervisor& hypervisor) {
                   hypervisor.InjectRawToClients(
                       Encoded({.kind = Vorn::MessageKind::Grant, .serviceTicket = "ST-1"}));
                 },
                 "never receives"}),
    [](const auto& testCase) { return testCase.param.name; });

}  // namespace
