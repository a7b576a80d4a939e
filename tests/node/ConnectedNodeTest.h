#pragma once

#include <gtest/gtest.h>

#include "ReceivedLog.h"
#include "ScriptedRenderingNode.h"
#include "VOZ/Commands.h"
#include "VOZ/Node.h"
#include "Vorn/Context.h"
#include "Vorn/Criterion.h"
#include "Vorn/NodeId.h"
#include "Vorn/NodeSettings.h"

inline constexpr char kServerName[] = "RenderServer";
inline constexpr char kSessionId[] = "session-7";

// A client node selected on a scripted rendering node, ready to call it.
class ConnectedNodeTest : public ::testing::Test {
 protected:
  using Reply = TestSupport::ScriptedRenderingNode::Reply;
  using Outcome = Reply::Outcome;

  void SetUp() override {
    node_ = NewSelectedNode();
    ASSERT_NE(node_, nullptr);
    ASSERT_FALSE(target_.IsEmpty());
  }

  // A node of the test's context, selected on the scripted rendering node; null on failure.
  VOZ::Node* NewSelectedNode() {
    VOZ::Node* node = commands_.CreateNode("TestClients", Vorn::NodeSettings());
    if (node == nullptr ||
        FAILED(node->Select(kServerName, target_, Vorn::Criterion::Identifier(kSessionId)))) {
      return nullptr;
    }
    return node;
  }

  // Returns once the hypervisor has handled what node sent before, such as a subscription.
  void RoundTrip(VOZ::Node& node) {
    ASSERT_EQ(node.CallAndWait(target_, "streamingGetStatus", 1, node.CreateParameters(),
                               ReceivedLog().MakeCallbacks()),
              S_OK);
  }

  TestSupport::ScriptedRenderingNode service_{kServerName, kSessionId};
  Vorn::Context context_{service_.GetUrl(), false};
  VOZ::Commands commands_{context_, "tests"};
  Vorn::NodeId target_;
  VOZ::Node* node_ = nullptr;
};
