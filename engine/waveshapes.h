// The first effect slot's shaping curves that need exp and tanh (tube and solid-state), applied to
// many points at once in the lanes of the voice path; built once per lane width like the voices.
#pragma once

#include <cstdint>

#include "engine/block_values.h"

namespace Engine {

enum class Shaper { Tube, SolidState };

// Shapes `count` points with the block's tube or solid-state curve into `shaped`.
// Audio thread; no allocation.
namespace Wide {
void ShapePoints(const BlockValues& values, Shaper shaper, const double* points, int32_t count,
                 double* shaped);
}
namespace Baseline {
void ShapePoints(const BlockValues& values, Shaper shaper, const double* points, int32_t count,
                 double* shaped);
}

}  // namespace Engine
