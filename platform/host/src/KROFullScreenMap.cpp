#include "KROFullScreenMap.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

struct ViewportPoint {
  double x;
  double y;
};
using Triangle = std::array<ViewportPoint, 3>;

// The face's triangles placed on the viewport by their texture coordinates, in viewport pixels.
// Triangles with a coordinate that is not a finite number are left out.
std::vector<Triangle> PlaceTriangles(const KRO3DFaceGP& face, int width, int height) {
  std::vector<Triangle> placed;
  const int dimension = face.GetTextureDimension();
  if (!face.IsValid() || dimension < 2) return placed;
  const std::vector<float>& coordinates = face.GetTextureCoordinates();
  const std::vector<int>& offsets = face.GetTriangles();
  for (std::size_t first = 0; first + 2 < offsets.size(); first += 3) {
    Triangle triangle;
    bool finite = true;
    for (std::size_t corner = 0; corner < 3; ++corner) {
      const auto vertex = static_cast<std::size_t>(offsets[first + corner] / 3);
      const float u = coordinates[vertex * static_cast<std::size_t>(dimension)];
      const float v = coordinates[vertex * static_cast<std::size_t>(dimension) + 1];
      finite = finite && std::isfinite(u) && std::isfinite(v);
      triangle[corner] = {static_cast<double>(u) * width, static_cast<double>(v) * height};
    }
    if (finite) placed.push_back(triangle);
  }
  return placed;
}

struct ColumnSpan {
  int begin;
  int end;
};

// Columns of [0, width) whose pixel centres lie inside `triangle` (edges included) on the row
// whose centres are at height `y`. Each edge keeps the side of its line where the triangle is,
// which on one row is a bound on x.
ColumnSpan SpanInside(const Triangle& triangle, double y, int width) {
  const ViewportPoint& p0 = triangle[0];
  const ViewportPoint& p1 = triangle[1];
  const ViewportPoint& p2 = triangle[2];
  const double area = (p1.x - p0.x) * (p2.y - p0.y) - (p1.y - p0.y) * (p2.x - p0.x);
  if (area == 0.0) return {0, 0};
  const double orientation = area > 0.0 ? 1.0 : -1.0;
  double low = 0.0;
  double high = width;
  for (std::size_t edge = 0; edge < 3; ++edge) {
    const ViewportPoint& a = triangle[edge];
    const ViewportPoint& b = triangle[(edge + 1) % 3];
    // Inside when slope * x + offset >= 0: the cross product of the edge and (x, y) - a, signed
    // so that the triangle's side is positive.
    const double slope = -orientation * (b.y - a.y);
    const double offset = orientation * ((b.x - a.x) * (y - a.y) + (b.y - a.y) * a.x);
    if (slope > 0.0) {
      low = std::max(low, -offset / slope);
    } else if (slope < 0.0) {
      high = std::min(high, -offset / slope);
    } else if (offset < 0.0) {
      return {0, 0};
    }
  }
  low = std::clamp(low, 0.0, static_cast<double>(width));
  high = std::clamp(high, 0.0, static_cast<double>(width));
  // Column c is inside when its centre c + 0.5 lies in [low, high].
  const int begin = static_cast<int>(std::ceil(low - 0.5));
  const int end = static_cast<int>(std::floor(high - 0.5)) + 1;
  return {begin, std::max(begin, end)};
}

// Nearest texel of `texelCount` for pixel `pixel` of `pixelCount`, both spanning 0..1.
int NearestTexel(int pixel, int pixelCount, int texelCount) {
  return static_cast<int>((2 * static_cast<std::int64_t>(pixel) + 1) * texelCount /
                          (2 * static_cast<std::int64_t>(pixelCount)));
}

}  // namespace

void DrawFullScreenMap(const KRO3DFaceGP& face, const IVisTexture& texture,
                       const KROFramebufferRegion& viewport) {
  const int width = viewport.GetWidth();
  const int height = viewport.GetHeight();
  int textureWidth = 0;
  int textureHeight = 0;
  texture.GetSize(textureWidth, textureHeight);
  if (width <= 0 || height <= 0 || textureWidth <= 0 || textureHeight <= 0) return;
  const std::vector<Triangle> triangles = PlaceTriangles(face, width, height);
  const auto textureRowBytes = static_cast<std::size_t>(textureWidth) * 4;

  for (int row = viewport.GetFirstVisibleRow(); row < viewport.GetEndVisibleRow(); ++row) {
    const unsigned char* texels =
        texture.GetPixels() +
        static_cast<std::size_t>(NearestTexel(row, height, textureHeight)) * textureRowBytes;
    for (const Triangle& triangle : triangles) {
      const ColumnSpan inside = SpanInside(triangle, row + 0.5, width);
      const int begin = std::max(inside.begin, viewport.GetFirstVisibleColumn());
      const int end = std::min(inside.end, viewport.GetEndVisibleColumn());
      if (begin >= end) continue;
      if (textureWidth == width) {
        std::memcpy(viewport.GetPixel(begin, row), texels + static_cast<std::size_t>(begin) * 4,
                    static_cast<std::size_t>(end - begin) * 4);
        continue;
      }
      for (int column = begin; column < end; ++column) {
        const int texel = NearestTexel(column, width, textureWidth);
        std::memcpy(viewport.GetPixel(column, row), texels + static_cast<std::size_t>(texel) * 4,
                    4);
      }
    }
  }
}
