#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "KRO3DViewpoint.h"
#include "KROGraphicSupport.h"
#include "KROReferenceList.h"
#include "KROResult.h"
#include "KROVisInfiniteEnvDeactivationOverload.h"

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

  // User-interface thread: draws now and publishes GRAPHICWINDOW_ENDING_DRAW at the end. The
  // framebuffer is cleared to opaque black, then every displayed viewpoint, in order, draws its
  // reps into its viewport. A draw requested while this one runs stays requested; called while
  // a draw is going on (from a listener of the ending draw), it returns at once.
  void RunDraw();

  // User-interface thread: the viewpoints the window shows, each holding a reference.
  // E_INVALIDARG for null; S_FALSE when already displayed, or not displayed for a removal.
  HRESULT AddViewpoint(KRO3DViewpoint* viewpoint) { return _Viewpoints.Add(viewpoint); }
  HRESULT RemoveViewpoint(KRO3DViewpoint* viewpoint) { return _Viewpoints.Remove(viewpoint); }
  const std::vector<KROPtr<KRO3DViewpoint>>& GetViewpoints() const { return _Viewpoints.Get(); }
  bool IsDisplayed(const KRO3DViewpoint* viewpoint) const {
    return _Viewpoints.Contains(viewpoint);
  }

  // User-interface thread: writes the framebuffer as a PNG file. E_INVALIDARG for a null path,
  // E_INVALID_STATE for a window without pixels, E_FAIL when the file cannot be written.
  HRESULT SaveScreenshot(const char* pngPath) const;

  // While installed, the overload keeps the window's infinite-environment decorations off.
  void InstallInfiniteEnvOverload(KROVisInfiniteEnvDeactivationOverload* overload) {
    _EnvironmentOverload = KROPtr<KROVisInfiniteEnvDeactivationOverload>(overload);
  }
  // Removes `overload` if it is the one installed; null removes nothing.
  void RemoveInfiniteEnvOverload(KROVisInfiniteEnvDeactivationOverload* overload) {
    if (overload && _EnvironmentOverload.Get() == overload) _EnvironmentOverload = nullptr;
  }
  KROVisInfiniteEnvDeactivationOverload* GetInfiniteEnvOverload() const {
    return _EnvironmentOverload.Get();
  }

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
  void Compose();

  std::vector<std::uint8_t> _Framebuffer;
  std::atomic<bool> _DrawRequested{false};
  std::atomic<bool> _DrawOnGoing{false};
  KROReferenceList<KRO3DViewpoint> _Viewpoints;
  KROPtr<KROVisInfiniteEnvDeactivationOverload> _EnvironmentOverload;
};
