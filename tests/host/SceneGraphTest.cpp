#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"
#include "HostTestImages.h"
#include "KRO3DFaceGP.h"
#include "KRO3DFilterBagRep.h"
#include "KROGraphicMaterial.h"
#include "KROSurfacicRep.h"
#include "VisTextureFactory.h"

namespace {

struct ParameterLookup {
  const char* name;
  const char* shader;
  const char* parameter;
  int index;
};

class MaterialParameterTest : public testing::TestWithParam<ParameterLookup> {};

TEST_P(MaterialParameterTest, FindsTheParametersOfKnownShadersOnly) {
  const ParameterLookup& c = GetParam();
  KROPtr<KROGraphicMaterial> material =
      KROPtr<KROGraphicMaterial>::Adopt(KROGraphicMaterial::Create());
  if (c.shader) material->setShaderFileName(c.shader);
  EXPECT_EQ(material->getParameter(c.parameter), c.index);
}

INSTANTIATE_TEST_SUITE_P(
    Material, MaterialParameterTest,
    testing::Values(ParameterLookup{"FullScreenSource", "TCToFullScreenMap", "sourceMap", 0},
                    ParameterLookup{"FullScreenUnknownName", "TCToFullScreenMap", "normalMap", -1},
                    ParameterLookup{"FullScreenNullName", "TCToFullScreenMap", nullptr, -1},
                    ParameterLookup{"UnknownShader", "Phong", "sourceMap", -1},
                    ParameterLookup{"NoShader", nullptr, "sourceMap", -1}),
    host_test::CaseName());

TEST(Material, HoldsTexturesOfItsParametersOnlyAndDropsThemWithItsShader) {
  KROPtr<KROGraphicMaterial> material =
      KROPtr<KROGraphicMaterial>::Adopt(KROGraphicMaterial::Create());
  IVisTexturePtr texture = VisTextureFactory::CreateTexture(
      host_test::MakeImage(1, 1, [](int, int) { return host_test::Rgba{}; }).Get(), false, false);
  EXPECT_EQ(material->SetParameterTexture(0, texture), E_INVALIDARG) << "no shader, no parameter";
  material->setShaderFileName(KROGraphicMaterial::kFullScreenMapShader);
  EXPECT_EQ(material->SetParameterTexture(1, texture), E_INVALIDARG);
  EXPECT_EQ(material->SetParameterTexture(-1, texture), E_INVALIDARG);
  EXPECT_EQ(material->SetParameterTexture(0, texture), S_OK);
  EXPECT_EQ(material->GetParameterTexture(0), texture);
  EXPECT_STREQ(material->GetShaderFileName(), "TCToFullScreenMap");
  material->setShaderFileName("Phong");
  EXPECT_FALSE(material->GetParameterTexture(0));
  EXPECT_EQ(texture->GetRefCount(), 1u);
}

// A unit quad: four vertices, two triangles, texture coordinates at the corners.
const std::vector<float> kQuadVertices{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
const std::vector<float> kQuadTextureCoordinates{0, 0, 1, 0, 1, 1, 0, 1};

struct FaceArrays {
  const char* name;
  std::vector<float> vertices;
  std::vector<int> triangles;
  int normalFloatCount;
  int stripCount;
  int textureDimension;
  bool valid;
};

class FaceValidationTest : public testing::TestWithParam<FaceArrays> {};

TEST_P(FaceValidationTest, KeepsCopiesOfArraysThatHoldTogetherAndNothingOfOthers) {
  const FaceArrays& c = GetParam();
  const std::vector<float> normals(12, 0.0f);
  const std::vector<int> strips{0, 3, 6};
  KROPtr<KRO3DFaceGP> face = KROPtr<KRO3DFaceGP>::Adopt(new KRO3DFaceGP(
      c.vertices.data(), static_cast<int>(c.vertices.size()), normals.data(), c.normalFloatCount,
      c.triangles.data(), static_cast<int>(c.triangles.size() / 3),
      c.stripCount ? strips.data() : nullptr, c.stripCount, nullptr, 0,
      kQuadTextureCoordinates.data(), c.textureDimension, 0));
  EXPECT_EQ(face->IsValid(), c.valid);
  if (c.valid) {
    EXPECT_EQ(face->GetVertices(), c.vertices);
    EXPECT_EQ(face->GetTriangles(), c.triangles);
    EXPECT_EQ(face->GetTextureCoordinates(), kQuadTextureCoordinates);
  } else {
    EXPECT_TRUE(face->GetVertices().empty());
    EXPECT_TRUE(face->GetTriangles().empty());
    EXPECT_TRUE(face->GetTextureCoordinates().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    FaceGP, FaceValidationTest,
    testing::Values(
        FaceArrays{"Quad", kQuadVertices, {0, 3, 6, 0, 6, 9}, 12, 0, 2, true},
        FaceArrays{"QuadWithoutNormals", kQuadVertices, {0, 3, 6, 0, 6, 9}, 0, 0, 2, true},
        FaceArrays{"OffsetNotAMultipleOfThree", kQuadVertices, {0, 3, 6, 0, 7, 9}, 12, 0, 2, false},
        FaceArrays{"OffsetPastTheVertices", kQuadVertices, {0, 3, 6, 0, 6, 12}, 12, 0, 2, false},
        FaceArrays{"NegativeOffset", kQuadVertices, {0, 3, 6, -3, 6, 9}, 12, 0, 2, false},
        FaceArrays{"PartialVertex", {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1}, {0, 3, 6}, 0, 0, 2, false},
        FaceArrays{"NormalsOfAnotherCount", kQuadVertices, {0, 3, 6}, 9, 0, 2, false},
        FaceArrays{"Strips", kQuadVertices, {0, 3, 6}, 12, 3, 2, false},
        FaceArrays{"TextureDimensionZero", kQuadVertices, {0, 3, 6}, 12, 0, 0, false}),
    host_test::CaseName());

TEST(BagRep, HoldsItsChildrenAndRefusesCycles) {
  KROPtr<KRO3DFilterBagRep> root = KROPtr<KRO3DFilterBagRep>::Adopt(KRO3DFilterBagRep::CreateRep());
  KROPtr<KRO3DBagRep> middle = KROPtr<KRO3DBagRep>::Adopt(new KRO3DBagRep);
  KROPtr<KROSurfacicRep> leaf = KROPtr<KROSurfacicRep>::Adopt(KROSurfacicRep::CreateRep());
  EXPECT_EQ(root->AddChild(middle.Get()), S_OK);
  EXPECT_EQ(middle->AddChild(leaf.Get()), S_OK);
  EXPECT_EQ(middle->AddChild(leaf.Get()), S_FALSE);
  EXPECT_EQ(leaf->GetRefCount(), 2u);

  EXPECT_EQ(middle->AddChild(root.Get()), E_INVALIDARG);
  EXPECT_EQ(middle->AddChild(middle.Get()), E_INVALIDARG);
  EXPECT_EQ(root->AddChild(nullptr), E_INVALIDARG);
  EXPECT_EQ(root->GetRefCount(), 1u);

  EXPECT_EQ(middle->RemoveChild(leaf.Get()), S_OK);
  EXPECT_EQ(middle->RemoveChild(leaf.Get()), S_FALSE);
  EXPECT_EQ(leaf->GetRefCount(), 1u);
  EXPECT_TRUE(middle->GetChildren().empty());
}

TEST(SurfacicRep, HoldsItsPrimitivesWithTheirAttributes) {
  KROPtr<KROSurfacicRep> rep = KROPtr<KROSurfacicRep>::Adopt(KROSurfacicRep::CreateRep());
  auto* face = new KRO3DFaceGP(kQuadVertices.data(), 12, nullptr, 0, nullptr, 0, nullptr, 0,
                               nullptr, 0, nullptr, 0, 0);
  EXPECT_EQ(rep->AddGP(face, {5, 6}), S_OK);
  face->Release();
  EXPECT_EQ(rep->AddGP(nullptr, {}), E_INVALIDARG);
  ASSERT_EQ(rep->GetPrimitives().size(), 1u);
  EXPECT_EQ(rep->GetPrimitives()[0].face->GetVertexCount(), 4);
  EXPECT_EQ(rep->GetPrimitives()[0].attributes, (KROGraphicAttributeSet{5, 6}));
}

}  // namespace
