#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <vector>

#include "CaseName.h"
#include "KROPixelImage.h"
#include "KROPtr.h"

namespace {

KROPtr<KROPixelImage> Create(int width, int height, unsigned char* pixels, int ownership) {
  return KROPtr<KROPixelImage>::Adopt(
      KROPixelImage::Create(width, height, KROPixelImage::kRGBA, pixels, ownership));
}

TEST(PixelImage, WrappedPixelsStayTheCallersAndOutliveTheImage) {
  std::vector<unsigned char> caller(2 * 2 * 4, 7);
  {
    KROPtr<KROPixelImage> image = Create(2, 2, caller.data(), KROPixelImage::kWrapPixels);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->GetPixels(), caller.data());
  }
  // Freed by the image, the buffer would now be a use after free under ASan.
  caller[0] = 9;
  EXPECT_EQ(caller[15], 7);
}

TEST(PixelImage, AdoptedPixelsAreUsedInPlaceAndFreedWithTheImage) {
  auto* pixels = new unsigned char[3 * 1 * 4]();
  KROPtr<KROPixelImage> image = Create(3, 1, pixels, KROPixelImage::kAdoptPixels);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->GetPixels(), pixels);
  // Not freed by the image, the buffer would be a leak under ASan.
}

TEST(PixelImage, CopiedPixelsDoNotFollowTheCallersBuffer) {
  std::vector<unsigned char> caller(1 * 2 * 4, 3);
  KROPtr<KROPixelImage> image = Create(1, 2, caller.data(), KROPixelImage::kCopyPixels);
  ASSERT_TRUE(image);
  EXPECT_NE(image->GetPixels(), caller.data());
  caller.assign(caller.size(), 0);
  EXPECT_EQ(image->GetPixels()[7], 3);
  int width = 0;
  int height = 0;
  image->GetSize(width, height);
  EXPECT_EQ(width, 1);
  EXPECT_EQ(height, 2);
  EXPECT_EQ(image->GetPixelFormat(), KROPixelImage::kRGBA);
  EXPECT_EQ(image->GetByteCount(), 8u);
}

struct RefusedImage {
  const char* name;
  int width;
  int height;
  int pixelFormat;
  bool nullPixels;
  int ownership;
};

class RefusedImageTest : public testing::TestWithParam<RefusedImage> {};

TEST_P(RefusedImageTest, IsNullAndLeavesThePixelsToTheCaller) {
  const RefusedImage& c = GetParam();
  auto* pixels = new unsigned char[16]();
  EXPECT_EQ(KROPixelImage::Create(c.width, c.height, c.pixelFormat, c.nullPixels ? nullptr : pixels,
                                  c.ownership),
            nullptr);
  delete[] pixels;  // a double free under ASan if a refused adoption had taken them
}

INSTANTIATE_TEST_SUITE_P(
    PixelImage, RefusedImageTest,
    testing::Values(RefusedImage{"ZeroWidth", 0, 2, KROPixelImage::kRGBA, false, 1},
                    RefusedImage{"NegativeHeight", 2, -1, KROPixelImage::kRGBA, false, 1},
                    RefusedImage{"NullPixels", 2, 2, KROPixelImage::kRGBA, true, 0},
                    RefusedImage{"UnknownFormat", 2, 2, 4, false, 1},
                    RefusedImage{"UnknownOwnership", 2, 2, KROPixelImage::kRGBA, false, 3},
                    RefusedImage{"ByteCountBeyondMemory", INT_MAX, INT_MAX, KROPixelImage::kRGBA,
                                 false, 1}),
    host_test::CaseName());

TEST(PixelImage, ByteCountsAreComputedWithoutWrapping) {
  EXPECT_EQ(KROPixelImage::ByteCount(65536, 65536, KROPixelImage::kRGBA), 17179869184u);
  EXPECT_EQ(KROPixelImage::ByteCount(INT_MAX, INT_MAX, KROPixelImage::kRGBA), 0u);
}

}  // namespace
