#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "KROGraphicWindow.h"
#include "ScriptedRenderingNode.h"
#include "ViewerTestAccess.h"

struct ViewerDeleter {
  void operator()(KRO3DStreamingViewer* viewer) const { viewer->Release(); }
};
using ViewerHolder = std::unique_ptr<KRO3DStreamingViewer, ViewerDeleter>;

inline ViewerHolder MakeViewer(unsigned long flags = 0) {
  static KRODialog dialog("viewer tests");
  return ViewerHolder(new KRO3DStreamingViewer(&dialog, "viewer", 0, 320, 200, flags));
}

// Keeps a reference to every event the viewer dispatches, in order.
class EventRecorder : public KROEventSubscriber {
 public:
  explicit EventRecorder(KRO3DStreamingViewer& viewer) {
    for (const char* name :
         {KRO3DStreamingViewer::STREAMING_ERROR(), KRO3DStreamingViewer::STREAMING_FRAME(),
          KRO3DStreamingViewer::STREAMING_PICK()}) {
      AddCallback(&viewer, name, &EventRecorder::OnEvent, 0);
    }
  }
  void OnEvent(const char* name, KROBaseUnknown*, KRONotification* event, KROSubscriberData,
               KROCallbackId) {
    std::lock_guard lock(_Mutex);
    _Events.push_back({name, KROPtr<KRONotification>(event)});
  }
  template <class Event>
  std::vector<KROPtr<Event>> Of(const char* name) {
    std::lock_guard lock(_Mutex);
    std::vector<KROPtr<Event>> result;
    for (const auto& [eventName, event] : _Events) {
      if (eventName == name) result.push_back(KROPtr<Event>(static_cast<Event*>(event.Get())));
    }
    return result;
  }

 private:
  std::mutex _Mutex;
  std::vector<std::pair<std::string, KROPtr<KRONotification>>> _Events;
};

// Polls `condition` until it holds or a generous bound passes.
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds bound = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + bound;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// A viewer in an exposed window whose view 0 is connected to a scripted rendering node and
// bound to the main viewpoint.
class StreamingViewerTest : public testing::Test {
 protected:
  static constexpr const char* kServer = "RenderServer";
  static constexpr const char* kSession = "session-A";

  void SetUp() override {
    ASSERT_TRUE(access.AttachNode(0, node.GetUrl(), kServer, kSession, std::chrono::seconds(10)));
    Window()->Expose();
  }

  // Subscribes view 0 to its frames and waits until the node knows, so that nothing published
  // afterwards is missed.
  void SubscribeToFrames() {
    ASSERT_EQ(access.SubscribeToFrames(0), S_OK);
    ASSERT_TRUE(
        Eventually([&] { return node.GetNodeServer().GetSubscriberCount("StreamingEvent") == 1; }));
  }

  KROGraphicWindow* Window() const { return static_cast<KROGraphicWindow*>(viewer->GetSupport()); }

  // Reads view fields under the view's lock, as the answer threads write them.
  template <class Read>
  auto Locked(unsigned int view, Read read) {
    KROMutexLock lock(*access.View(view).mutex);
    return read(access.View(view));
  }
  std::uint64_t Submitted(unsigned int view = 0) {
    return Locked(view, [](ViewParameters& v) { return v.submittedCallId; });
  }
  std::uint64_t Resolved(unsigned int view = 0) {
    return Locked(view, [](ViewParameters& v) { return v.resolvedCallId; });
  }

  TestSupport::ScriptedRenderingNode node{kServer, kSession};
  ViewerHolder viewer = MakeViewer();
  KRO3DStreamingViewerTestAccess access{*viewer};
  KROPtr<EventRecorder> events = KROPtr<EventRecorder>::Adopt(new EventRecorder(*viewer));
};
