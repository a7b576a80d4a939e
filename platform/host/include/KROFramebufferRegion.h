#pragma once

#include <cstdint>

// A viewport of a window's RGBA framebuffer (rows stored top row first), addressed as OpenGL
// addresses viewports: from the lower-left corner, rows counted upwards. The viewport may reach
// outside the framebuffer; only its visible part may be written.
class KROFramebufferRegion {
 public:
  // `x`, `y`: the viewport's lower-left pixel, from the framebuffer's lower-left corner.
  KROFramebufferRegion(std::uint8_t* framebuffer, int framebufferWidth, int framebufferHeight,
                       int x, int y, int width, int height);

  // The viewport's size, which drawings scale to, visible or not.
  int GetWidth() const { return _Width; }
  int GetHeight() const { return _Height; }

  // Columns [begin, end) and rows [begin, end) of the viewport inside the framebuffer; empty
  // ranges have end <= begin.
  int GetFirstVisibleColumn() const { return _FirstVisibleColumn; }
  int GetEndVisibleColumn() const { return _EndVisibleColumn; }
  int GetFirstVisibleRow() const { return _FirstVisibleRow; }
  int GetEndVisibleRow() const { return _EndVisibleRow; }

  // The RGBA pixel at `column` of `row` (0 is the lowest) of the viewport; both must be visible.
  std::uint8_t* GetPixel(int column, int row) const;

 private:
  std::uint8_t* const _Framebuffer;
  const int _FramebufferWidth;
  const int _FramebufferHeight;
  const int _X;
  const int _Y;
  const int _Width;
  const int _Height;
  const int _FirstVisibleColumn;
  const int _EndVisibleColumn;
  const int _FirstVisibleRow;
  const int _EndVisibleRow;
};
