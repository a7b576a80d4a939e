#pragma once

#include <cstdint>

namespace Vis {

// How a view's frames travel. 0 is refused at connection; 6 and above are accepted but never
// shown.
enum SessionType : std::uint8_t {
  kNoSession = 0,
  kJpegSession = 1,          // JPEG stills over the subscription
  kViewSizedRawSession = 2,  // raw pictures of the view's size over the subscription
  kH264Session = 3,          // H.264 packets over the subscription, decoded here
  kWebRTCSession = 4,        // a WebRTC video track
  kSelfSizedRawSession = 5,  // raw pictures that carry their own size
};

}  // namespace Vis
