#include "KROGraphicWindow.h"

#include <algorithm>
#include <cmath>

#include "KROEventLoop.h"
#include "KROFramebufferRegion.h"
#include "KRONotification.h"
#include "KROPngFile.h"
#include "KRORepDrawing.h"

KRO_IMPLEMENT_CLASS(KROGraphicSupport, KROEventSubscriber)
KRO_IMPLEMENT_CLASS(KROGraphicWindow, KROGraphicSupport)
KRO_IMPLEMENT_NOTIFICATION(KROGraphicWindow, GRAPHICWINDOW_EXPOSE)
KRO_IMPLEMENT_NOTIFICATION(KROGraphicWindow, GRAPHICWINDOW_RESIZE)
KRO_IMPLEMENT_NOTIFICATION(KROGraphicWindow, GRAPHICWINDOW_ENDING_DRAW)
KRO_IMPLEMENT_NOTIFICATION(KROGraphicWindow, DEVICE_ACTION)

namespace {
int ToPixels(float size) {
  return std::max(0, static_cast<int>(size));
}

// A viewport coordinate rounded to the nearest pixel. Far-off values are brought near enough
// that sums of them still fit an int; what lies outside the window is clipped anyway.
int ToViewportPixel(float coordinate) {
  constexpr double kFarOff = 1 << 28;
  if (std::isnan(coordinate)) return 0;
  return static_cast<int>(std::lround(std::clamp<double>(coordinate, -kFarOff, kFarOff)));
}

KROFramebufferRegion ViewportRegion(const KRO3DViewpoint& viewpoint, std::uint8_t* framebuffer,
                                    int windowWidth, int windowHeight) {
  float x = 0.0f;
  float y = 0.0f;
  float width = 0.0f;
  float height = 0.0f;
  viewpoint.GetViewport(x, y, width, height);
  if (width == 0.0f || height == 0.0f) {
    return {framebuffer, windowWidth, windowHeight, 0, 0, windowWidth, windowHeight};
  }
  // Rounding both edges keeps viewports that share an edge from overlapping or leaving a gap.
  const int left = ToViewportPixel(x);
  const int bottom = ToViewportPixel(y);
  return {framebuffer,
          windowWidth,
          windowHeight,
          left,
          bottom,
          ToViewportPixel(x + width) - left,
          ToViewportPixel(y + height) - bottom};
}
}  // namespace

KROGraphicWindow::KROGraphicWindow(float width, float height) : KROGraphicSupport(width, height) {
  _Framebuffer.assign(static_cast<std::size_t>(ToPixels(width)) * ToPixels(height) * 4, 0);
  KROEventLoop::Get().Register(this);
}

KROGraphicWindow::~KROGraphicWindow() {
  KROEventLoop::Get().Unregister(this);
}

int KROGraphicWindow::GetPixelWidth() const {
  return ToPixels(GetWidth());
}
int KROGraphicWindow::GetPixelHeight() const {
  return ToPixels(GetHeight());
}

void KROGraphicWindow::Draw() {
  _DrawRequested.store(true);
  KROEventLoop::Get().Wake();
}

void KROGraphicWindow::RunDraw() {
  if (_DrawOnGoing.exchange(true)) return;
  _DrawRequested.store(false);
  SetUpdateSpritesMapsFlag(0);
  Compose();
  Publish(GRAPHICWINDOW_ENDING_DRAW(), nullptr);
  _DrawOnGoing.store(false);
}

void KROGraphicWindow::Compose() {
  for (std::size_t i = 0; i < _Framebuffer.size(); i += 4) {
    _Framebuffer[i] = _Framebuffer[i + 1] = _Framebuffer[i + 2] = 0;
    _Framebuffer[i + 3] = 255;
  }
  for (const KROPtr<KRO3DViewpoint>& viewpoint : _Viewpoints.Get()) {
    DrawReps(viewpoint->GetReps(),
             ViewportRegion(*viewpoint, _Framebuffer.data(), GetPixelWidth(), GetPixelHeight()));
  }
}

HRESULT KROGraphicWindow::SaveScreenshot(const char* pngPath) const {
  if (!pngPath) return E_INVALIDARG;
  if (_Framebuffer.empty()) return E_INVALID_STATE;
  return WritePngFile(pngPath, _Framebuffer.data(), GetPixelWidth(), GetPixelHeight());
}

void KROGraphicWindow::Expose() {
  Publish(GRAPHICWINDOW_EXPOSE(), nullptr);
}

void KROGraphicWindow::Resize(float width, float height) {
  SetSize(width, height);
  _Framebuffer.assign(static_cast<std::size_t>(ToPixels(width)) * ToPixels(height) * 4, 0);
  Publish(GRAPHICWINDOW_RESIZE(), nullptr);
  Draw();
}

void KROGraphicWindow::PublishDeviceAction(KRONotification* event) {
  Publish(DEVICE_ACTION(), event);
}

void KROGraphicWindow::Publish(const char* name, KRONotification* notification) {
  if (_CallbackManager) _CallbackManager->DispatchCallbacks(name, notification, this);
}
