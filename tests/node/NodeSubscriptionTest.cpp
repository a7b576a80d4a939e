#include <gtest/gtest.h>

#include <thread>

#include "ConnectedNodeTest.h"
#include "ReceivedLog.h"

namespace {

using NodeSubscriptionTest = ConnectedNodeTest;

VOZ::Parameters Frame(uint32_t number) {
  VOZ::Parameters frame;
  frame.WriteUint32("frame", number);
  return frame;
}

uint32_t FrameOf(const VOZ::Parameters& record) {
  uint32_t number = 0;
  EXPECT_EQ(record.ReadUint32("frame", number), S_OK);
  return number;
}

TEST_F(NodeSubscriptionTest, HandlerGetsEveryPublicationInOrderOnTheDeliveryThread) {
  constexpr uint32_t kFrames = 5;
  const ReceivedLog frames;
  int64_t subscriptionId = 0;
  ASSERT_EQ(node_->Subscribe(target_, "StreamingEvent", frames.MakeHandler(), subscriptionId),
            S_OK);
  RoundTrip(*node_);
  EXPECT_EQ(service_.GetNodeServer().GetSubscriberCount("StreamingEvent"), 1u);

  for (uint32_t frame = 1; frame <= kFrames; ++frame)
    service_.Publish("StreamingEvent", Frame(frame));
  const ReceivedLog answers;
  ASSERT_EQ(node_->Call(target_, "streamingSetCamera", 1, node_->CreateParameters(),
                        answers.MakeCallbacks(), false),
            S_OK);

  ASSERT_TRUE(frames.WaitFor(kFrames));
  ASSERT_TRUE(answers.WaitFor(1));
  const auto received = frames.Entries();
  for (uint32_t frame = 1; frame <= kFrames; ++frame) {
    EXPECT_EQ(FrameOf(received[frame - 1].record), frame);
    EXPECT_EQ(received[frame - 1].thread, answers.Entries()[0].thread);
  }
  EXPECT_NE(received[0].thread, std::this_thread::get_id());
}

TEST_F(NodeSubscriptionTest, UnsubscribeStopsDeliveriesOfThatTopicOnly) {
  const ReceivedLog frames;
  const ReceivedLog statuses;
  int64_t framesId = 0;
  int64_t statusesId = 0;
  ASSERT_EQ(node_->Subscribe(target_, "StreamingEvent", frames.MakeHandler(), framesId), S_OK);
  ASSERT_EQ(node_->Subscribe(target_, "StatusEvent", statuses.MakeHandler(), statusesId), S_OK);
  RoundTrip(*node_);
  service_.Publish("StreamingEvent", Frame(1));
  ASSERT_TRUE(frames.WaitFor(1));

  EXPECT_EQ(node_->Unsubscribe(framesId), S_OK);
  EXPECT_EQ(node_->Unsubscribe(framesId), S_FALSE);
  service_.Publish("StreamingEvent", Frame(2));
  service_.Publish("StatusEvent", Frame(3));

  // Both publications went the same way; the second has arrived, so the first had too.
  ASSERT_TRUE(statuses.WaitFor(1));
  EXPECT_EQ(frames.Entries().size(), 1u);
  EXPECT_EQ(FrameOf(statuses.Entries()[0].record), 3u);
}

}  // namespace
