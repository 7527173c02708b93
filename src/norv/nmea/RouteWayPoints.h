#pragma once
// The waypoint each entry of a route names, resolved in one pass over the list.
#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace norv {

// Room for Size elements of T: in place up to N, on the heap beyond.
template <class T, std::size_t N>
class TSmallBuffer {
 public:
  explicit TSmallBuffer(std::size_t Size) : FSize(Size) {
    if (Size > N) FHeap.resize(Size);
  }
  std::span<T> Elements() { return {FSize > N ? FHeap.data() : FInline.data(), FSize}; }
  std::span<const T> Elements() const {
    return {FSize > N ? FHeap.data() : FInline.data(), FSize};
  }

 private:
  std::size_t FSize;
  std::array<T, N> FInline;
  std::vector<T> FHeap;
};

class TRoute;
class TWayPoint;
class TWayPoints;

// Resolves every entry of a route as TWayPoints::GetByName does: the waypoint with the highest
// index whose name matches without regard to ASCII case, or null when none does. Sorting the
// list once makes a long route cost n log n rather than one scan of the list per entry.
class TRouteWayPoints {
 public:
  TRouteWayPoints(const TRoute& Route, const TWayPoints* WayPoints);
  // In route order, one per entry.
  std::span<const TWayPoint* const> Resolved() const { return FResolved.Elements(); }

  // Routes and lists up to this long are resolved without a heap allocation.
  static constexpr std::size_t kInPlace = 64;

 private:
  TSmallBuffer<const TWayPoint*, kInPlace> FResolved;
};

}  // namespace norv
