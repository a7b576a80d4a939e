#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "CaseName.h"
#include "HostTestImages.h"
#include "KROJpegImage.h"

namespace {

using host_test::MakeImage;
using host_test::PixelAt;
using host_test::Rgba;

constexpr int kWidth = 64;
constexpr int kHeight = 48;
const Rgba kRed{220, 20, 20, 255};
const Rgba kGreen{20, 200, 40, 255};
const Rgba kBlue{30, 40, 210, 255};
const Rgba kWhite{250, 250, 250, 255};

// A picture of four flat quadrants: red, green above blue, white.
std::vector<unsigned char> QuadrantsJpeg() {
  KROPtr<KROPixelImage> image = MakeImage(kWidth, kHeight, [](int x, int y) {
    const bool right = x >= kWidth / 2;
    if (y < kHeight / 2) return right ? kGreen : kRed;
    return right ? kWhite : kBlue;
  });
  std::vector<unsigned char> jpeg;
  EXPECT_EQ(WriteMemoryJPEG(*image, 90, jpeg), S_OK);
  return jpeg;
}

KROPtr<KROPixelImage> Decode(const std::vector<unsigned char>& jpeg) {
  return KROPtr<KROPixelImage>::Adopt(ReadMemoryJPEGPixelImage(jpeg.empty() ? nullptr : jpeg.data(),
                                                               static_cast<int>(jpeg.size()), 1));
}

void ExpectNear(const Rgba& actual, const Rgba& expected) {
  for (int channel = 0; channel < 3; ++channel) {
    EXPECT_LE(std::abs(actual[channel] - expected[channel]), 12) << "channel " << channel;
  }
  EXPECT_EQ(actual[3], 255);
}

TEST(JpegImage, DecodesAnEncodedPictureToRgbaOfItsSizeAndColours) {
  KROPtr<KROPixelImage> image = Decode(QuadrantsJpeg());
  ASSERT_TRUE(image);
  int width = 0;
  int height = 0;
  image->GetSize(width, height);
  EXPECT_EQ(width, kWidth);
  EXPECT_EQ(height, kHeight);
  EXPECT_EQ(image->GetPixelFormat(), KROPixelImage::kRGBA);
  const unsigned char* pixels = image->GetPixels();
  ExpectNear(PixelAt(pixels, kWidth, 8, 8), kRed);
  ExpectNear(PixelAt(pixels, kWidth, 56, 8), kGreen);
  ExpectNear(PixelAt(pixels, kWidth, 8, 40), kBlue);
  ExpectNear(PixelAt(pixels, kWidth, 56, 40), kWhite);
}

TEST(JpegImage, EncodingRefusesQualitiesOutsideOneToAHundredAndKeepsTheOutput) {
  KROPtr<KROPixelImage> image = MakeImage(8, 8, [](int, int) { return kRed; });
  std::vector<unsigned char> jpeg{1, 2, 3};
  EXPECT_EQ(WriteMemoryJPEG(*image, 0, jpeg), E_INVALIDARG);
  EXPECT_EQ(WriteMemoryJPEG(*image, 101, jpeg), E_INVALIDARG);
  EXPECT_EQ(jpeg, (std::vector<unsigned char>{1, 2, 3}));
}

// A damaged copy of the quadrants picture; each copy is its own exactly sized allocation, so
// that ASan catches a read past its end.
struct DamagedJpeg {
  const char* name;
  std::vector<unsigned char> (*damage)(std::vector<unsigned char> jpeg);
};

std::vector<unsigned char> KeepFraction(std::vector<unsigned char> jpeg, int numerator,
                                        int denominator) {
  jpeg.resize(jpeg.size() * numerator / denominator);
  jpeg.shrink_to_fit();
  return jpeg;
}

class DamagedJpegTest : public testing::TestWithParam<DamagedJpeg> {};

TEST_P(DamagedJpegTest, DecodesToNull) {
  EXPECT_FALSE(Decode(GetParam().damage(QuadrantsJpeg())));
}

INSTANTIATE_TEST_SUITE_P(
    JpegImage, DamagedJpegTest,
    testing::Values(
        DamagedJpeg{"StartMarkerOnly",
                    [](std::vector<unsigned char> j) {
                      j.resize(2);
                      j.shrink_to_fit();
                      return j;
                    }},
        DamagedJpeg{"CutInTheHeaders",
                    [](std::vector<unsigned char> j) { return KeepFraction(j, 1, 20); }},
        DamagedJpeg{"CutHalfway",
                    [](std::vector<unsigned char> j) { return KeepFraction(j, 1, 2); }},
        DamagedJpeg{"CutBeforeTheLastBlocks",
                    [](std::vector<unsigned char> j) { return KeepFraction(j, 9, 10); }},
        DamagedJpeg{"EndMarkerMissing",
                    [](std::vector<unsigned char> j) {
                      j.resize(j.size() - 2);
                      j.shrink_to_fit();
                      return j;
                    }},
        DamagedJpeg{"StartMarkerOverwritten",
                    [](std::vector<unsigned char> j) {
                      j[0] = 0x00;
                      return j;
                    }},
        DamagedJpeg{"ScanDataOverwrittenByMarkers",
                    [](std::vector<unsigned char> j) {
                      for (std::size_t i = j.size() / 2; i < j.size() / 2 + 16; ++i) j[i] = 0xFF;
                      return j;
                    }},
        DamagedJpeg{"NotAJpegAtAll",
                    [](std::vector<unsigned char> j) {
                      for (std::size_t i = 0; i < j.size(); ++i)
                        j[i] = static_cast<unsigned char>(i * 31);
                      return j;
                    }}),
    host_test::CaseName());

TEST(JpegImage, NullOrNonPositiveSizesDecodeToNull) {
  const std::vector<unsigned char> jpeg = QuadrantsJpeg();
  EXPECT_EQ(ReadMemoryJPEGPixelImage(nullptr, static_cast<int>(jpeg.size()), 1), nullptr);
  EXPECT_EQ(ReadMemoryJPEGPixelImage(jpeg.data(), 0, 1), nullptr);
  EXPECT_EQ(ReadMemoryJPEGPixelImage(jpeg.data(), -1, 1), nullptr);
}

}  // namespace
