#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "CaseName.h"
#include "HostTestImages.h"
#include "KRO3DFilterBagRep.h"
#include "KROGraphicWindow.h"
#include "KRONavigation3DViewer.h"
#include "KROSurfacicRep.h"
#include "KROVisualizationScheduler.h"
#include "VisTextureFactory.h"

namespace {

using host_test::MakeImage;
using host_test::PixelAt;
using host_test::Rgba;

// Pictures are written as rows of letters; each letter is a colour, 'K' opaque black.
Rgba Colour(char letter) {
  if (letter == 'K') return {0, 0, 0, 255};
  const auto n = static_cast<unsigned char>(letter - 'A' + 1);
  return {static_cast<unsigned char>(n * 10), static_cast<unsigned char>(n * 20), 200, 255};
}

// `rows` are the texture's rows, row 0 (texture coordinate v = 0) first.
IVisTexturePtr Texture(const std::vector<std::string>& rows) {
  return VisTextureFactory::CreateTexture(
      MakeImage(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()),
                [&](int x, int y) { return Colour(rows[y][x]); })
          .Get(),
      false, false);
}

// The window's framebuffer as rows of letters, top row first; '?' for a colour of no letter.
std::vector<std::string> Picture(const KROGraphicWindow& window) {
  std::map<Rgba, char> letters;
  for (char letter = 'A'; letter <= 'Z'; ++letter) letters[Colour(letter)] = letter;
  std::vector<std::string> rows;
  for (int y = 0; y < window.GetPixelHeight(); ++y) {
    std::string row;
    for (int x = 0; x < window.GetPixelWidth(); ++x) {
      const auto found =
          letters.find(PixelAt(window.GetFramebuffer().data(), window.GetPixelWidth(), x, y));
      row += found == letters.end() ? '?' : found->second;
    }
    rows.push_back(row);
  }
  return rows;
}

const std::vector<float> kQuadVertices{-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0};
const std::vector<int> kQuadTriangles{0, 3, 6, 0, 6, 9};
const std::vector<float> kQuadTextureCoordinates{0, 0, 1, 0, 1, 1, 0, 1};

// The background a streaming view shows: a filter bag holding a surfacic rep whose quad is drawn
// with the full-screen map of `texture`.
KROPtr<KRO3DRep> Background(const IVisTexturePtr& texture,
                            const std::vector<int>& triangles = kQuadTriangles) {
  KROPtr<KROGraphicMaterial> material =
      KROPtr<KROGraphicMaterial>::Adopt(KROGraphicMaterial::Create());
  material->setShaderFileName(KROGraphicMaterial::kFullScreenMapShader);
  material->SetParameterTexture(material->getParameter(KROGraphicMaterial::kSourceMapParameter),
                                texture);
  KROPtr<KRO3DFaceGP> quad = KROPtr<KRO3DFaceGP>::Adopt(
      new KRO3DFaceGP(kQuadVertices.data(), 12, nullptr, 0, triangles.data(),
                      static_cast<int>(triangles.size() / 3), nullptr, 0, nullptr, 0,
                      kQuadTextureCoordinates.data(), 2, 0));
  quad->SetFloatProperty(1.0f);
  KROPtr<KROSurfacicRep> surface = KROPtr<KROSurfacicRep>::Adopt(KROSurfacicRep::CreateRep());
  surface->AddGP(quad.Get(), {});
  surface->SetGraphicMaterial(material.Get());
  KROPtr<KRO3DFilterBagRep> bag = KROPtr<KRO3DFilterBagRep>::Adopt(KRO3DFilterBagRep::CreateRep());
  bag->AddChild(surface.Get());
  return bag;
}

struct ShownView {
  float viewport[4];  // x, y from the window's lower-left corner, width, height
  std::vector<std::string> texture;
};

struct Composition {
  const char* name;
  int windowWidth;
  int windowHeight;
  std::vector<ShownView> views;
  std::vector<std::string> picture;  // top row first
};

class CompositionTest : public testing::TestWithParam<Composition> {};

TEST_P(CompositionTest, DrawsEachViewsTextureOverItsViewportWithRowZeroAtTheBottom) {
  const Composition& c = GetParam();
  auto window = KROPtr<KROGraphicWindow>::Adopt(
      new KROGraphicWindow(static_cast<float>(c.windowWidth), static_cast<float>(c.windowHeight)));
  for (const ShownView& view : c.views) {
    auto viewpoint = KROPtr<KRO3DViewpoint>::Adopt(new KRO3DViewpoint);
    viewpoint->SetViewport(view.viewport[0], view.viewport[1], view.viewport[2], view.viewport[3]);
    viewpoint->AddRep(Background(Texture(view.texture)).Get());
    window->AddViewpoint(viewpoint.Get());
  }
  window->RunDraw();
  EXPECT_EQ(Picture(*window), c.picture);
}

INSTANTIATE_TEST_SUITE_P(
    Window, CompositionTest,
    testing::Values(
        Composition{
            "EqualSizeIsCopiedRowForRow", 3, 2, {{{0, 0, 0, 0}, {"ABC", "DEF"}}}, {"DEF", "ABC"}},
        Composition{"SmallTextureIsScaledOverTheViewport",
                    4,
                    4,
                    {{{0, 0, 4, 4}, {"AB", "CD"}}},
                    {"CCDD", "CCDD", "AABB", "AABB"}},
        Composition{"PartViewportLeavesTheRestBlack",
                    4,
                    3,
                    {{{1, 1, 2, 2}, {"AB", "CD"}}},
                    {"KCDK", "KABK", "KKKK"}},
        Composition{"ViewportReachingOutsideIsClipped", 3, 1, {{{2, 0, 2, 1}, {"AB"}}}, {"KKA"}},
        Composition{"ViewsSideBySideDrawInTheirOwnViewports",
                    4,
                    1,
                    {{{0, 0, 2, 1}, {"AB"}}, {{2, 0, 2, 1}, {"CD"}}},
                    {"ABCD"}},
        Composition{"NoViewpointIsOpaqueBlack", 2, 1, {}, {"KK"}}),
    host_test::CaseName());

class WindowDrawTest : public testing::Test {
 protected:
  void SetUp() override { window->AddViewpoint(viewpoint.Get()); }

  KROPtr<KROGraphicWindow> window = KROPtr<KROGraphicWindow>::Adopt(new KROGraphicWindow(2, 2));
  KROPtr<KRO3DViewpoint> viewpoint = KROPtr<KRO3DViewpoint>::Adopt(new KRO3DViewpoint);
};

TEST_F(WindowDrawTest, AFaceWithBadTriangleOffsetsDrawsNothing) {
  viewpoint->AddRep(Background(Texture({"AB", "CD"}), {0, 3, 7, 0, 6, 9}).Get());
  window->RunDraw();
  EXPECT_EQ(Picture(*window), (std::vector<std::string>{"KK", "KK"}));
}

TEST_F(WindowDrawTest, AChildTakesTheMaterialOfItsBag) {
  KROPtr<KRO3DRep> background = Background(Texture({"AB", "CD"}));
  auto* bag = static_cast<KRO3DBagRep*>(background.Get());
  KRO3DRep* surface = bag->GetChildren()[0].Get();
  bag->SetGraphicMaterial(surface->GetGraphicMaterial());
  surface->SetGraphicMaterial(nullptr);
  viewpoint->AddRep(background.Get());
  window->RunDraw();
  EXPECT_EQ(Picture(*window), (std::vector<std::string>{"CD", "AB"}));
}

TEST_F(WindowDrawTest, TheScreenshotIsAPngOfTheFramebuffer) {
  viewpoint->AddRep(Background(Texture({"AB", "CD"})).Get());
  window->RunDraw();
  const std::string path = testing::TempDir() + "krohost_screenshot.png";
  ASSERT_EQ(window->SaveScreenshot(path.c_str()), S_OK);

  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&image, path.c_str())) << image.message;
  image.format = PNG_FORMAT_RGBA;
  std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
  ASSERT_TRUE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) << image.message;
  EXPECT_EQ(image.width, 2u);
  EXPECT_EQ(image.height, 2u);
  EXPECT_EQ(PixelAt(pixels.data(), 2, 1, 0), Colour('D'));
  EXPECT_EQ(PixelAt(pixels.data(), 2, 0, 1), Colour('A'));
  std::remove(path.c_str());

  EXPECT_EQ(window->SaveScreenshot("/nonexistent-dir/screenshot.png"), E_FAIL);
  EXPECT_EQ(window->SaveScreenshot(nullptr), E_INVALIDARG);
}

TEST_F(WindowDrawTest, ADrawClearsTheSpritesMapsFlag) {
  window->SetUpdateSpritesMapsFlag(1);
  window->RunDraw();
  EXPECT_EQ(window->GetUpdateSpritesMapsFlag(), 0);
}

class DrawCounter : public KROEventSubscriber {
 public:
  void OnEndingDraw(const char*, KROBaseUnknown*, KRONotification*, KROSubscriberData,
                    KROCallbackId) {
    ++draws;
    if (drawAgainInside) {
      drawAgainInside = false;
      window->Draw();
      KROVisualizationScheduler::GetInstance()->DoDrawJob();
      drawsSeenInside = draws;
    }
  }
  KROGraphicWindow* window = nullptr;
  bool drawAgainInside = false;
  int draws = 0;
  int drawsSeenInside = 0;
};

TEST_F(WindowDrawTest, DoDrawJobRunsARequestedDrawNowAndSkipsOneGoingOn) {
  auto counter = KROPtr<DrawCounter>::Adopt(new DrawCounter);
  counter->window = window.Get();
  counter->AddCallback(window.Get(), KROGraphicWindow::GRAPHICWINDOW_ENDING_DRAW(),
                       &DrawCounter::OnEndingDraw, 0);
  KROVisualizationScheduler* scheduler = KROVisualizationScheduler::GetInstance();

  scheduler->DoDrawJob();
  EXPECT_EQ(counter->draws, 0) << "nothing requested";

  counter->drawAgainInside = true;
  window->Draw();
  scheduler->DoDrawJob();
  EXPECT_EQ(counter->draws, 1);
  EXPECT_EQ(counter->drawsSeenInside, 1) << "no draw inside a draw";
  EXPECT_TRUE(window->GetDrawRequestFlag()) << "the skipped request waits";

  scheduler->DoDrawJob();
  EXPECT_EQ(counter->draws, 2);
  EXPECT_FALSE(window->GetDrawRequestFlag());
}

TEST(Navigation3DViewerWindow, DisplaysTheMainViewpoint) {
  KRODialog dialog("frame");
  auto viewer =
      KROPtr<KRONavigation3DViewer>::Adopt(new KRONavigation3DViewer(&dialog, "v", 0, 8, 8, 0));
  auto* window = static_cast<KROGraphicWindow*>(viewer->GetSupport());
  EXPECT_TRUE(window->IsDisplayed(viewer->GetMain3DViewpoint()));

  auto other = KROPtr<KRO3DViewpoint>::Adopt(new KRO3DViewpoint);
  viewer->SetMain3DViewpoint(other.Get());
  EXPECT_TRUE(window->IsDisplayed(other.Get()));
  EXPECT_EQ(window->GetViewpoints().size(), 1u) << "the previous main viewpoint left the window";
}

}  // namespace
