#include "VOZ/Callbacks.h"

#include <gtest/gtest.h>

namespace {

TEST(NodeCallbacksTest, AbsentHandlersReportWhetherTheAnswerWasLost) {
  const VOZ::Callbacks none(nullptr);
  EXPECT_FALSE(none.HasOnError());
  EXPECT_EQ(none.Success(VOZ::Parameters()), E_FAIL);
  EXPECT_EQ(none.Error(VOZ::Parameters()), S_FALSE);
}

TEST(NodeCallbacksTest, HandlersReceiveTheAnswer) {
  VOZ::Parameters answer;
  answer.WriteInt32("code", 5);
  const VOZ::Callbacks callbacks(
      [](const VOZ::Parameters& received) { return received.Has("code") ? S_OK : E_FAIL; },
      [](const VOZ::Parameters& received) { return received.Has("code") ? E_ABORT : E_FAIL; });
  EXPECT_TRUE(callbacks.HasOnError());
  EXPECT_EQ(callbacks.Success(answer), S_OK);
  EXPECT_EQ(callbacks.Error(answer), E_ABORT);
}

}  // namespace
