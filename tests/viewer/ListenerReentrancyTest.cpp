#include <gtest/gtest.h>

#include "StreamingViewerFixture.h"
#include "events/KROStreamingFrameEvent.h"

namespace {

// A host listener that acts on the viewer from inside the viewer's own dispatch.
class ActingListener : public KROEventSubscriber {
 public:
  ActingListener(KRO3DStreamingViewer& viewer, std::function<void()> act) : _Act(std::move(act)) {
    AddCallback(&viewer, KRO3DStreamingViewer::STREAMING_FRAME(), &ActingListener::OnEvent, 0);
    AddCallback(&viewer, KRO3DStreamingViewer::STREAMING_ERROR(), &ActingListener::OnEvent, 0);
  }
  void OnEvent(const char*, KROBaseUnknown*, KRONotification*, KROSubscriberData, KROCallbackId) {
    if (_Act) std::exchange(_Act, nullptr)();
  }

 private:
  std::function<void()> _Act;
};

class ListenerReentrancyTest : public StreamingViewerTest {
 protected:
  void QueueFrame(const char* frameId) {
    PendingFrame frame;
    frame.frameId = frameId;
    KROMutexLock lock(*access.View(0).mutex);
    access.View(0).frameQueue.push_back(std::move(frame));
  }
};

TEST_F(ListenerReentrancyTest, AFrameListenerMayDisconnectTheView) {
  SubscribeToFrames();
  auto listener = KROPtr<ActingListener>::Adopt(
      new ActingListener(*viewer, [&] { viewer->DisconnectView(0); }));
  QueueFrame("F1");
  QueueFrame("F2");
  access.OnSwap();
  EXPECT_EQ(access.View(0).mutex, nullptr);
  node.Publish("StreamingEvent", VOZ::Parameters{});  // nobody listens any more
  access.OnSwap();
}

TEST_F(ListenerReentrancyTest, AnErrorListenerMayGrowTheTable) {
  viewer->ActivateAutoDisconnect(false);
  auto listener =
      KROPtr<ActingListener>::Adopt(new ActingListener(*viewer, [&] { access.GrowViews(64); }));
  access.RegisterFailedAction(0, KROStreamingErrorEvent::Pick, VOZ::Parameters{});
  access.RegisterFailedAction(0, KROStreamingErrorEvent::Highlight, VOZ::Parameters{});
  QueueFrame("F1");
  access.OnSwap();
  EXPECT_EQ(access.Views().size(), 64u);
  EXPECT_EQ(viewer->GetDisplayedFrameIdentifier(0), KROUnicodeString("F1"));
}

}  // namespace
