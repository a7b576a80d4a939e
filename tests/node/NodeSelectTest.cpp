#include <gtest/gtest.h>

#include <string>

#include "ReceivedLog.h"
#include "ScriptedRenderingNode.h"
#include "VOZ/Commands.h"
#include "VOZ/Node.h"
#include "Vorn/Context.h"
#include "Vorn/Criterion.h"
#include "Vorn/NodeId.h"
#include "Vorn/NodeSettings.h"

namespace {

constexpr char kServerName[] = "RenderServer";
constexpr char kSessionId[] = "session-7";

HRESULT SelectWith(Vorn::Context& context, const std::string& serverName,
                   const std::string& identifier, Vorn::NodeId& nodeId) {
  VOZ::Commands commands(context, "tests");
  VOZ::Node* node = commands.CreateNode("TestClients", Vorn::NodeSettings());
  if (node == nullptr) return E_UNEXPECTED;
  return node->Select(serverName, nodeId, Vorn::Criterion::Identifier(identifier));
}

struct SelectCase {
  std::string name;
  std::string serverName;
  std::string identifier;
  HRESULT expected;
};

class NodeSelectTest : public ::testing::TestWithParam<SelectCase> {
 protected:
  TestSupport::ScriptedRenderingNode service_{kServerName, kSessionId};
  Vorn::Context context_{service_.GetUrl(), false};
};

TEST_P(NodeSelectTest, FindsTheNodeServingBothServerNameAndIdentifier) {
  Vorn::NodeId nodeId;
  EXPECT_EQ(SelectWith(context_, GetParam().serverName, GetParam().identifier, nodeId),
            GetParam().expected);
  EXPECT_EQ(nodeId.IsEmpty(), FAILED(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Criteria, NodeSelectTest,
    ::testing::Values(SelectCase{"Matching", kServerName, kSessionId, S_OK},
                      SelectCase{"OtherServer", "OtherServer", kSessionId, E_FAIL},
                      SelectCase{"OtherSession", kServerName, "session-8", E_FAIL},
                      SelectCase{"NoIdentifier", kServerName, "", E_FAIL}),
    [](const auto& testCase) { return testCase.param.name; });

TEST(NodeSelectAddressTest, FailsClearlyWhenNothingListensAtTheAddress) {
  Vorn::Context context("wss://nobody.localhost/hypervisor", false);
  Vorn::NodeId nodeId;
  EXPECT_EQ(SelectWith(context, kServerName, kSessionId, nodeId), Vorn::E_HOST_UNREACHABLE);
}

TEST(NodeSelectAddressTest, FailsClearlyOnceTheHypervisorStoppedListening) {
  TestSupport::ScriptedRenderingNode service(kServerName, kSessionId);
  service.Script("hang", {.outcome = TestSupport::ScriptedRenderingNode::Reply::Outcome::Never});
  Vorn::Context context(service.GetUrl(), false);
  VOZ::Commands commands(context, "tests");
  VOZ::Node* node = commands.CreateNode("TestClients", Vorn::NodeSettings());
  ASSERT_NE(node, nullptr);
  Vorn::NodeId nodeId;
  ASSERT_EQ(node->Select(kServerName, nodeId, Vorn::Criterion::Identifier(kSessionId)), S_OK);
  const ReceivedLog pending;
  ASSERT_EQ(node->Call(nodeId, "hang", 1, node->CreateParameters(), pending.MakeCallbacks(), false),
            S_OK);
  ASSERT_TRUE(service.WaitForCalls(1));

  service.GetHypervisor().Close();

  // The connection's end has reached the client once the pending call has heard of it.
  ASSERT_TRUE(pending.WaitFor(1));
  EXPECT_EQ(node->Select(kServerName, nodeId, Vorn::Criterion::Identifier(kSessionId)),
            Vorn::E_HOST_UNREACHABLE);
}

}  // namespace
