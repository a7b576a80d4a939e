#include <gtest/gtest.h>

#include <optional>

#include "StreamingViewerFixture.h"
#include "events/KROStreamingErrorEvent.h"
#include "events/KROStreamingFrameEvent.h"

namespace {

using Reply = TestSupport::ScriptedRenderingNode::Reply;
using Action = KROStreamingErrorEvent::Action;

VOZ::Parameters Record(std::initializer_list<std::pair<const char*, std::uint64_t>> values) {
  VOZ::Parameters record;
  for (const auto& [key, value] : values) record.WriteUint64(key, value);
  return record;
}

class CallChannelTest : public StreamingViewerTest {};

TEST_F(CallChannelTest, CallsAreNumberedAndAnswersRaiseTheResolvedIdentifier) {
  node.Script("silent", {.outcome = Reply::Outcome::Never});
  for (std::uint64_t expected : {1, 2, 3}) {
    access.AccountedCall(0, "silent", KROStreamingErrorEvent::Highlight);
    EXPECT_EQ(Submitted(), expected);
  }
  EXPECT_EQ(access.UpdateCallIdentifier(0, Record({{"callId", 2}})), S_OK);
  EXPECT_EQ(Resolved(), 2u);
  EXPECT_EQ(Submitted(), 3u);
  access.AccountedCall(0, "silent", KROStreamingErrorEvent::Highlight);
  EXPECT_EQ(Submitted(), 4u);

  // The service numbers the calls it answers: its answer's "callId" comes back.
  access.AccountedCall(0, "streamingHighlight", KROStreamingErrorEvent::Highlight);
  ASSERT_TRUE(node.WaitForCalls(5));
  EXPECT_TRUE(Eventually([&] { return Resolved() == 5; }));
  EXPECT_EQ(Submitted(), 5u);
}

struct AnswerCase {
  std::uint64_t resolved, submitted;
  std::optional<std::uint64_t> callId;
  std::uint64_t resolvedAfter, submittedAfter;
};

class AnswerAccountingTest : public StreamingViewerTest,
                             public testing::WithParamInterface<AnswerCase> {};

TEST_P(AnswerAccountingTest, RaisesTheCountersOnlyWhenTheAnswerIsNewer) {
  const AnswerCase& c = GetParam();
  Locked(0, [&](ViewParameters& v) {
    v.resolvedCallId = c.resolved;
    v.submittedCallId = c.submitted;
    return 0;
  });
  VOZ::Parameters answer;
  if (c.callId) answer.WriteUint64("callId", *c.callId);
  EXPECT_EQ(access.UpdateCallIdentifier(0, answer), S_OK);
  EXPECT_EQ(Resolved(), c.resolvedAfter);
  EXPECT_EQ(Submitted(), c.submittedAfter);
}

INSTANTIATE_TEST_SUITE_P(Cases, AnswerAccountingTest,
                         testing::Values(AnswerCase{3, 5, 10, 10, 10},  // raises both
                                         AnswerCase{3, 5, 4, 4, 5},     // submitted stays ahead
                                         AnswerCase{3, 1, 3, 3, 1},     // equal: nothing moves
                                         AnswerCase{3, 5, 2, 3, 5},     // older: ignored
                                         AnswerCase{3, 5, std::nullopt, 3, 5}));

TEST_F(CallChannelTest, AnswersForAViewWithoutViewpointOrLockOrOutsideTheTableAreRefused) {
  EXPECT_EQ(access.UpdateCallIdentifier(7, Record({{"callId", 1}})), E_UNEXPECTED);
  access.View(0).viewpoint = nullptr;
  EXPECT_EQ(access.UpdateCallIdentifier(0, Record({{"callId", 1}})), E_UNEXPECTED);
}

TEST_F(CallChannelTest, AFailedCallQueuesAnErrorEventAndStopsTheWaitForItsPicture) {
  VOZ::Parameters refusal;
  refusal.WriteString("status", "Busy");
  refusal.WriteString("errorMessage", "renderer overloaded");
  node.Script("streamingHideShow", {.outcome = Reply::Outcome::Error,
                                    .record = refusal,
                                    .delay = std::chrono::milliseconds(300)});
  Locked(0, [](ViewParameters& v) { return v.displayedCallId = 4; });
  access.AccountedCall(0, "streamingHideShow", KROStreamingErrorEvent::HideShow);
  EXPECT_EQ(Submitted(), 5u);

  ASSERT_TRUE(Eventually(
      [&] { return Locked(0, [](ViewParameters& v) { return !v.errorEventQueue.empty(); }); }));
  EXPECT_EQ(Submitted(), 4u) << "nobody must wait for the failed call's picture";
  EXPECT_TRUE(Window()->GetDrawRequestFlag()) << "the error is dispatched at the next draw";

  access.OnSwap();
  auto errors = events->Of<KROStreamingErrorEvent>(KRO3DStreamingViewer::STREAMING_ERROR());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0]->GetFailedAction(), KROStreamingErrorEvent::HideShow);
  EXPECT_EQ(errors[0]->GetErrorStatus(), KROUnicodeString("Busy"));
  EXPECT_EQ(errors[0]->GetErrorMessage(), KROUnicodeString("renderer overloaded"));
  EXPECT_EQ(errors[0]->GetSessionID(), KROUnicodeString(kSession));
  EXPECT_EQ(errors[0]->GetViewID(), 0u);
}

TEST_F(CallChannelTest, AnErrorRecordWithoutTextsStillGivesAnEventWithEmptyTexts) {
  access.RegisterFailedAction(0, KROStreamingErrorEvent::SetActiveFrame, VOZ::Parameters{});
  access.OnSwap();
  auto errors = events->Of<KROStreamingErrorEvent>(KRO3DStreamingViewer::STREAMING_ERROR());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0]->GetFailedAction(), 11);
  EXPECT_TRUE(errors[0]->GetErrorStatus().IsEmpty());
  EXPECT_TRUE(errors[0]->GetErrorMessage().IsEmpty());
}

TEST_F(CallChannelTest, AnErrorForAViewWithoutViewpointIsDropped) {
  access.View(0).viewpoint = nullptr;
  access.RegisterFailedAction(0, KROStreamingErrorEvent::Pick, VOZ::Parameters{});
  access.RegisterFailedAction(9, KROStreamingErrorEvent::Pick, VOZ::Parameters{});
  EXPECT_TRUE(access.View(0).errorEventQueue.empty());
}

TEST(WaitPendingDraw, IsRefusedBeforeTheViewerIsSetUpOrExposed) {
  ViewerHolder viewer = MakeViewer();
  EXPECT_EQ(viewer->WaitPendingDraw(100, false), E_INVALID_STATE);
}

TEST_F(CallChannelTest, WaitPendingDrawIsRefusedUntilTheWindowIsExposed) {
  ViewerHolder unexposed = MakeViewer();
  KRO3DStreamingViewerTestAccess unexposedAccess(*unexposed);
  ASSERT_TRUE(
      unexposedAccess.AttachNode(0, node.GetUrl(), kServer, kSession, std::chrono::seconds(10)));
  EXPECT_EQ(unexposed->WaitPendingDraw(100, false), E_INVALID_STATE);
}

void QueueFrames(KRO3DStreamingViewerTestAccess& access, int count, std::uint64_t callId) {
  KROMutexLock lock(*access.View(0).mutex);
  for (int i = 0; i < count; ++i) {
    PendingFrame frame;
    frame.frameId = "frame-" + std::to_string(i);
    frame.latestResolvedCallId = callId;
    access.View(0).frameQueue.push_back(std::move(frame));
  }
}

TEST_F(CallChannelTest, WaitPendingDrawTimesOutAfterOneOrTwoPresentations) {
  QueueFrames(access, 5, 0);
  EXPECT_EQ(viewer->WaitPendingDraw(0, false), E_ABORT);
  const auto shown = events->Of<KROStreamingFrameEvent>(KRO3DStreamingViewer::STREAMING_FRAME());
  EXPECT_GE(shown.size(), 1u);
  EXPECT_LE(shown.size(), 2u);
}

TEST_F(CallChannelTest, WaitPendingDrawEndsOnceAPresentationCatchesUp) {
  node.Script("silent", {.outcome = Reply::Outcome::Never});
  access.AccountedCall(0, "silent", KROStreamingErrorEvent::Highlight);
  QueueFrames(access, 1, Submitted());
  access.RegisterFailedAction(0, KROStreamingErrorEvent::Pick, VOZ::Parameters{});
  Locked(0, [](ViewParameters& v) { return v.submittedCallId = 1; });
  EXPECT_EQ(viewer->WaitPendingDraw(5000, false), S_OK);
  EXPECT_EQ(Locked(0, [](ViewParameters& v) { return v.displayedCallId; }), 1u);
  EXPECT_EQ(events->Of<KROStreamingErrorEvent>(KRO3DStreamingViewer::STREAMING_ERROR()).size(), 1u)
      << "queued events are dispatched before returning";
}

TEST_F(CallChannelTest, AViewBehindAsksTheServiceForItsStatus) {
  Locked(0, [](ViewParameters& v) {
    v.submittedCallId = 3;
    return v.displayedCallId = 2;
  });
  // Everything received is processed and the latest frame reflects call 2: up to date.
  node.Script("streamingGetStatus", {.record = Record({{"processedCallsCount", 3},
                                                       {"submittedCallsCount", 3},
                                                       {"latestStreamingEvent", 2}}),
                                     .withCallId = false});
  EXPECT_TRUE(access.CheckLastestImage());
  EXPECT_EQ(Resolved(), 2u) << "processed count - 1";

  // A frame reflecting call 3 is still on its way.
  node.Script("streamingGetStatus", {.record = Record({{"processedCallsCount", 3},
                                                       {"submittedCallsCount", 3},
                                                       {"latestStreamingEvent", 3}}),
                                     .withCallId = false});
  EXPECT_FALSE(access.CheckLastestImage());
}

TEST_F(CallChannelTest, WaitPendingDrawWithStatusQueryLearnsTheServiceSubmittedCount) {
  node.Script("streamingGetStatus",
              {.record = Record({{"submittedCallsCount", 8}}), .withCallId = false});
  EXPECT_EQ(viewer->WaitPendingDraw(0, true), E_ABORT);
  EXPECT_EQ(Submitted(), 7u);
}

// Answers and frames arrive on node threads while the user-interface thread issues calls and
// presents: every counter and queue must stay consistent (run under ThreadSanitizer).
TEST_F(CallChannelTest, AnswersAndFramesFromNodeThreadsRaceNothing) {
  SubscribeToFrames();
  constexpr int kCalls = 200;
  std::thread publisher([&] {
    VOZ::Parameters frame;
    for (int i = 0; i < kCalls; ++i) {
      frame.WriteUint64("latestResolvedCallId", static_cast<std::uint64_t>(i));
      node.Publish("StreamingEvent", frame);
    }
  });
  for (int i = 0; i < kCalls; ++i) {
    access.AccountedCall(0, "streamingPickPrehighlight", KROStreamingErrorEvent::PickPrehighlight);
    if (i % 10 == 0) access.OnSwap();
  }
  publisher.join();
  EXPECT_TRUE(Eventually([&] { return Resolved() == kCalls; })) << Resolved();
  EXPECT_TRUE(Eventually(
      [&] { return Locked(0, [](ViewParameters& v) { return v.framesReceived; }) == kCalls; }));
  // Presented frames may carry higher numbers than the calls made, which then skip ahead.
  EXPECT_GE(Submitted(), static_cast<std::uint64_t>(kCalls));
}

// A blocking call must not wait behind a subscription handler that waits for the lock its
// caller holds.
TEST_F(CallChannelTest, ABlockingCallUnderTheViewLockCompletesWhileAHandlerWaitsForThatLock) {
  SubscribeToFrames();
  KROMutexLock lock(*access.View(0).mutex);
  node.Publish("StreamingEvent", VOZ::Parameters{});
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the handler now waits
  node.Script("streamingGetStatus", {.record = Record({{"processedCallsCount", 1},
                                                       {"submittedCallsCount", 1},
                                                       {"latestStreamingEvent", 0}}),
                                     .withCallId = false});
  access.View(0).submittedCallId = 1;
  EXPECT_TRUE(access.CheckLastestImage()) << "the status call came back";
}

}  // namespace
