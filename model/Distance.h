#pragma once
// The distance (pa) for which the Designer page shows a design's flight time.
namespace qf {

// Without settings, and wherever a distance cannot be read, the page uses 2000.
constexpr int kDefaultDistance = 2000;
// The distance dialog takes 0 to 8000, although its label says 1-8000.
constexpr int kMinDistance = 0;
constexpr int kMaxDistance = 8000;

constexpr bool IsAllowedDistance(int distance)
{
    return distance >= kMinDistance && distance <= kMaxDistance;
}

} // namespace qf
