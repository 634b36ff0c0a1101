#include "engine/waveshapes.h"

#include <cstring>

#include "engine/lane_math.h"

namespace Engine {
namespace TOVALUNE_LANES {
namespace {

Lanes Tube(const BlockValues& v, Lanes x) {
  const double k = v.tubeShape;
  const Lanes u = x * v.tubePreGain;
  const Lanes rising = Exp(k * u);
  const Lanes d = 1.0 / rising + rising;  // e^(-k u) + e^(k u)
  const LaneMask zero = d == 0.0;
  const Lanes r = (rising - Exp((5 - k) * u)) / Select(zero, Splat(1.0), d);
  return Select(zero, Splat(0 * v.tubePostGain), Clamp(r, -1.0, 1.0) * v.tubePostGain);
}

Lanes SolidState(const BlockValues& v, Lanes x) {
  const double t = v.solidStateNormal;
  if (t == 0) return Splat(0.0);
  const Lanes c = Tanh(x * v.solidStatePreGain * v.solidStateDrive) / t;
  return Clamp(v.solidStateLevel * c, -1.0, 1.0) * v.solidStatePostGain;
}

template <class Shape>
void ShapeAll(const double* points, int32_t count, double* shaped, Shape shape) {
  int32_t i = 0;
  for (; i + kLaneCount <= count; i += kLaneCount)
    StoreLanes(shaped + i, shape(Load(points + i)));
  if (i == count) return;
  double rest[kLaneCount] = {};
  std::memcpy(rest, points + i, (count - i) * sizeof(double));
  const Lanes last = shape(Load(rest));
  std::memcpy(shaped + i, &last, (count - i) * sizeof(double));
}

}  // namespace

void ShapePoints(const BlockValues& v, Shaper shaper, const double* points, int32_t count,
                 double* shaped) {
  if (shaper == Shaper::Tube) {
    ShapeAll(points, count, shaped, [&v](Lanes x) { return Tube(v, x); });
  } else {
    ShapeAll(points, count, shaped, [&v](Lanes x) { return SolidState(v, x); });
  }
}

}  // namespace TOVALUNE_LANES
}  // namespace Engine
