#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "KROEventLoop.h"
#include "KROGraphicWindow.h"
#include "KRONavigation3DViewer.h"
#include "KROPtr.h"

namespace {

class WindowListener : public KROEventSubscriber {
 public:
  void OnEndingDraw(const char*, KROBaseUnknown*, KRONotification*, KROSubscriberData,
                    KROCallbackId) {
    ++endingDraws;
    drawOnGoingSeen = window->GetDrawOnGoingFlag();
    if (redrawOnce) {
      redrawOnce = false;
      window->Draw();
    }
  }
  void OnOther(const char* name, KROBaseUnknown*, KRONotification*, KROSubscriberData,
               KROCallbackId) {
    names.emplace_back(name);
  }
  KROGraphicWindow* window = nullptr;
  int endingDraws = 0;
  bool drawOnGoingSeen = false;
  bool redrawOnce = false;
  std::vector<std::string> names;
};

class GraphicWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    listener->window = window.Get();
    listener->AddCallback(window.Get(), KROGraphicWindow::GRAPHICWINDOW_ENDING_DRAW(),
                          &WindowListener::OnEndingDraw, 0);
  }
  KROPtr<KROGraphicWindow> window = KROPtr<KROGraphicWindow>::Adopt(new KROGraphicWindow(4, 3));
  KROPtr<WindowListener> listener = KROPtr<WindowListener>::Adopt(new WindowListener);
  KROEventLoop& loop = KROEventLoop::Get();
};

TEST_F(GraphicWindowTest, ADrawRequestedFromAnotherThreadRunsOnTheLoopAndEndsWithTheNotification) {
  EXPECT_EQ(window->GetFramebuffer().size(), 4u * 3u * 4u);
  std::thread([&] { window->Draw(); }).join();
  EXPECT_TRUE(window->GetDrawRequestFlag());
  EXPECT_EQ(listener->endingDraws, 0) << "the draw itself belongs to the loop";
  EXPECT_TRUE(loop.RunUntil([&] { return listener->endingDraws == 1; }, std::chrono::seconds(5)));
  EXPECT_TRUE(listener->drawOnGoingSeen);
  EXPECT_FALSE(window->GetDrawOnGoingFlag());
  EXPECT_FALSE(window->GetDrawRequestFlag());
  EXPECT_FALSE(loop.ProcessPending()) << "nothing requested, nothing drawn";
}

TEST_F(GraphicWindowTest, ADrawRequestedDuringADrawStaysRequested) {
  listener->redrawOnce = true;
  window->Draw();
  loop.ProcessPending();
  EXPECT_EQ(listener->endingDraws, 1);
  EXPECT_TRUE(window->GetDrawRequestFlag());
  loop.ProcessPending();
  EXPECT_EQ(listener->endingDraws, 2);
}

TEST_F(GraphicWindowTest, PublishesExposeResizeAndDeviceAction) {
  for (const char* name :
       {KROGraphicWindow::GRAPHICWINDOW_EXPOSE(), KROGraphicWindow::GRAPHICWINDOW_RESIZE(),
        KROGraphicWindow::DEVICE_ACTION()}) {
    listener->AddCallback(window.Get(), name, &WindowListener::OnOther, 0);
  }
  window->Expose();
  window->Resize(10.5f, 2.0f);
  window->PublishDeviceAction(nullptr);
  EXPECT_EQ(listener->names, (std::vector<std::string>{"KROGraphicWindowGRAPHICWINDOW_EXPOSEEvt",
                                                       "KROGraphicWindowGRAPHICWINDOW_RESIZEEvt",
                                                       "KROGraphicWindowDEVICE_ACTIONEvt"}));
  EXPECT_FLOAT_EQ(window->GetWidth(), 10.5f);
  EXPECT_EQ(window->GetPixelWidth(), 10);
  EXPECT_EQ(window->GetFramebuffer().size(), 10u * 2u * 4u);
}

TEST_F(GraphicWindowTest, PostedTasksRunOnThePumpingThread) {
  const auto pumping = std::this_thread::get_id();
  std::thread::id ranOn;
  std::thread([&] { loop.Post([&] { ranOn = std::this_thread::get_id(); }); }).join();
  EXPECT_TRUE(loop.RunUntil([&] { return ranOn == pumping; }, std::chrono::seconds(5)));
}

TEST(Navigation3DViewer, SupportFollowsTheFlagsAndResourceNamesChainToTheBase) {
  KRODialog dialog("frame");
  auto* windowed = new KRONavigation3DViewer(&dialog, "v", 0, 64, 32, 0);
  auto* plain =
      new KRONavigation3DViewer(&dialog, "p", 0, 64, 32, KRONavigation3DViewer::kPlainSupport);
  EXPECT_TRUE(windowed->GetSupport()->IsAKindOf("KROGraphicWindow"));
  EXPECT_FALSE(plain->GetSupport()->IsAKindOf("KROGraphicWindow"));
  EXPECT_FLOAT_EQ(plain->GetSupport()->GetWidth(), 64.0f);
  plain->Draw();  // a plain support has nothing to draw
  EXPECT_NE(windowed->GetMain3DViewpoint(), nullptr);
  EXPECT_NE(windowed->GetVizViewer(), nullptr);
  EXPECT_STREQ(windowed->GetResourceFilename(0).CastToCharPtr(), "KRONavigation3DViewer");
  EXPECT_STREQ(windowed->GetResourceFilename(1).CastToCharPtr(), "KROViewer");
  EXPECT_TRUE(windowed->GetResourceFilename(2).IsEmpty());
  windowed->Release();
  plain->Release();
}

}  // namespace
