#include <gtest/gtest.h>

#include "StreamingViewerFixture.h"
#include "events/KROStreamingErrorEvent.h"

namespace {

using Reply = TestSupport::ScriptedRenderingNode::Reply;

// A viewer streaming from a scripted node through its connection parameters.
class ViewSettingsTest : public testing::Test {
 protected:
  static constexpr const char* kServer = "RenderServer";
  static constexpr const char* kSession = "session-A";

  void SetUp() override {
    // Every camera change is answered with a picture of the view's size.
    node.Script("streamingSetCamera", {.then = [this](std::uint64_t) {
                  VOZ::Parameters frame;
                  std::vector<unsigned char> pixels(320 * 200 * 4, 0x40);
                  frame.WriteBuffer("colorImgBuffer",
                                    Vorn::Binary::Copy(pixels.data(), pixels.size()));
                  node.Publish("StreamingEvent", frame);
                }});
    Window()->Expose();
    ASSERT_EQ(viewer->SetConnectionParameters(node.GetUrl(), Params(),
                                              KRO3DStreamingViewer::kNoAuthentification),
              S_OK);
  }
  KRO3DStreamingViewer::NodeParams Params() {
    return {kSession, kServer, Vis::kViewSizedRawSession};
  }
  KROGraphicWindow* Window() const { return static_cast<KROGraphicWindow*>(viewer->GetSupport()); }
  std::size_t CountCalls(const std::string& function) {
    std::size_t count = 0;
    for (const auto& call : node.Calls()) count += call.function == function;
    return count;
  }

  TestSupport::ScriptedRenderingNode node{kServer, kSession};
  ViewerHolder viewer = MakeViewer();
  KRO3DStreamingViewerTestAccess access{*viewer};
  KROPtr<EventRecorder> events = KROPtr<EventRecorder>::Adopt(new EventRecorder(*viewer));
};

TEST_F(ViewSettingsTest, ARefusedEnvironmentIsRolledBackWithoutBeingSentAgain) {
  KROVizViewer* vizViewer = viewer->GetVizViewer();
  auto accepted = KROPtr<KROVisInfiniteEnvironment>::Adopt(new KROVisInfiniteEnvironment("Studio"));
  vizViewer->SetInfiniteEnvironment(accepted.Get());
  EXPECT_EQ(CountCalls("streamingUpdateViewer"), 2u) << "once at connection, once for Studio";
  const auto lastRequest = node.Calls().back().parameters;
  std::string ambiance;
  EXPECT_EQ(lastRequest.ReadString("ambiance", ambiance), S_OK);
  EXPECT_EQ(ambiance, "Studio");

  VOZ::Parameters refusal;
  refusal.WriteString("status", "Unsupported");
  node.Script("streamingUpdateViewer", {.outcome = Reply::Outcome::Error, .record = refusal});
  auto refused = KROPtr<KROVisInfiniteEnvironment>::Adopt(new KROVisInfiniteEnvironment("Night"));
  vizViewer->SetInfiniteEnvironment(refused.Get());
  EXPECT_EQ(vizViewer->GetInfiniteEnvironmentRootName(), "Studio");
  EXPECT_EQ(CountCalls("streamingUpdateViewer"), 3u) << "the roll-back is not sent again";
  auto errors = events->Of<KROStreamingErrorEvent>(KRO3DStreamingViewer::STREAMING_ERROR());
  ASSERT_EQ(errors.size(), 1u) << "dispatched at once";
  EXPECT_EQ(errors[0]->GetFailedAction(), KROStreamingErrorEvent::UpdateViewer);
}

TEST_F(ViewSettingsTest, ViewModeAndResizeReachTheService) {
  viewer->GetVizViewer()->SetViewMode(4);
  std::int32_t viewMode = 0;
  EXPECT_EQ(node.Calls().back().parameters.ReadInt32("viewmode", viewMode), S_OK);
  EXPECT_EQ(viewMode, 4);

  const std::size_t before = CountCalls("streamingSetCamera");
  Window()->Resize(640.9f, 480.2f);
  ASSERT_TRUE(Eventually([&] { return CountCalls("streamingSetCamera") == before + 1; }));
  std::uint32_t width = 0, height = 0;
  for (const auto& call : node.Calls()) {
    if (call.function != "streamingSetCamera") continue;
    call.parameters.ReadUint32("width", width);
    call.parameters.ReadUint32("height", height);
  }
  EXPECT_EQ(width, 640u);
  EXPECT_EQ(height, 480u);
}

TEST_F(ViewSettingsTest, AViewWhoseNodeWasStoppedIsLeftOutOfEverySend) {
  access.StopNode(0);
  const std::size_t calls = node.Calls().size();
  viewer->GetMain3DViewpoint()->SetOrigin({9, 9, 9});
  viewer->GetVizViewer()->SetViewMode(2);
  EXPECT_EQ(access.SendReframe(0), E_INVALID_STATE);
  EXPECT_EQ(node.Calls().size(), calls);
}

TEST_F(ViewSettingsTest, SettingConnectionParametersAgainStartsAfresh) {
  ASSERT_EQ(node.GetNodeServer().GetSubscriberCount("StreamingEvent"), 1u);
  ASSERT_EQ(viewer->SetConnectionParameters(node.GetUrl(), Params(),
                                            KRO3DStreamingViewer::kNoAuthentification),
            S_OK);
  EXPECT_TRUE(Eventually([&] {
    return node.GetNodeServer().GetSubscriberCount("StreamingEvent") == 1u;
  })) << "the first connection's subscription is gone, the second's is there";
  EXPECT_EQ(access.Views().size(), 1u);
}

TEST(ViewSettingsOnPlainSupport, ConnectionParametersNeedAWindow) {
  ViewerHolder viewer = MakeViewer(KRONavigation3DViewer::kPlainSupport);
  EXPECT_EQ(viewer->SetConnectionParameters("wss://render-krostream.localhost/hypervisor",
                                            {"s", "server", Vis::kJpegSession},
                                            KRO3DStreamingViewer::kNoAuthentification),
            E_UNEXPECTED);
  EXPECT_EQ(viewer->WaitPendingDraw(0, false), S_OK) << "the context stays; nothing to wait for";
}

}  // namespace
