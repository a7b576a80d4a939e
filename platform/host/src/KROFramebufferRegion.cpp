#include "KROFramebufferRegion.h"

#include <algorithm>
#include <cstddef>

namespace {
// Clamps a position of a viewport row or column to [0, length]; 64 bits because a position
// outside the framebuffer, measured from the viewport's start, may not fit an int.
int ClampToSpan(std::int64_t position, int length) {
  return static_cast<int>(std::clamp<std::int64_t>(position, 0, std::max(length, 0)));
}
}  // namespace

KROFramebufferRegion::KROFramebufferRegion(std::uint8_t* framebuffer, int framebufferWidth,
                                           int framebufferHeight, int x, int y, int width,
                                           int height)
    : _Framebuffer(framebuffer),
      _FramebufferWidth(framebufferWidth),
      _FramebufferHeight(framebufferHeight),
      _X(x),
      _Y(y),
      _Width(width),
      _Height(height),
      _FirstVisibleColumn(ClampToSpan(-static_cast<std::int64_t>(x), width)),
      _EndVisibleColumn(ClampToSpan(static_cast<std::int64_t>(framebufferWidth) - x, width)),
      _FirstVisibleRow(ClampToSpan(-static_cast<std::int64_t>(y), height)),
      _EndVisibleRow(ClampToSpan(static_cast<std::int64_t>(framebufferHeight) - y, height)) {}

std::uint8_t* KROFramebufferRegion::GetPixel(int column, int row) const {
  const auto framebufferRow = static_cast<std::size_t>(_FramebufferHeight - 1 - (_Y + row));
  const auto framebufferColumn = static_cast<std::size_t>(_X + column);
  return _Framebuffer +
         (framebufferRow * static_cast<std::size_t>(_FramebufferWidth) + framebufferColumn) * 4;
}
