#pragma once
// The waypoint each entry of a route names, resolved in one pass over the list.
#include <array>
#include <cstddef>
#include <span>
#include <vector>

namespace norv {

// Room for Size elements of T: in place up to N; beyond, a vector that each thread keeps between
// uses, so that after the first long route a cycle allocates nothing more. A second buffer alive
// on the same thread at the same time gets a vector of its own.
template <class T, std::size_t N>
class TSmallBuffer {
 public:
  explicit TSmallBuffer(std::size_t Size) : FSize(Size) {
    if (Size <= N) return;
    TSpare& spare = Spare();
    if (!spare.InUse) {
      spare.InUse = true;
      FBorrowed = &spare;
    }
    HeapElements().resize(Size);
  }
  ~TSmallBuffer() {
    if (FBorrowed != nullptr) FBorrowed->InUse = false;
  }
  TSmallBuffer(const TSmallBuffer&) = delete;
  TSmallBuffer& operator=(const TSmallBuffer&) = delete;

  std::span<T> Elements() { return {FSize > N ? HeapElements().data() : FInline.data(), FSize}; }
  std::span<const T> Elements() const {
    return const_cast<TSmallBuffer*>(this)->Elements();
  }

 private:
  struct TSpare {
    std::vector<T> Elements;
    bool InUse = false;
  };
  static TSpare& Spare() {
    thread_local TSpare spare;
    return spare;
  }
  std::vector<T>& HeapElements() { return FBorrowed != nullptr ? FBorrowed->Elements : FOwn; }

  std::size_t FSize;
  std::array<T, N> FInline;
  TSpare* FBorrowed = nullptr;
  std::vector<T> FOwn;
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

  // Routes and lists up to this long are resolved without a heap allocation; longer ones only
  // until the thread's spare buffers have grown to them.
  static constexpr std::size_t kInPlace = 64;

 private:
  TSmallBuffer<const TWayPoint*, kInPlace> FResolved;
};

}  // namespace norv
