#pragma once

#include <atomic>

#include "KROEventSubscriber.h"

// Where a viewer draws. A plain support (an offscreen or print support) has a size but no
// framebuffer, event loop or window notifications; KROGraphicWindow adds them.
class KROGraphicSupport : public KROEventSubscriber {
  KRO_DECLARE_CLASS(KROGraphicSupport)
 public:
  KROGraphicSupport(float width, float height) : _Width(width), _Height(height) {}

  float GetWidth() const { return _Width; }
  float GetHeight() const { return _Height; }

  // Asks for the support to be redrawn; a plain support has nothing to redraw.
  virtual void Draw() {}

  // Any thread: tells the support that the textures of its sprites changed. A window reads its
  // textures on every draw, so its next draw only clears the flag.
  void SetUpdateSpritesMapsFlag(int flag) { _UpdateSpritesMapsFlag.store(flag); }
  int GetUpdateSpritesMapsFlag() const { return _UpdateSpritesMapsFlag.load(); }

 protected:
  ~KROGraphicSupport() override = default;
  void SetSize(float width, float height) {
    _Width = width;
    _Height = height;
  }

 private:
  float _Width;
  float _Height;
  std::atomic<int> _UpdateSpritesMapsFlag{0};
};
