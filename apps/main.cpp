// krostream-view: a host application with one streaming viewer in its window. For now it
// shows the viewer's state on a real host window: the event loop runs its first exposure and
// draw, then the state is printed.
#include <chrono>
#include <cstdio>

#include "KROEventLoop.h"
#include "KROGraphicWindow.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {

class DrawCounter : public KROEventSubscriber {
 public:
  void OnEndingDraw(const char*, KROBaseUnknown*, KRONotification*, KROSubscriberData,
                    KROCallbackId) {
    ++draws;
  }
  int draws = 0;
};

const char* YesNo(bool value) {
  return value ? "yes" : "no";
}

}  // namespace

int main() {
  KRODialog frame("krostream-view");
  auto* viewer = new KRO3DStreamingViewer(&frame, "StreamingViewer", 0, 800, 600, 0);
  auto* window = static_cast<KROGraphicWindow*>(viewer->GetSupport());
  auto* counter = new DrawCounter;
  counter->AddCallback(window, KROGraphicWindow::GRAPHICWINDOW_ENDING_DRAW(),
                       &DrawCounter::OnEndingDraw, 0);

  window->Expose();
  viewer->Draw();
  KROEventLoop::Get().RunUntil([&] { return counter->draws > 0; }, std::chrono::seconds(5));

  std::printf("krostream viewer state\n");
  std::printf("  class:            %s (kind of %s: %s)\n", viewer->IsA(),
              KRONavigation3DViewer::ClassName(),
              YesNo(viewer->IsAKindOf(KRONavigation3DViewer::ClassName())));
  std::printf("  resources:        %s, %s, %s\n", viewer->GetResourceFilename(0).CastToCharPtr(),
              viewer->GetResourceFilename(1).CastToCharPtr(),
              viewer->GetResourceFilename(2).CastToCharPtr());
  std::printf("  window:           %s %.0f x %.0f, framebuffer %zu bytes, %d draw(s) done\n",
              window->IsA(), window->GetWidth(), window->GetHeight(),
              window->GetFramebuffer().size(), counter->draws);
  std::printf("  view 0 active:    %s\n", YesNo(viewer->IsViewActive(0)));
  std::printf("  auto-disconnect:  %s\n", YesNo(viewer->IsAutoDisconnectActive()));
  std::printf("  auto-highlight:   %s\n", YesNo(viewer->IsAutoHighlightActive()));
  std::printf("  session \"demo\":   view %d\n", viewer->GetViewIndexFromSessionID("demo"));
  std::printf("  notifications:    %s\n                    %s\n                    %s\n",
              KRO3DStreamingViewer::STREAMING_ERROR(), KRO3DStreamingViewer::STREAMING_FRAME(),
              KRO3DStreamingViewer::STREAMING_PICK());

  counter->Release();
  viewer->Release();
  return 0;
}
