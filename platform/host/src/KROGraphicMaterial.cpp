#include "KROGraphicMaterial.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

KRO_IMPLEMENT_CLASS(KROGraphicMaterial, KROBaseUnknown)

namespace {

struct KnownShader {
  const char* fileName;
  std::initializer_list<const char*> textureParameters;
};

const KnownShader kKnownShaders[] = {
    {KROGraphicMaterial::kFullScreenMapShader, {KROGraphicMaterial::kSourceMapParameter}},
};

}  // namespace

KROGraphicMaterial* KROGraphicMaterial::Create() {
  return new KROGraphicMaterial;
}

KROGraphicMaterial::~KROGraphicMaterial() = default;

void KROGraphicMaterial::setShaderFileName(const char* name, const char* /*secondName*/) {
  _ShaderFileName = name ? name : "";
  _ParameterNames.clear();
  for (const KnownShader& shader : kKnownShaders) {
    if (_ShaderFileName == shader.fileName) _ParameterNames = shader.textureParameters;
  }
  _ParameterTextures.assign(_ParameterNames.size(), nullptr);
}

int KROGraphicMaterial::getParameter(const char* name) const {
  if (!name) return -1;
  const auto found = std::find_if(_ParameterNames.begin(), _ParameterNames.end(),
                                  [name](const char* p) { return std::strcmp(p, name) == 0; });
  return found == _ParameterNames.end() ? -1 : static_cast<int>(found - _ParameterNames.begin());
}

bool KROGraphicMaterial::IsParameter(int index) const {
  return index >= 0 && static_cast<std::size_t>(index) < _ParameterTextures.size();
}

HRESULT KROGraphicMaterial::SetParameterTexture(int index, const IVisTexturePtr& texture) {
  if (!IsParameter(index)) return E_INVALIDARG;
  _ParameterTextures[static_cast<std::size_t>(index)] = texture;
  return S_OK;
}

IVisTexturePtr KROGraphicMaterial::GetParameterTexture(int index) const {
  if (!IsParameter(index)) return nullptr;
  return _ParameterTextures[static_cast<std::size_t>(index)];
}
