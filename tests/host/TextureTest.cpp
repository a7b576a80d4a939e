#include <gtest/gtest.h>

#include "HostTestImages.h"
#include "VisTextureFactory.h"

namespace {

using host_test::MakeImage;
using host_test::PixelAt;
using host_test::Rgba;

KROPtr<KROPixelImage> Solid(int width, int height, unsigned char red) {
  return MakeImage(width, height, [red](int, int) { return Rgba{red, 0, 0, 255}; });
}

TEST(Texture, HoldsItsOwnCopyOfTheImage) {
  std::vector<unsigned char> pixels{1, 2, 3, 4, 5, 6, 7, 8};
  auto* wrapped =
      KROPixelImage::Create(2, 1, KROPixelImage::kRGBA, pixels.data(), KROPixelImage::kWrapPixels);
  IVisTexturePtr texture = VisTextureFactory::CreateTexture(wrapped, true, true);
  wrapped->Release();
  ASSERT_TRUE(texture);
  pixels.assign(pixels.size(), 0);
  int width = 0;
  int height = 0;
  texture->GetSize(width, height);
  EXPECT_EQ(width, 2);
  EXPECT_EQ(height, 1);
  EXPECT_EQ(PixelAt(texture->GetPixels(), 2, 1, 0), (Rgba{5, 6, 7, 8}));
  EXPECT_EQ(texture->GetUpdateCount(), 0u);
  EXPECT_FALSE(VisTextureFactory::CreateTexture(nullptr, false, false));
}

TEST(Texture, UpdatesInPlaceFromAnImageOfItsSize) {
  IVisTexturePtr texture = VisTextureFactory::CreateTexture(Solid(3, 2, 10).Get(), false, false);
  const unsigned char* storage = texture->GetPixels();
  EXPECT_EQ(texture->Update(Solid(3, 2, 99).Get(), 0, false, false), S_OK);
  EXPECT_EQ(texture->GetPixels(), storage);
  EXPECT_EQ(PixelAt(texture->GetPixels(), 3, 2, 1)[0], 99);
  EXPECT_EQ(texture->GetUpdateCount(), 1u);
}

TEST(Texture, RefusesAnUpdateThatWouldChangeItsSize) {
  IVisTexturePtr texture = VisTextureFactory::CreateTexture(Solid(3, 2, 10).Get(), false, false);
  EXPECT_LT(texture->Update(Solid(2, 3, 99).Get(), 0, false, false), 0);
  EXPECT_LT(texture->Update(Solid(4, 2, 99).Get(), 0, false, false), 0);
  EXPECT_LT(texture->Update(nullptr, 0, false, false), 0);
  EXPECT_EQ(PixelAt(texture->GetPixels(), 3, 2, 1)[0], 10);
  EXPECT_EQ(texture->GetUpdateCount(), 0u);
}

}  // namespace
