#include "KROGraphicWindow.h"

#include <algorithm>

#include "KROEventLoop.h"
#include "KRONotification.h"

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
  _DrawOnGoing.store(true);
  _DrawRequested.store(false);
  std::fill(_Framebuffer.begin(), _Framebuffer.end(), 0);
  Publish(GRAPHICWINDOW_ENDING_DRAW(), nullptr);
  _DrawOnGoing.store(false);
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
