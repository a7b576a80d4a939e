#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "KROEventLoop.h"
#include "KROGraphicMaterial.h"
#include "KROVisPerspectiveCamera.h"
#include "StreamingViewerFixture.h"
#include "events/KROStreamingFrameEvent.h"

namespace {

// A self-sized frame of one colour.
Vorn::Binary SolidFrame(std::uint32_t width, std::uint32_t height, std::uint32_t rgba) {
  std::vector<unsigned char> bytes(8 + std::size_t{width} * height * 4);
  std::memcpy(bytes.data(), &width, 4);
  std::memcpy(bytes.data() + 4, &height, 4);
  for (std::size_t p = 8; p < bytes.size(); p += 4) std::memcpy(bytes.data() + p, &rgba, 4);
  return Vorn::Binary::Copy(bytes.data(), bytes.size());
}

class PresentationTest : public StreamingViewerTest {
 protected:
  void SetUp() override {
    StreamingViewerTest::SetUp();
    access.View(0).frameConverter = std::make_unique<SelfSizedFrameConverter>();
  }
  void Queue(Vorn::Binary data, const std::string& frameId = "0", std::uint64_t callId = 0) {
    PendingFrame frame;
    frame.data = std::move(data);
    frame.frameId = frameId;
    frame.latestResolvedCallId = callId;
    KROMutexLock lock(*access.View(0).mutex);
    access.View(0).frameQueue.push_back(std::move(frame));
  }
  ViewParameters& View() { return access.View(0); }
  std::size_t FrameEvents() {
    return events->Of<KROStreamingFrameEvent>(KRO3DStreamingViewer::STREAMING_FRAME()).size();
  }
};

TEST_F(PresentationTest, NothingQueuedRequestsNoDraw) {
  KROEventLoop::Get().ProcessPending();  // the exposure's draw
  access.OnSwap();
  EXPECT_FALSE(Window()->GetDrawRequestFlag());
  EXPECT_FALSE(View().texture);
}

TEST_F(PresentationTest, FramesOfOneIdentifierRaiseOneEventAndShowOneFramePerDraw) {
  Queue(SolidFrame(320, 200, 0xFF0000FF), "A", 3);
  Queue(SolidFrame(320, 200, 0xFF00FF00), "A", 2);
  access.OnSwap();
  EXPECT_EQ(FrameEvents(), 1u);
  EXPECT_EQ(View().frameQueue.size(), 1u);
  EXPECT_EQ(View().displayedCallId, 3u);
  access.OnSwap();
  EXPECT_EQ(FrameEvents(), 1u);
  EXPECT_TRUE(View().frameQueue.empty());
  EXPECT_EQ(View().displayedCallId, 3u) << "an older call identifier never lowers it";
  auto shown = events->Of<KROStreamingFrameEvent>(KRO3DStreamingViewer::STREAMING_FRAME());
  EXPECT_EQ(shown[0]->GetFrameID(), KROUnicodeString("A"));
  EXPECT_EQ(shown[0]->GetSessionID(), KROUnicodeString(kSession));
}

TEST_F(PresentationTest, SameSizeImagesUpdateTheTextureInPlaceAnotherSizeRebindsANewOne) {
  Queue(SolidFrame(320, 200, 1));
  access.OnSwap();
  ASSERT_TRUE(View().texture);
  ASSERT_TRUE(View().backgroundRep) << "a view-sized image creates the missing background";
  IVisTexture* first = View().texture.Get();
  KROGraphicMaterial* material = View().backgroundRep->GetGraphicMaterial();
  const int sourceMap = material->getParameter("sourceMap");
  EXPECT_EQ(material->GetParameterTexture(sourceMap).Get(), first);

  Queue(SolidFrame(320, 200, 2));
  access.OnSwap();
  EXPECT_EQ(View().texture.Get(), first);
  EXPECT_EQ(first->GetUpdateCount(), 1u);

  Queue(SolidFrame(64, 48, 3));
  access.OnSwap();
  EXPECT_NE(View().texture.Get(), first);
  EXPECT_EQ(material->GetParameterTexture(sourceMap).Get(), View().texture.Get());
}

TEST_F(PresentationTest, AViewportWithoutWidthTakesTheWindowSizeTruncated) {
  Window()->Resize(799.7f, 600.2f);
  Queue(SolidFrame(799, 600, 1));
  access.OnSwap();
  EXPECT_TRUE(View().backgroundRep) << "the image has the view's size";
  std::uint32_t width = 0, height = 0;
  access.ViewSize(0, width, height);
  EXPECT_EQ(width, 799u);
  EXPECT_EQ(height, 600u);
}

TEST_F(PresentationTest, AForcedCameraMovesTheViewpointEvenWithoutImage) {
  PendingFrame frame;
  frame.forcedCamera = KROPtr<KROVisCamera>::Adopt(
      KROVisPerspectiveCamera::Create({0, 0, 42}, {0, 0, -1}, {0, 1, 0}));
  {
    KROMutexLock lock(*View().mutex);
    View().frameQueue.push_back(std::move(frame));
  }
  access.OnSwap();
  EXPECT_EQ(View().viewpoint->GetOrigin(), (KROMathPoint{0, 0, 42}));
  EXPECT_FALSE(View().texture);
}

TEST_F(PresentationTest, APendingFocusDistanceIsAppliedOnlyWhenPositive) {
  const float before = View().viewpoint->GetFocusDistance();
  for (float ignored : {0.0f, -1.0f, NAN}) {
    View().pendingFocusDistance.store(ignored);
    access.OnSwap();
    EXPECT_EQ(View().viewpoint->GetFocusDistance(), before);
  }
  View().pendingFocusDistance.store(12.5f);
  access.OnSwap();
  EXPECT_EQ(View().viewpoint->GetFocusDistance(), 12.5f);
  EXPECT_EQ(View().pendingFocusDistance.load(), -1.0f);
}

// From the service to the screen: a published frame is drawn into the window.
TEST_F(PresentationTest, APublishedFrameEndsUpInTheWindowAndItsScreenshot) {
  SubscribeToFrames();
  access.HookPresentationToDraws();
  VOZ::Parameters record;
  record.WriteBuffer("colorImgBuffer", SolidFrame(320, 200, 0xFF3366CC));
  node.Publish("StreamingEvent", record);
  ASSERT_TRUE(
      KROEventLoop::Get().RunUntil([&] { return bool(View().texture); }, std::chrono::seconds(10)));
  KROEventLoop::Get().RunUntil([&] { return !Window()->GetDrawRequestFlag(); },
                               std::chrono::seconds(10));
  std::uint32_t pixel = 0;
  std::memcpy(&pixel, Window()->GetFramebuffer().data() + (100 * 320 + 160) * 4, 4);
  EXPECT_EQ(pixel, 0xFF3366CCu);

  const std::string path = testing::TempDir() + "krostream-presentation.png";
  EXPECT_EQ(Window()->SaveScreenshot(path.c_str()), S_OK);
  std::remove(path.c_str());
}

}  // namespace
