#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "KRONotification.h"
#include "StreamingViewerFixture.h"

namespace {

class ViewerTest : public testing::Test {
 protected:
  ViewerHolder viewer = MakeViewer();
  KRO3DStreamingViewerTestAccess access{*viewer};
};

TEST_F(ViewerTest, RegistersItsClassAndNamesItsNotifications) {
  EXPECT_STREQ(viewer->IsA(), "KRO3DStreamingViewer");
  EXPECT_TRUE(viewer->IsAKindOf("KRONavigation3DViewer"));
  EXPECT_EQ(KRO3DStreamingViewer::CreateItself(), nullptr);
  EXPECT_STREQ(KRO3DStreamingViewer::STREAMING_ERROR(), "KRO3DStreamingViewerSTREAMING_ERROREvt");
  EXPECT_STREQ(KRO3DStreamingViewer::STREAMING_FRAME(), "KRO3DStreamingViewerSTREAMING_FRAMEEvt");
  EXPECT_STREQ(KRO3DStreamingViewer::STREAMING_PICK(), "KRO3DStreamingViewerSTREAMING_PICKEvt");
  const KROMetaClass* pick =
      fct_RetrieveMetaObject(KRO3DStreamingViewer::STREAMING_PICK(), 1, nullptr, "", "", 0);
  EXPECT_TRUE(pick->IsAKindOf("KRONotification")) << "names are registered notification classes";
}

TEST_F(ViewerTest, StartsUnconnectedWithItsDefaults) {
  EXPECT_TRUE(access.Views().empty());
  EXPECT_TRUE(viewer->IsAutoDisconnectActive());
  EXPECT_TRUE(viewer->IsAutoHighlightActive());
  EXPECT_FALSE(access.IsExposed()) << "a window must be exposed first";
}

TEST(ViewerTraceId, TheFirstTwoViewersOfAProcessAreNumberedZeroAndOne) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: no viewer made yet
  EXPECT_EXIT(
      {
        ViewerHolder first = MakeViewer();
        ViewerHolder second = MakeViewer();
        const bool numbered = KRO3DStreamingViewerTestAccess(*first).TraceID() == 0 &&
                              KRO3DStreamingViewerTestAccess(*second).TraceID() == 1;
        std::exit(numbered ? 0 : 1);
      },
      testing::ExitedWithCode(0), "");
}

TEST_F(ViewerTest, ResourceNamesPutTheViewerFirstThenItsBase) {
  for (int index : {0, -3}) {
    EXPECT_STREQ(viewer->GetResourceFilename(index).CastToCharPtr(), "KRO3DStreamingViewer");
  }
  EXPECT_STREQ(viewer->GetResourceFilename(1).CastToCharPtr(), "KRONavigation3DViewer");
  EXPECT_STREQ(viewer->GetResourceFilename(2).CastToCharPtr(), "KROViewer");
}

TEST_F(ViewerTest, IsViewActiveBeyondTheTableIsFalseAndDoesNotGrowIt) {
  EXPECT_FALSE(viewer->IsViewActive(0));
  EXPECT_FALSE(viewer->IsViewActive(7));
  EXPECT_TRUE(access.Views().empty());
  access.GrowViews(2);
  access.Views()[1].active = true;
  EXPECT_TRUE(viewer->IsViewActive(1));
  EXPECT_FALSE(viewer->IsViewActive(2));
}

TEST_F(ViewerTest, SessionLookupFindsTheLowestIndexEvenAfterDisconnection) {
  access.GrowViews(3);
  access.Views()[1].sessionId = "S";
  access.Views()[2].sessionId = "S";
  access.MarkConnected(1);
  access.Disconnect(1);
  EXPECT_EQ(access.Views()[1].mutex, nullptr);
  EXPECT_EQ(viewer->GetViewIndexFromSessionID("S"), 1);
  EXPECT_EQ(viewer->GetViewIndexFromSessionID("other"), -1);
  EXPECT_EQ(viewer->GetViewIndexFromSessionID(""), 0) << "unconnected entries are searched too";
}

TEST_F(ViewerTest, GrowingKeepsEntriesAndTheirLockAddressesAndGivesNewEntriesInitialValues) {
  access.GrowViews(1);
  access.MarkConnected(0);
  ViewParameters& first = access.Views()[0];
  first.sessionId = "kept";
  first.submittedCallId = 12;
  KROMutex* lock = first.mutex.get();
  access.GrowViews(40);  // reallocates
  ASSERT_EQ(access.Views().size(), 40u);
  EXPECT_EQ(access.Views()[0].mutex.get(), lock);
  EXPECT_EQ(access.Views()[0].sessionId, KROUnicodeString("kept"));
  EXPECT_EQ(access.Views()[0].submittedCallId, 12u);
  const ViewParameters& fresh = access.Views()[39];
  EXPECT_EQ(fresh.mutex, nullptr);
  EXPECT_EQ(fresh.sessionType, Vis::kJpegSession);
  EXPECT_FLOAT_EQ(fresh.pendingFocusDistance.load(), -1.0f);
  EXPECT_FALSE(fresh.active);
  EXPECT_EQ(fresh.clientNode, nullptr);
  access.GrowViews(3);  // never shrinks
  EXPECT_EQ(access.Views().size(), 40u);
}

TEST_F(ViewerTest, GrowingWaitsForTheLockOfEveryConnectedEntry) {
  access.GrowViews(2);
  access.MarkConnected(1);
  KROMutex* lock = access.Views()[1].mutex.get();
  lock->LockF();  // an answer thread working on view 1
  std::atomic<bool> grown{false};
  std::thread grower([&] {
    access.GrowViews(64);
    grown = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(grown) << "the table must not move while an entry's lock is held elsewhere";
  lock->UnlockF();
  grower.join();
  EXPECT_TRUE(grown);
  EXPECT_EQ(access.Views().size(), 64u);
  EXPECT_TRUE(lock->TryLockF()) << "growth released the lock it took";
  lock->UnlockF();
}

TEST_F(ViewerTest, CleanOnAFreshViewerChangesNothing) {
  access.Clean();
  EXPECT_TRUE(access.Views().empty());
  EXPECT_NE(access.ExposeCallbackId(), 0) << "Clean leaves the exposure subscription alone";
  EXPECT_EQ(access.MainViewpointCallbackId(), 0);
}

TEST_F(ViewerTest, CleanDisconnectsAndEmptiesTheTable) {
  access.GrowViews(2);
  access.MarkConnected(0);
  access.Views()[0].frameQueue.push_back(PendingFrame{});
  access.Clean();
  EXPECT_TRUE(access.Views().empty());
}

TEST_F(ViewerTest, TheFirstExposureEndsTheExposureSubscription) {
  auto* window = static_cast<KROGraphicWindow*>(viewer->GetSupport());
  window->Expose();
  EXPECT_TRUE(access.IsExposed());
  EXPECT_FALSE(window->GetCallbackManager()->HasClients(KROGraphicWindow::GRAPHICWINDOW_EXPOSE()));
}

class MainViewpointListener : public KROEventSubscriber {
 public:
  void OnChanged(const char*, KROBaseUnknown*, KRONotification*, KROSubscriberData, KROCallbackId) {
  }
};

TEST(ViewerOnPlainSupport, IsExposedFromConstructionAndCleanRemovesOnlyTheMainViewpointCallback) {
  ViewerHolder viewer = MakeViewer(KRONavigation3DViewer::kPlainSupport);
  KRO3DStreamingViewerTestAccess access(*viewer);
  EXPECT_TRUE(access.IsExposed());

  auto* listener = new MainViewpointListener;
  access.MainViewpointCallbackId() = static_cast<int>(
      listener->AddCallback(viewer.get(), KRONavigation3DViewer::VIEWER_MAINVIEWPOINT_CHANGED(),
                            &MainViewpointListener::OnChanged, 0));
  access.DeviceActionCallbackId() = 42;  // window subscriptions stay as they are
  access.Clean();
  EXPECT_EQ(access.MainViewpointCallbackId(), 0);
  EXPECT_FALSE(viewer->GetCallbackManager()->HasClients(
      KRONavigation3DViewer::VIEWER_MAINVIEWPOINT_CHANGED()));
  EXPECT_EQ(access.DeviceActionCallbackId(), 42);
  access.DeviceActionCallbackId() = 0;
  listener->Release();
}

}  // namespace
