#pragma once

#include <string>
#include <vector>

#include "IVisTexture.h"
#include "KROBaseUnknown.h"
#include "KROResult.h"

// A material drawn by a shader of the host, with the textures given to the shader's parameters.
// Only shaders of a small built-in table have parameters; a draw knows what each of them does.
class KROGraphicMaterial : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KROGraphicMaterial)
 public:
  // Maps its "sourceMap" texture over the whole viewport, placing each vertex by its texture
  // coordinates.
  static constexpr const char* kFullScreenMapShader = "TCToFullScreenMap";
  static constexpr const char* kSourceMapParameter = "sourceMap";

  // A new material without shader, holding one reference.
  static KROGraphicMaterial* Create();

  // Selects the shader; the parameters become those of the new shader, without textures. The
  // second name (the host's effect file) selects nothing here.
  void setShaderFileName(const char* name, const char* secondName = nullptr);
  // Empty when no shader was set.
  const char* GetShaderFileName() const { return _ShaderFileName.c_str(); }

  void SetMaterialPropertiesActivation(int activation) {
    _MaterialPropertiesActivation = activation;
  }
  int GetMaterialPropertiesActivation() const { return _MaterialPropertiesActivation; }

  // Index of the shader's parameter `name`, -1 when the shader has none of that name.
  int getParameter(const char* name) const;
  // E_INVALIDARG when `index` is not a parameter of the shader. A null texture clears it.
  HRESULT SetParameterTexture(int index, const IVisTexturePtr& texture);
  // Null when `index` is not a parameter or has no texture.
  IVisTexturePtr GetParameterTexture(int index) const;

 protected:
  ~KROGraphicMaterial() override;

 private:
  KROGraphicMaterial() = default;
  bool IsParameter(int index) const;

  std::string _ShaderFileName;
  int _MaterialPropertiesActivation = 0;
  std::vector<const char*> _ParameterNames;
  std::vector<IVisTexturePtr> _ParameterTextures;
};
