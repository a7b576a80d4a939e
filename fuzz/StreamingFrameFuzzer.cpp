// Feeds arbitrary "StreamingEvent" records and frame bytes of every session type through frame
// reception and presentation. The first byte picks the session type's converter; the rest is a
// record as the wire carries it or, when it does not decode as one, the frame's bytes.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "VOZ/RecordCodec.h"
#include "ViewerTestAccess.h"
#include "frames/FrameImageConverter.h"

namespace {

struct FuzzedViewer {
  FuzzedViewer()
      : viewer(new KRO3DStreamingViewer(&dialog, "fuzz", 0, 64, 48, 0)), access(*viewer) {
    access.GrowViews(1);
    access.MarkConnected(0);
    access.Activate(0);
  }
  KRODialog dialog{"fuzz"};
  KRO3DStreamingViewer* viewer;
  KRO3DStreamingViewerTestAccess access;
};

std::unique_ptr<FrameImageConverter> ConverterFor(std::uint8_t sessionType) {
  switch (sessionType % 6) {
    case 1:
      return std::make_unique<JpegFrameConverter>();
    case 2:
      return std::make_unique<ViewSizedFrameConverter>();
    case 3:
    case 4:
    case 5:
      return std::make_unique<SelfSizedFrameConverter>();
    default:
      return nullptr;  // types without a converter consume their frames unseen
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static FuzzedViewer fuzzed;
  if (size == 0) return 0;
  ViewParameters& view = fuzzed.access.View(0);
  view.frameConverter = ConverterFor(data[0]);

  auto bytes = std::make_shared<const std::vector<unsigned char>>(data + 1, data + size);
  VOZ::Parameters record;
  if (FAILED(VOZ::DecodeRecord(bytes, record))) {
    record.WriteBuffer("colorImgBuffer", Vorn::Binary::Copy(bytes->data(), bytes->size()));
  }
  fuzzed.access.OnReceiveStream(0, record);
  fuzzed.access.OnSwap();
  return 0;
}
