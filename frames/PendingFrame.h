#pragma once

#include <cstdint>

#include "KROPtr.h"
#include "KROUnicodeString.h"
#include "KROVisCamera.h"
#include "Vorn/Binary.h"

// A frame received but not yet presented. It owns its forced camera, if any.
struct PendingFrame {
  Vorn::Binary data;
  KROUnicodeString frameId;
  KROPtr<KROVisCamera> forcedCamera;
  std::uint64_t latestResolvedCallId = 0;
};
