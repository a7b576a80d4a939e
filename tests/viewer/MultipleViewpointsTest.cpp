#include <gtest/gtest.h>

#include "KROEventLoop.h"
#include "KROI3DMultiViewpointViewer.h"
#include "StreamingViewerFixture.h"

namespace {

// A viewer whose window shows a layout of viewpoint cells.
class MultipleViewpointsTest : public StreamingViewerTest {
 protected:
  void SetUp() override {
    StreamingViewerTest::SetUp();
    viewer->SetMultiViewpointLayout(layout.Get());
  }
  KROPtr<KRO3DViewpoint> NewViewpoint() {
    auto viewpoint = KROPtr<KRO3DViewpoint>::Adopt(new KRO3DViewpoint);
    Window()->AddViewpoint(viewpoint.Get());
    return viewpoint;
  }
  void LayoutOf(std::initializer_list<KRO3DViewpoint*> cells) {
    layout->ClearCells();
    for (KRO3DViewpoint* cell : cells) layout->AddCell(cell);
    layout->SetLayoutOn(true);
  }
  void LayoutChanged() {
    access.MultiviewModified(KRONavigation3DViewer::VIEWER_MAINVIEWPOINT_CHANGED());
  }

  KROPtr<KROMultiViewpointLayout> layout =
      KROPtr<KROMultiViewpointLayout>::Adopt(new KROMultiViewpointLayout);
};

TEST_F(MultipleViewpointsTest, ViewsFollowTheDisplayedCellsInOrder) {
  auto a = NewViewpoint(), b = NewViewpoint(), hidden = NewViewpoint();
  hidden->SetDisplayFlag(0);
  LayoutOf({a.Get(), nullptr, hidden.Get(), b.Get()});
  EXPECT_EQ(access.ViewpointFromViewIndex(0), a.Get());
  EXPECT_EQ(access.ViewpointFromViewIndex(1), b.Get()) << "cells that do not count take no number";
  EXPECT_EQ(access.ViewpointFromViewIndex(5), nullptr);

  ASSERT_TRUE(access.AttachNode(1, node.GetUrl(), kServer, kSession, std::chrono::seconds(10)));
  LayoutChanged();
  EXPECT_EQ(access.View(0).viewpoint.Get(), a.Get());
  EXPECT_EQ(access.View(1).viewpoint.Get(), b.Get());
}

TEST_F(MultipleViewpointsTest, WithoutLayoutView0ShowsTheMainViewpointAndOthersAreDropped) {
  ASSERT_TRUE(access.AttachNode(1, node.GetUrl(), kServer, kSession, std::chrono::seconds(10)));
  EXPECT_EQ(access.ViewpointFromViewIndex(1), nullptr);
  LayoutChanged();
  EXPECT_EQ(access.View(0).viewpoint.Get(), viewer->GetMain3DViewpoint());
  EXPECT_EQ(access.View(1).mutex, nullptr) << "auto-disconnect drops views beyond the layout";
}

TEST_F(MultipleViewpointsTest, ADirectCallTakesTheSinglePathEvenWithALayoutOn) {
  auto a = NewViewpoint(), b = NewViewpoint();
  LayoutOf({a.Get(), b.Get()});
  LayoutChanged();
  ASSERT_EQ(access.View(0).viewpoint.Get(), a.Get());
  access.MultiviewModified(nullptr);
  EXPECT_EQ(access.View(0).viewpoint.Get(), viewer->GetMain3DViewpoint());
}

TEST_F(MultipleViewpointsTest, InactiveViewsKeepTheirViewpoint) {
  auto a = NewViewpoint();
  viewer->SetViewActivation(0, false);
  LayoutOf({a.Get()});
  LayoutChanged();
  EXPECT_EQ(access.View(0).viewpoint, nullptr)
      << "deactivation unbound it; the layout binds nothing";
}

TEST_F(MultipleViewpointsTest, CursorOffsetsMeasureFromTheBottomOrTheTop) {
  Window()->Resize(800.0f, 799.6f);
  auto viewpoint = NewViewpoint();
  viewpoint->SetViewport(10, 20, 300, 200);
  int x = 0, y = 0;
  access.CursorOffset(*viewpoint, x, y, false);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(10, 20));
  access.CursorOffset(*viewpoint, x, y, true);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(10, 579));
  viewpoint->SetViewport(10, 20, 300, 0);
  access.CursorOffset(*viewpoint, x, y, true);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(10, 20));
}

}  // namespace

namespace {

// Two views of a two-cell layout, each streaming from its own rendering node.
TEST(MultipleViewpointsStreaming, TwoCellsStreamToViewsZeroAndOne) {
  TestSupport::ScriptedRenderingNode node("RenderServer", "session-A");
  // A second rendering node behind the same hypervisor renders a picture per camera change.
  Vorn::NodeServer second("RenderServer", "session-B");
  second.SetFallbackHandler([&second](const Vorn::CallRequest& request) {
    VOZ::Parameters answer;
    answer.WriteUint64("callId", 1);
    request.responder.Succeed(answer);
    if (request.function != "streamingSetCamera") return;
    std::vector<unsigned char> pixels(160 * 200 * 4, 0x22);
    VOZ::Parameters frame;
    frame.WriteBuffer("colorImgBuffer", Vorn::Binary::Copy(pixels.data(), pixels.size()));
    second.Publish("StreamingEvent", frame);
  });
  node.GetHypervisor().AddNode(second);
  node.Script("streamingSetCamera", {.then = [&node](std::uint64_t) {
                std::vector<unsigned char> pixels(160 * 200 * 4, 0x11);
                VOZ::Parameters frame;
                frame.WriteBuffer("colorImgBuffer",
                                  Vorn::Binary::Copy(pixels.data(), pixels.size()));
                node.Publish("StreamingEvent", frame);
              }});

  ViewerHolder viewer = MakeViewer();
  KRO3DStreamingViewerTestAccess access(*viewer);
  auto* window = static_cast<KROGraphicWindow*>(viewer->GetSupport());
  KRO3DViewpoint* left = viewer->GetMain3DViewpoint();
  left->SetViewport(0, 0, 160, 200);
  auto right = KROPtr<KRO3DViewpoint>::Adopt(new KRO3DViewpoint);
  right->SetViewport(160, 0, 160, 200);
  window->AddViewpoint(right.Get());
  auto layout = KROPtr<KROMultiViewpointLayout>::Adopt(new KROMultiViewpointLayout);
  layout->AddCell(left);
  layout->AddCell(right.Get());
  layout->SetLayoutOn(true);
  viewer->SetMultiViewpointLayout(layout.Get());
  window->Expose();

  ASSERT_EQ(viewer->SetConnectionParameters(
                node.GetUrl(), {"session-A", "RenderServer", Vis::kViewSizedRawSession},
                KRO3DStreamingViewer::kNoAuthentification),
            S_OK);
  ASSERT_EQ(viewer->ConnectView(1, {"session-B", "RenderServer", Vis::kViewSizedRawSession}), S_OK);
  EXPECT_EQ(access.View(0).viewpoint.Get(), left);
  EXPECT_EQ(access.View(1).viewpoint.Get(), right.Get());

  viewer->Draw();
  KROEventLoop::Get().ProcessPending();
  const auto& pixels = window->GetFramebuffer();
  EXPECT_EQ(pixels[(100 * 320 + 80) * 4], 0x11) << "view 0's picture in the left cell";
  EXPECT_EQ(pixels[(100 * 320 + 240) * 4], 0x22) << "view 1's picture in the right cell";
  node.GetHypervisor().RemoveNode(second);
}

}  // namespace
