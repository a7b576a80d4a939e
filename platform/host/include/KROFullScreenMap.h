#pragma once

#include "IVisTexture.h"
#include "KRO3DFaceGP.h"
#include "KROFramebufferRegion.h"

// Draws `face` with `texture` the way the host's "TCToFullScreenMap" shader does: a vertex is
// placed on the viewport by its texture coordinates (u, v in 0..1 span the viewport, v = 0 at
// the bottom), and each pixel inside a triangle shows the texel at its own texture coordinates,
// nearest neighbour. A quad with corners (0, 0) to (1, 1) thus lays the whole texture over the
// whole viewport with texture row 0 at the bottom; a texture of the viewport's size is copied
// row for row. Faces that are invalid or have fewer than two texture coordinates per vertex
// draw nothing.
void DrawFullScreenMap(const KRO3DFaceGP& face, const IVisTexture& texture,
                       const KROFramebufferRegion& viewport);
