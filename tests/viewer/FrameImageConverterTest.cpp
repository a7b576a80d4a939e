#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "KROJpegImage.h"
#include "KROPixelImage.h"
#include "KROPtr.h"
#include "frames/FrameImageConverter.h"

namespace {

Vorn::Binary SelfSized(std::uint32_t width, std::uint32_t height, std::size_t totalBytes) {
  std::vector<unsigned char> bytes(totalBytes, 0x7F);
  const std::uint32_t header[2] = {width, height};  // little-endian on this machine
  std::memcpy(bytes.data(), header, std::min<std::size_t>(8, totalBytes));
  return Vorn::Binary::Copy(bytes.data(), bytes.size());
}

struct ConverterCase {
  const char* name;
  const FrameImageConverter* converter;
  Vorn::Binary data;
  std::uint32_t viewWidth, viewHeight;
  int imageWidth, imageHeight;  // 0: no image
};

const JpegFrameConverter kJpeg;
const ViewSizedFrameConverter kViewSized;
const SelfSizedFrameConverter kSelfSized;

Vorn::Binary Jpeg(int width, int height) {
  std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4, 200);
  auto image = KROPtr<KROPixelImage>::Adopt(
      KROPixelImage::Create(width, height, KROPixelImage::kRGBA, pixels.data(), 0));
  std::vector<unsigned char> jpeg;
  EXPECT_EQ(WriteMemoryJPEG(*image, 80, jpeg), S_OK);
  return Vorn::Binary::Copy(jpeg.data(), jpeg.size());
}

std::vector<ConverterCase> Cases() {
  return {
      {"ViewSizedExact", &kViewSized, SelfSized(0, 0, 3 * 2 * 4), 3, 2, 3, 2},
      {"ViewSizedOneByteShort", &kViewSized, SelfSized(0, 0, 3 * 2 * 4 - 1), 3, 2, 0, 0},
      {"ViewSizedOfZeroView", &kViewSized, Vorn::Binary(), 0, 0, 0, 0},
      {"SelfSized24Bytes", &kSelfSized, SelfSized(2, 2, 24), 640, 480, 2, 2},
      {"SelfSized23Bytes", &kSelfSized, SelfSized(2, 2, 23), 640, 480, 0, 0},
      {"SelfSizedShortHeader", &kSelfSized, SelfSized(1, 1, 7), 1, 1, 0, 0},
      {"SelfSizedNoData", &kSelfSized, Vorn::Binary(), 1, 1, 0, 0},
      // 65536 x 65536 x 4 wraps to 0 in 32 bits: a hostile header must not pass for an empty image.
      {"SelfSizedWrappingHeader", &kSelfSized, SelfSized(65536, 65536, 8), 1, 1, 0, 0},
      {"SelfSizedHugeHeader", &kSelfSized, SelfSized(0xFFFFFFFF, 0xFFFFFFFF, 64), 1, 1, 0, 0},
      {"JpegIgnoresTheViewSize", &kJpeg, Jpeg(64, 48), 800, 600, 64, 48},
      {"JpegGarbage", &kJpeg, Vorn::Binary::Copy("not a jpeg", 10), 8, 8, 0, 0},
  };
}

class FrameImageConverterTest : public testing::TestWithParam<ConverterCase> {};

TEST_P(FrameImageConverterTest, MakesAnImageOnlyOfWellFormedBytes) {
  const ConverterCase& c = GetParam();
  auto image =
      KROPtr<KROPixelImage>::Adopt(c.converter->ToImage(c.data, c.viewWidth, c.viewHeight));
  if (c.imageWidth == 0) {
    EXPECT_FALSE(image);
    return;
  }
  ASSERT_TRUE(image);
  int width = 0, height = 0;
  image->GetSize(width, height);
  EXPECT_EQ(width, c.imageWidth);
  EXPECT_EQ(height, c.imageHeight);
  EXPECT_EQ(image->GetPixelFormat(), KROPixelImage::kRGBA);
}

INSTANTIATE_TEST_SUITE_P(Layouts, FrameImageConverterTest, testing::ValuesIn(Cases()),
                         [](const auto& test) { return test.param.name; });

TEST(FrameImageConverter, RawImagesWrapTheFrameBytesFromThePixelOffset) {
  const Vorn::Binary frame = SelfSized(2, 2, 24);
  auto selfSized = KROPtr<KROPixelImage>::Adopt(kSelfSized.ToImage(frame, 0, 0));
  ASSERT_TRUE(selfSized);
  EXPECT_EQ(selfSized->GetPixels(), frame.GetData() + 8) << "no copy, after the header";
  auto viewSized = KROPtr<KROPixelImage>::Adopt(kViewSized.ToImage(frame, 3, 2));
  ASSERT_TRUE(viewSized);
  EXPECT_EQ(viewSized->GetPixels(), frame.GetData());
}

}  // namespace
