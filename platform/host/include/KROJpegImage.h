#pragma once

#include <vector>

#include "KROPixelImage.h"
#include "KROResult.h"

// Decodes the JPEG of `size` bytes at `data` into a new RGBA image (alpha 255) that owns its
// pixels and holds one reference. Null for null or empty input, and for any JPEG that
// libjpeg-turbo does not decode cleanly: corrupt, truncated (a premature end is a failure, not a
// grey lower half), or with a side above 16384 pixels. `readOnlyState` is the host's read-only
// flag; decoded images are never shared, so it changes nothing here.
KROPixelImage* ReadMemoryJPEGPixelImage(const unsigned char* data, int size, int readOnlyState);

// Encodes an RGBA image as a baseline JPEG (4:2:0) of `quality` 1..100, rows in the image's
// order. E_INVALIDARG for another quality or a side above 16384 pixels (the decoder's limit too);
// on failure `jpeg` is left unchanged.
HRESULT WriteMemoryJPEG(const KROPixelImage& image, int quality, std::vector<unsigned char>& jpeg);
