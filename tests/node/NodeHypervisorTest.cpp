#include <gtest/gtest.h>

#include <future>
#include <string>

#include "ReceivedLog.h"
#include "VOZ/Commands.h"
#include "VOZ/Node.h"
#include "Vorn/CallRequest.h"
#include "Vorn/Context.h"
#include "Vorn/Criterion.h"
#include "Vorn/Hypervisor.h"
#include "Vorn/NodeServer.h"
#include "Vorn/NodeSettings.h"

namespace {

constexpr char kUrl[] = "wss://hypervisor-test.localhost/hypervisor";

std::string TextOf(const VOZ::Parameters& record, const std::string& key) {
  std::string text;
  EXPECT_EQ(record.ReadString(key, text), S_OK) << key;
  return text;
}

// A bare hypervisor serving one node server, and a client node selected on it.
class NodeHypervisorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(hypervisor_.ListenInProcess(kUrl), S_OK);
    hypervisor_.AddNode(server_);
    node_ = commands_.CreateNode("TestClients", Vorn::NodeSettings());
    ASSERT_NE(node_, nullptr);
    ASSERT_EQ(Select(), S_OK);
  }

  HRESULT Select() {
    return node_->Select("RenderServer", target_, Vorn::Criterion::Identifier("session-7"));
  }

  Vorn::Hypervisor hypervisor_;
  Vorn::NodeServer server_{"RenderServer", "session-7"};
  Vorn::Context context_{kUrl, false};
  VOZ::Commands commands_{context_, "tests"};
  VOZ::Node* node_ = nullptr;
  Vorn::NodeId target_;
};

TEST_F(NodeHypervisorTest, CallsOfUnregisteredFunctionsAreAnsweredWithAnError) {
  server_.RegisterFunction("streamingSetCamera", 1, [](const Vorn::CallRequest& request) {
    request.responder.Succeed(VOZ::Parameters());
  });
  for (const auto& [function, version] : {std::pair{"streamingSetCamera", 2}, {"getFrames", 1}}) {
    const ReceivedLog log;
    EXPECT_EQ(node_->CallAndWait(target_, function, version, node_->CreateParameters(),
                                 log.MakeCallbacks()),
              E_FAIL);
    ASSERT_EQ(log.Entries().size(), 1u);
    EXPECT_EQ(TextOf(log.Entries()[0].record, "status"), "UnknownFunction");
    const std::string errorMessage = TextOf(log.Entries()[0].record, "errorMessage");
    EXPECT_NE(errorMessage.find(function), std::string::npos) << errorMessage;
    EXPECT_NE(errorMessage.find(std::to_string(version)), std::string::npos) << errorMessage;
  }
}

TEST_F(NodeHypervisorTest, ARemovedNodeEndsItsPendingCallsAndIsNoLongerSelected) {
  std::promise<Vorn::CallResponder> held;
  server_.RegisterFunction("getImage", 1, [&held](const Vorn::CallRequest& request) {
    held.set_value(request.responder);
  });
  int64_t subscriptionId = 0;
  ASSERT_EQ(node_->Subscribe(
                target_, "StreamingEvent", [](const VOZ::Parameters&) {}, subscriptionId),
            S_OK);
  const ReceivedLog log;
  auto pending = std::async(std::launch::async, [&] {
    return node_->CallAndWait(target_, "getImage", 1, node_->CreateParameters(),
                              log.MakeCallbacks());
  });
  const Vorn::CallResponder responder = held.get_future().get();
  EXPECT_EQ(server_.GetSubscriberCount("StreamingEvent"), 1u);

  hypervisor_.RemoveNode(server_);

  EXPECT_EQ(pending.get(), E_FAIL);
  EXPECT_EQ(TextOf(log.Entries().at(0).record, "status"), "NodeRemoved");
  EXPECT_EQ(responder.Succeed(VOZ::Parameters()), S_OK);
  EXPECT_EQ(server_.GetSubscriberCount("StreamingEvent"), 0u);
  EXPECT_EQ(Select(), E_FAIL);
  EXPECT_EQ(log.Entries().size(), 1u);
}

TEST_F(NodeHypervisorTest, AnAddressBelongsToOneHypervisorAtATime) {
  Vorn::Hypervisor other;
  EXPECT_EQ(other.ListenInProcess(kUrl), E_INVALIDARG);
  EXPECT_EQ(hypervisor_.ListenInProcess("wss://elsewhere.localhost/hypervisor"), E_INVALID_STATE);

  hypervisor_.Close();

  EXPECT_EQ(other.ListenInProcess(kUrl), S_OK);
}

}  // namespace
