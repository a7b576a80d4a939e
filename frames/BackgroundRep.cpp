#include <cfloat>

#include "KRO3DFaceGP.h"
#include "KRO3DFilterBagRep.h"
#include "KROGraphicMaterial.h"
#include "KROSurfacicRep.h"
#include "KROVisRepViewModeFilter.h"
#include "viewer/KRO3DStreamingViewer.h"

namespace {

constexpr int kBackgroundViewMode = 9;

// A quad as large as a float allows, so that it covers the view whatever the camera; its
// texture coordinates, not its position, decide where the picture goes.
KROPtr<KRO3DFaceGP> MakeFullScreenQuad() {
  constexpr float M = FLT_MAX;
  static constexpr float kVertices[] = {-M, -M, 0, -M, M, 0, M, M, 0, M, -M, 0};
  static constexpr int kTriangles[] = {0, 6, 3, 9, 6, 0};
  static constexpr float kTextureCoordinates[] = {0, 0, 1, 0, 1, 1, 1, 1, 1, 1, 0, 1};
  auto quad =
      KROPtr<KRO3DFaceGP>::Adopt(new KRO3DFaceGP(kVertices, 12, nullptr, 0, kTriangles, 2, nullptr,
                                                 0, nullptr, 0, kTextureCoordinates, 3, 0x11));
  quad->SetFloatProperty(1.0f);
  return quad;
}

// The two faces differ only in bit 3 of the first attribute word.
KROGraphicAttributeSet FaceAttributes(std::uint32_t faceBits) {
  KROGraphicAttributeSet attributes{0xFD040400u, 0x000000FFu};
  attributes.first = (attributes.first & 0x00FFFFFFu) | 0xFF000000u;
  attributes.first &= ~1u;
  attributes.first |= faceBits;
  return attributes;
}

const KRO3DBoundingSphere kBounds({0, 0, 0}, 0.0f, 0.0f, 0b00010);

void BuildFace(KROSurfacicRep& face, const KROGraphicAttributeSet& attributes,
               KRO3DFilterBagRep& root) {
  face.AddGP(MakeFullScreenQuad().Get(), attributes);
  face.SetGraphicAttributeSet(attributes);
  face.SetBoundingElement(kBounds);
  face.SetViewMode(kBackgroundViewMode, 1, 0);
  root.AddChild(&face);
}

}  // namespace

KRO3DRep* KRO3DStreamingViewer::CreateBackgroundRep() {
  auto firstFace = KROPtr<KROSurfacicRep>::Adopt(KROSurfacicRep::CreateRep());
  auto root = KROPtr<KRO3DFilterBagRep>::Adopt(KRO3DFilterBagRep::CreateRep());
  if (!firstFace || !root) return nullptr;

  BuildFace(*firstFace, FaceAttributes(0x30), *root);
  if (auto secondFace = KROPtr<KROSurfacicRep>::Adopt(KROSurfacicRep::CreateRep())) {
    BuildFace(*secondFace, FaceAttributes(0x38), *root);
  }
  root->SetBoundingElement(kBounds);
  root->SetViewMode(kBackgroundViewMode, 1, 0);
  if (auto filter = KROPtr<KROVisRepViewModeFilter>::Adopt(
          KROVisRepViewModeFilter::Create(kBackgroundViewMode))) {
    root->AddFilter(filter.Get());
  }
  auto material = KROPtr<KROGraphicMaterial>::Adopt(KROGraphicMaterial::Create());
  material->setShaderFileName(KROGraphicMaterial::kFullScreenMapShader);
  material->SetMaterialPropertiesActivation(1);
  root->SetGraphicMaterial(material.Get());
  root->SetMaterialInheritance(1);
  KRO3DFilterBagRep* result = root.Get();
  result->AddRef();
  return result;
}

void KRO3DStreamingViewer::UpdateBackgroundRepTexture(KRO3DRep& rep,
                                                      const IVisTexturePtr& texture) {
  KROGraphicMaterial* material = rep.GetGraphicMaterial();
  if (!material) return;
  const int index = material->getParameter(KROGraphicMaterial::kSourceMapParameter);
  if (index >= 0) material->SetParameterTexture(index, texture);
}
