#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "KROGraphicSupport.h"

// A window of the host: an RGBA framebuffer of its size, drawn on the user-interface thread by
// the event loop whenever a draw was requested.
class KROGraphicWindow : public KROGraphicSupport {
  KRO_DECLARE_CLASS(KROGraphicWindow)
 public:
  KROGraphicWindow(float width, float height);

  KRO_DECLARE_NOTIFICATION(GRAPHICWINDOW_EXPOSE)
  KRO_DECLARE_NOTIFICATION(GRAPHICWINDOW_RESIZE)
  KRO_DECLARE_NOTIFICATION(GRAPHICWINDOW_ENDING_DRAW)
  KRO_DECLARE_NOTIFICATION(DEVICE_ACTION)

  // Any thread: raises the request flag and wakes the event loop, which draws.
  void Draw() override;
  bool GetDrawRequestFlag() const { return _DrawRequested.load(); }
  bool GetDrawOnGoingFlag() const { return _DrawOnGoing.load(); }

  // User-interface thread: draws now and publishes GRAPHICWINDOW_ENDING_DRAW at the end. A
  // draw requested while this one runs stays requested.
  void RunDraw();

  // User-interface thread: the window system's happenings, published to subscribers.
  void Expose();
  void Resize(float width, float height);
  void PublishDeviceAction(KRONotification* event);

  // Row-major RGBA, 4 bytes a pixel, rows of GetPixelWidth() pixels.
  const std::vector<std::uint8_t>& GetFramebuffer() const { return _Framebuffer; }
  int GetPixelWidth() const;
  int GetPixelHeight() const;

 protected:
  ~KROGraphicWindow() override;

 private:
  void Publish(const char* name, KRONotification* notification);

  std::vector<std::uint8_t> _Framebuffer;
  std::atomic<bool> _DrawRequested{false};
  std::atomic<bool> _DrawOnGoing{false};
};
