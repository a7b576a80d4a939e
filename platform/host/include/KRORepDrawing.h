#pragma once

#include <vector>

#include "KRO3DRep.h"
#include "KROFramebufferRegion.h"
#include "KROPtr.h"

// Draws `reps` in order into `viewport`, each bag's children depth-first after it. A surfacic rep
// whose material (its own, else that of its nearest ancestor with one) is the full-screen map
// with a source texture maps that texture over the viewport; every other rep draws nothing, since
// this framework draws no geometry.
void DrawReps(const std::vector<KROPtr<KRO3DRep>>& reps, const KROFramebufferRegion& viewport);
