#pragma once
// Points and wires in space, in meters: x east, y north, z up from the ground.

#include <cmath>

namespace zento {

struct Vec3 {
  double x = 0.0, y = 0.0, z = 0.0;

  Vec3 operator+(const Vec3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Vec3 operator-(const Vec3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Vec3 operator*(double k) const { return {x * k, y * k, z * k}; }
  double Dot(const Vec3& o) const { return x * o.x + y * o.y + z * o.z; }
  double Length() const { return std::sqrt(Dot(*this)); }
  bool operator==(const Vec3&) const = default;
};

// The distance from p to the segment from a to b.
inline double DistanceToSegment(const Vec3& p, const Vec3& a, const Vec3& b) {
  const Vec3 ab = b - a;
  const double length2 = ab.Dot(ab);
  double t = length2 > 0.0 ? (p - a).Dot(ab) / length2 : 0.0;
  t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
  return (p - (a + ab * t)).Length();
}

}  // namespace zento
