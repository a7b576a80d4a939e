#include <gtest/gtest.h>

#include <atomic>

#include "KROVisPerspectiveCamera.h"
#include "StreamingViewerFixture.h"
#include "Vis/UID.h"
#include "camera/RemoteObjectSerializers.h"
#include "camera/RemoteObjectTypes.h"

namespace {

// Cameras the service forces on frames, counted while alive.
std::atomic<int> s_LiveCameras{0};

class WatchedCamera : public KROVisPerspectiveCamera {
 public:
  WatchedCamera() : KROVisPerspectiveCamera({0, 0, 5}, {0, 0, -1}, {0, 1, 0}) { ++s_LiveCameras; }

 protected:
  ~WatchedCamera() override { --s_LiveCameras; }
};

class FrameReceptionTest : public StreamingViewerTest {
 protected:
  void SetUp() override {
    StreamingViewerTest::SetUp();
    // Frames are read back as watched cameras, whatever the record says.
    VOZ::RegisterObjectSerializer(
        RemoteObjectType::kCamera, typeid(KROVisCamera),
        [](VOZ::Parameters&, const void*) { return S_OK; },
        [](const VOZ::Parameters&) -> void* {
          return static_cast<KROVisCamera*>(new WatchedCamera);
        });
  }
  void TearDown() override {
    RegisterRemoteObjectSerializers();
    s_LiveCameras = 0;
  }

  VOZ::Parameters Frame(const std::string& frameId = "", bool withCamera = false) {
    VOZ::Parameters record;
    record.WriteBuffer("colorImgBuffer", Vorn::Binary::Copy("pix", 3));
    if (!frameId.empty()) record.WriteString("animationFrameId", frameId);
    if (withCamera) record.WriteObjectPrivate("forcedCamera", RemoteObjectType::kCamera, {});
    return record;
  }
  std::deque<PendingFrame>& Queue() { return access.View(0).frameQueue; }
  void Display(const std::string& frameId) { access.View(0).displayedFrameId = frameId; }
  const std::string kDefault = Vis::UID::defaultFrameId.ToString();
};

TEST_F(FrameReceptionTest, SteadyStreamingKeepsTheNewestFiveFrames) {
  Display(kDefault);
  for (std::uint64_t call = 1; call <= 6; ++call) {
    VOZ::Parameters record = Frame();
    record.WriteUint64("latestResolvedCallId", call);
    EXPECT_EQ(access.OnReceiveStream(0, record), S_OK);
  }
  ASSERT_EQ(Queue().size(), 5u);
  EXPECT_EQ(Queue().front().latestResolvedCallId, 2u) << "the oldest frame was dropped";
  EXPECT_EQ(access.View(0).framesReceived, 6u);
  EXPECT_EQ(access.View(0).framesDropped, 1u);
  EXPECT_EQ(Queue().back().frameId, KROUnicodeString(kDefault));
  EXPECT_EQ(Queue().back().data.GetSize(), 3u);
}

TEST_F(FrameReceptionTest, AnimationFramesAndFramesBeforeTheFirstShownAreNeverDropped) {
  Display(kDefault);
  access.OnReceiveStream(0, Frame("F1"));
  for (int i = 0; i < 5; ++i) access.OnReceiveStream(0, Frame());
  EXPECT_EQ(Queue().size(), 6u) << "the oldest frame is an animation frame";
  EXPECT_EQ(Queue().front().frameId, KROUnicodeString("F1"));

  Queue().clear();
  Display("");  // nothing shown yet
  for (int i = 0; i < 8; ++i) access.OnReceiveStream(0, Frame());
  EXPECT_EQ(Queue().size(), 8u);
  EXPECT_EQ(access.View(0).framesDropped, 0u);
}

TEST_F(FrameReceptionTest, ADroppedFrameReleasesItsForcedCamera) {
  Display(kDefault);
  access.OnReceiveStream(0, Frame("", true));
  EXPECT_EQ(s_LiveCameras, 1);
  for (int i = 0; i < 5; ++i) access.OnReceiveStream(0, Frame());
  EXPECT_EQ(access.View(0).framesDropped, 1u);
  EXPECT_EQ(s_LiveCameras, 0);
}

TEST_F(FrameReceptionTest, MissingKeysTakeTheirDefaults) {
  access.OnReceiveStream(0, VOZ::Parameters{});
  ASSERT_EQ(Queue().size(), 1u);
  EXPECT_EQ(Queue().front().frameId, KROUnicodeString(kDefault));
  EXPECT_EQ(Queue().front().data.GetSize(), 0u);
  EXPECT_FALSE(Queue().front().forcedCamera);
  EXPECT_EQ(Queue().front().latestResolvedCallId, 0u);
  EXPECT_TRUE(Window()->GetDrawRequestFlag()) << "a queued frame asks for a draw";
}

TEST_F(FrameReceptionTest, FramesOfAnInactiveViewWaitForItsActivation) {
  access.View(0).active = false;
  access.OnReceiveStream(0, Frame("A"));
  access.OnSwap();
  EXPECT_EQ(Queue().size(), 1u);
  access.View(0).active = true;
  access.OnSwap();
  EXPECT_TRUE(Queue().empty());
  EXPECT_EQ(viewer->GetDisplayedFrameIdentifier(0), KROUnicodeString("A"));
  EXPECT_EQ(viewer->GetDisplayedFrameIdentifier(1), KROUnicodeString(""));
}

}  // namespace
