#include "norv/nmea/RouteWayPoints.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "norv/framework/SysUtils.h"
#include "norv/navigation/Route.h"
#include "norv/navigation/WayPoints.h"

namespace norv {

namespace {

// The byte UpperCase makes of c, as an unsigned byte for ordering.
unsigned char Folded(char c) { return static_cast<unsigned char>(UpperChar(c)); }

// Orders names as their upper-case forms compare; equal exactly when the names match.
int CompareFolded(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = Folded(a[i]), y = Folded(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

struct TListed {
  const TWayPoint* WayPoint;
  std::int32_t Index;
};

}  // namespace

TRouteWayPoints::TRouteWayPoints(const TRoute& Route, const TWayPoints* WayPoints)
    : FResolved(Route.WayPoints().size()) {
  const std::span<const TWayPoint*> resolved = FResolved.Elements();
  std::fill(resolved.begin(), resolved.end(), nullptr);
  if (WayPoints == nullptr) return;
  TSmallBuffer<TListed, kInPlace> buffer(static_cast<std::size_t>(WayPoints->Count()));
  std::size_t count = 0;
  for (std::int32_t i = 0; i < WayPoints->Count(); ++i)
    if (const TWayPoint* w = WayPoints->Items(i)) buffer.Elements()[count++] = {w, i};
  const std::span<TListed> listed = buffer.Elements().first(count);
  // By name, and among equal names by index, so that the last of equals is GetByName's choice.
  std::sort(listed.begin(), listed.end(), [](const TListed& a, const TListed& b) {
    const int c = CompareFolded(a.WayPoint->Name(), b.WayPoint->Name());
    return c != 0 ? c < 0 : a.Index < b.Index;
  });
  for (std::size_t e = 0; e < resolved.size(); ++e) {
    const std::string_view name = Route.WayPoints()[e];
    // The first listed name that sorts after this one; the one before it is the last equal.
    const auto after = std::upper_bound(
        listed.begin(), listed.end(), name, [](std::string_view n, const TListed& l) {
          return CompareFolded(n, l.WayPoint->Name()) < 0;
        });
    if (after != listed.begin() && CompareFolded(std::prev(after)->WayPoint->Name(), name) == 0)
      resolved[e] = std::prev(after)->WayPoint;
  }
}

}  // namespace norv
