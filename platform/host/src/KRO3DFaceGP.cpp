#include "KRO3DFaceGP.h"

#include <algorithm>
#include <cstddef>

KRO_IMPLEMENT_CLASS(KRO3DFaceGP, KROBaseUnknown)

namespace {

constexpr int kMaxTextureDimension = 4;

// An array given as pointer and count is usable when the count is not negative and a positive
// count comes with an array.
template <class T>
bool IsArray(const T* data, int count) {
  return count >= 0 && (data || count == 0);
}

template <class T>
std::vector<T> Copy(const T* data, std::size_t count) {
  return count ? std::vector<T>(data, data + count) : std::vector<T>();
}

}  // namespace

KRO3DFaceGP::KRO3DFaceGP(const float* vertices, int vertexFloatCount, const float* normals,
                         int normalFloatCount, const int* triangles, int triangleCount,
                         const int* strips, int stripCount, const int* fans, int fanCount,
                         const float* textureCoordinates, int textureDimension, unsigned char flags)
    : _Flags(flags) {
  const bool arraysGiven =
      IsArray(vertices, vertexFloatCount) && vertexFloatCount % 3 == 0 &&
      IsArray(normals, normalFloatCount) &&
      (normalFloatCount == 0 || normalFloatCount == vertexFloatCount) &&
      IsArray(triangles, triangleCount) && !strips && stripCount == 0 && !fans && fanCount == 0 &&
      (!textureCoordinates || (textureDimension >= 1 && textureDimension <= kMaxTextureDimension));
  if (!arraysGiven) return;
  const auto offsetCount = static_cast<std::size_t>(triangleCount) * 3;
  const bool offsetsInside = std::all_of(triangles, triangles + offsetCount, [&](int offset) {
    return offset >= 0 && offset % 3 == 0 && offset < vertexFloatCount;
  });
  if (!offsetsInside) return;

  const auto vertexCount = static_cast<std::size_t>(vertexFloatCount) / 3;
  _Vertices = Copy(vertices, static_cast<std::size_t>(vertexFloatCount));
  _Normals = Copy(normals, static_cast<std::size_t>(normalFloatCount));
  _Triangles = Copy(triangles, offsetCount);
  if (textureCoordinates) {
    _TextureDimension = textureDimension;
    _TextureCoordinates =
        Copy(textureCoordinates, vertexCount * static_cast<std::size_t>(textureDimension));
  }
  _Valid = true;
}

KRO3DFaceGP::~KRO3DFaceGP() = default;
