#pragma once

// Turns the bytes of a queued frame into a pixel image; one variant per byte layout.
class FrameImageConverter {
 public:
  virtual ~FrameImageConverter() = default;
};
