#include <gtest/gtest.h>

#include <atomic>

#include "KROEventSubscriber.h"
#include "KROPtr.h"
#include "events/KROStreamingErrorEvent.h"
#include "events/KROStreamingFrameEvent.h"
#include "events/KROStreamingPickEvent.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {

Vis::RepPath Path(std::vector<KROUnicodeString> ids, std::vector<std::int32_t> sub = {}) {
  return Vis::RepPath{std::move(ids), std::move(sub)};
}

TEST(StreamingEvents, ErrorEventCarriesItsViewActionAndTexts) {
  auto event = KROPtr<KROStreamingErrorEvent>::Adopt(
      new KROStreamingErrorEvent("S1", 3, KROStreamingErrorEvent::UpdateProbingEnvelopes, "", ""));
  EXPECT_EQ(event->GetSessionID(), KROUnicodeString("S1"));
  EXPECT_EQ(event->GetViewID(), 3u);
  EXPECT_EQ(event->GetFailedAction(), 12);
  EXPECT_TRUE(event->GetErrorStatus().IsEmpty());
  EXPECT_TRUE(event->GetErrorMessage().IsEmpty());
  EXPECT_EQ(event->GetKind(), 0);
}

TEST(StreamingEvents, ThereAreThirteenActionsNumberedInOrder) {
  using E = KROStreamingErrorEvent;
  const E::Action actions[] = {E::UpdateViewer,
                               E::SetCamera,
                               E::Pick,
                               E::PickPrehighlight,
                               E::Highlight,
                               E::EmptyHighlight,
                               E::HideShow,
                               E::PlayAnimation,
                               E::PauseAnimation,
                               E::ResumeAnimation,
                               E::StopAnimation,
                               E::SetActiveFrame,
                               E::UpdateProbingEnvelopes};
  for (int value = 0; value < 13; ++value) EXPECT_EQ(actions[value], value);
}

TEST(StreamingEvents, PointPickAlwaysCarriesExactlyOneObject) {
  const KROStreamingPickEvent::ExtraInfo extra{{"b", "2"}, {"a", "1"}};
  auto event = KROPtr<KROStreamingPickEvent>::Adopt(
      new KROStreamingPickEvent("S", 0, Vis::RepPath{}, KROMathPoint{1, 2, 3}, extra, true));
  ASSERT_EQ(event->GetPickedObjects().size(), 1u);
  EXPECT_TRUE(event->GetPickedObjects()[0].IsEmpty());
  EXPECT_TRUE(event->IsRayPick());
  EXPECT_TRUE(event->KeepPreviousPick());
  EXPECT_EQ(event->GetIntersectedPoint(), (KROMathPoint{1, 2, 3}));
  EXPECT_EQ(event->GetExtraPickingInfo().begin()->first, KROUnicodeString("a"));
}

TEST(StreamingEvents, AreaPickKeepsOnlyNonNullNonEmptyPathsInOrder) {
  std::vector<std::unique_ptr<Vis::RepPath>> paths;
  paths.push_back(std::make_unique<Vis::RepPath>(Path({"a"}, {4})));
  paths.push_back(nullptr);
  paths.push_back(std::make_unique<Vis::RepPath>(Path({}, {1})));
  paths.push_back(std::make_unique<Vis::RepPath>(Path({"b", "c"})));
  auto event =
      KROPtr<KROStreamingPickEvent>::Adopt(new KROStreamingPickEvent("S", 1, paths, false));
  ASSERT_EQ(event->GetPickedObjects().size(), 2u);
  EXPECT_EQ(event->GetPickedObjects()[0], Path({"a"}, {4}));
  EXPECT_EQ(event->GetPickedObjects()[1], Path({"b", "c"}));
  EXPECT_FALSE(event->IsRayPick());
  EXPECT_EQ(paths.size(), 4u) << "the caller keeps its paths";

  auto none = KROPtr<KROStreamingPickEvent>::Adopt(new KROStreamingPickEvent("S", 1, {}, false));
  EXPECT_TRUE(none->GetPickedObjects().empty());
  EXPECT_FALSE(none->IsRayPick());
  EXPECT_EQ(none->GetIntersectedPoint(), KROMathPoint{});
  EXPECT_TRUE(none->GetExtraPickingInfo().empty());
}

TEST(StreamingEvents, CopiesAreIndependentObjects) {
  auto original = KROPtr<KROStreamingPickEvent>::Adopt(new KROStreamingPickEvent(
      "S", 2, Path({"x"}, {7}), KROMathPoint{0, 0, 1}, {{"k", "v"}}, false));
  original->AddRef();  // a listener's reference must not travel with the copy
  auto copy = KROPtr<KROStreamingPickEvent>::Adopt(new KROStreamingPickEvent(*original));
  EXPECT_EQ(copy->GetRefCount(), 1u);
  EXPECT_NE(&copy->GetPickedObjects(), &original->GetPickedObjects());
  EXPECT_EQ(copy->GetPickedObjects(), original->GetPickedObjects());
  EXPECT_EQ(copy->GetExtraPickingInfo(), original->GetExtraPickingInfo());
  EXPECT_EQ(copy->GetSessionID(), original->GetSessionID());
  original->Release();
  original = nullptr;  // the copy outlives its source
  EXPECT_EQ(copy->GetPickedObjects()[0].repIDs[0], KROUnicodeString("x"));

  auto error = KROPtr<KROStreamingErrorEvent>::Adopt(
      new KROStreamingErrorEvent("S", 0, KROStreamingErrorEvent::Pick, "st", "msg"));
  auto errorCopy = KROPtr<KROStreamingErrorEvent>::Adopt(new KROStreamingErrorEvent(*error));
  EXPECT_EQ(errorCopy->GetErrorMessage(), KROUnicodeString("msg"));
  auto frame = KROPtr<KROStreamingFrameEvent>::Adopt(new KROStreamingFrameEvent("S", 0, "f"));
  auto frameCopy = KROPtr<KROStreamingFrameEvent>::Adopt(new KROStreamingFrameEvent(*frame));
  EXPECT_EQ(frameCopy->GetFrameID(), KROUnicodeString("f"));
}

TEST(StreamingEvents, KindOfAcrossTheEventClasses) {
  auto error = KROPtr<KROStreamingEvent>::Adopt(
      new KROStreamingErrorEvent("S", 0, KROStreamingErrorEvent::Pick, "", ""));
  auto frame = KROPtr<KROStreamingEvent>::Adopt(new KROStreamingFrameEvent("S", 0, "f"));
  auto pick = KROPtr<KROStreamingEvent>::Adopt(new KROStreamingPickEvent("S", 0, {}, false));
  for (const auto& event : {error, frame, pick}) {
    EXPECT_TRUE(event->IsAKindOf("KROStreamingEvent"));
    EXPECT_TRUE(event->IsAKindOf("KRONotification"));
  }
  EXPECT_FALSE(error->IsAKindOf("KROStreamingPickEvent"));
  EXPECT_STREQ(error->IsA(), "KROStreamingErrorEvent");
  EXPECT_STREQ(frame->IsA(), "KROStreamingFrameEvent");
  EXPECT_STREQ(pick->IsA(), "KROStreamingPickEvent");
  EXPECT_EQ(KROStreamingPickEvent::MetaObject()->GetBase(), KROStreamingEvent::MetaObject());
  EXPECT_EQ(KROStreamingEvent::MetaObject()->GetBase(), KRONotification::MetaObject());
  EXPECT_EQ(KROStreamingPickEvent::CreateItself(), nullptr);
}

// A frame event that tells when it is destroyed.
class WatchedFrameEvent : public KROStreamingFrameEvent {
 public:
  WatchedFrameEvent(std::atomic<int>& destroyed)
      : KROStreamingFrameEvent("S", 0, "f"), _Destroyed(destroyed) {}

 protected:
  ~WatchedFrameEvent() override { ++_Destroyed; }

 private:
  std::atomic<int>& _Destroyed;
};

class Publisher : public KROEventSubscriber {
 public:
  // How the viewer hands an event over: one reference, dispatched, released.
  void DispatchAndRelease(KRONotification* event) {
    GetCallbackManager()->DispatchCallbacks(KRO3DStreamingViewer::STREAMING_FRAME(), event,
                                            nullptr);
    event->Release();
  }
};

class Keeper : public KROEventSubscriber {
 public:
  void OnFrame(const char*, KROBaseUnknown*, KRONotification* event, KROSubscriberData,
               KROCallbackId) {
    aliveDuringCallback = destroyed == 0;
    if (keep) {
      event->AddRef();
      kept = event;
    }
  }
  std::atomic<int> destroyed{0};
  bool keep = false;
  bool aliveDuringCallback = false;
  KRONotification* kept = nullptr;
};

TEST(StreamingEvents, AnEventNobodyKeptDiesWhenItsDispatchReturnsAKeptOneLaterOn) {
  auto publisher = KROPtr<Publisher>::Adopt(new Publisher);
  auto keeper = KROPtr<Keeper>::Adopt(new Keeper);
  keeper->AddCallback(publisher.Get(), KRO3DStreamingViewer::STREAMING_FRAME(), &Keeper::OnFrame,
                      0);

  publisher->DispatchAndRelease(new WatchedFrameEvent(keeper->destroyed));
  EXPECT_TRUE(keeper->aliveDuringCallback);
  EXPECT_EQ(keeper->destroyed, 1);

  keeper->keep = true;
  publisher->DispatchAndRelease(new WatchedFrameEvent(keeper->destroyed));
  EXPECT_EQ(keeper->destroyed, 1);
  keeper->kept->Release();
  EXPECT_EQ(keeper->destroyed, 2);
}

}  // namespace
