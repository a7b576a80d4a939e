#pragma once

#include <cstdint>

#include "KROResult.h"

// Writes `width` × `height` RGBA pixels, rows top first, as a PNG file at `path`. E_INVALIDARG
// for a null path or pixels or an empty size, E_FAIL when libpng cannot write the file.
HRESULT WritePngFile(const char* path, const std::uint8_t* pixels, int width, int height);
