#pragma once

#include <vector>

#include "KROBaseUnknown.h"

// A face primitive: triangles over a vertex array, with optional normals and texture
// coordinates. It keeps its own copies of the arrays. A primitive whose arrays do not hold
// together (a triangle offset that is not a multiple of 3 or lies outside the vertices, a count
// without its array, strips or fans, which this framework does not draw) is empty: IsValid() is
// false and every array is empty, so nothing can index out of its bounds.
class KRO3DFaceGP : public KROBaseUnknown {
  KRO_DECLARE_CLASS(KRO3DFaceGP)
 public:
  // `vertices` and `normals` hold x, y, z per vertex (counts in floats; normals may be absent).
  // `triangles` holds three offsets into `vertices` per triangle, the offset of a vertex being
  // three times its number. `textureCoordinates` (may be null) holds `textureDimension` floats
  // per vertex, 1 to 4. `flags` is the host's primitive flag byte.
  KRO3DFaceGP(const float* vertices, int vertexFloatCount, const float* normals,
              int normalFloatCount, const int* triangles, int triangleCount, const int* strips,
              int stripCount, const int* fans, int fanCount, const float* textureCoordinates,
              int textureDimension, unsigned char flags);

  bool IsValid() const { return _Valid; }

  const std::vector<float>& GetVertices() const { return _Vertices; }
  const std::vector<float>& GetNormals() const { return _Normals; }
  // Three vertex offsets per triangle, each a multiple of 3 inside GetVertices().
  const std::vector<int>& GetTriangles() const { return _Triangles; }
  // GetTextureDimension() floats per vertex, or empty.
  const std::vector<float>& GetTextureCoordinates() const { return _TextureCoordinates; }
  int GetTextureDimension() const { return _TextureDimension; }
  int GetVertexCount() const { return static_cast<int>(_Vertices.size() / 3); }
  int GetTriangleCount() const { return static_cast<int>(_Triangles.size() / 3); }
  unsigned char GetFlags() const { return _Flags; }

  void SetFloatProperty(float value) { _FloatProperty = value; }
  float GetFloatProperty() const { return _FloatProperty; }

 protected:
  ~KRO3DFaceGP() override;

 private:
  std::vector<float> _Vertices;
  std::vector<float> _Normals;
  std::vector<int> _Triangles;
  std::vector<float> _TextureCoordinates;
  int _TextureDimension = 0;
  unsigned char _Flags;
  float _FloatProperty = 0.0f;
  bool _Valid = false;
};
