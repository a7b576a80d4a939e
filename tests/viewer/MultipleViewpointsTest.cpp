#include <gtest/gtest.h>

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
