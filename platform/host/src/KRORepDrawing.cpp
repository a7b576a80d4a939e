#include "KRORepDrawing.h"

#include <cstring>

#include "KRO3DBagRep.h"
#include "KROFullScreenMap.h"
#include "KROGraphicMaterial.h"
#include "KROSurfacicRep.h"

namespace {

IVisTexturePtr FullScreenSource(const KROGraphicMaterial* material) {
  if (!material ||
      std::strcmp(material->GetShaderFileName(), KROGraphicMaterial::kFullScreenMapShader) != 0) {
    return nullptr;
  }
  return material->GetParameterTexture(
      material->getParameter(KROGraphicMaterial::kSourceMapParameter));
}

void DrawRep(const KRO3DRep& rep, const KROGraphicMaterial* inherited,
             const KROFramebufferRegion& viewport) {
  const KROGraphicMaterial* material =
      rep.GetGraphicMaterial() ? rep.GetGraphicMaterial() : inherited;
  if (const auto* surfacic = dynamic_cast<const KROSurfacicRep*>(&rep)) {
    if (const IVisTexturePtr source = FullScreenSource(material)) {
      for (const KROSurfacicRep::Primitive& primitive : surfacic->GetPrimitives()) {
        DrawFullScreenMap(*primitive.face, *source, viewport);
      }
    }
  }
  if (const auto* bag = dynamic_cast<const KRO3DBagRep*>(&rep)) {
    for (const KROPtr<KRO3DRep>& child : bag->GetChildren()) DrawRep(*child, material, viewport);
  }
}

}  // namespace

void DrawReps(const std::vector<KROPtr<KRO3DRep>>& reps, const KROFramebufferRegion& viewport) {
  for (const KROPtr<KRO3DRep>& rep : reps) DrawRep(*rep, nullptr, viewport);
}
