#pragma once
// TRoutes: the component's ordered list of routes, which owns them, with the active route.
#include "norv/Export.h"
#include "norv/navigation/OwningList.h"
#include "norv/navigation/Route.h"

namespace norv {

// The routes in order, under the ownership, name matching and index rules of TOwningList; every
// Delete and Clear frees the routes it removes. ActiveRoute designates the route the navigation
// sentences publish; it owns nothing, and it becomes null whenever the list frees the route it
// designates, and on every Clear.
class NORV_API TRoutes : private TOwningList<TRoute> {
 public:
  TRoutes()
      : TOwningList([this](TRoute* Freed) {
          if (Freed == FActiveRoute) FActiveRoute = nullptr;
        }) {}
  // Clears while the active route can still be reset; the base then has nothing left to free.
  ~TRoutes() { Clear(); }

  using TOwningList::Add;
  using TOwningList::Count;
  using TOwningList::GetByName;
  using TOwningList::GetCount;
  using TOwningList::GetItem;
  using TOwningList::IndexOf;
  using TOwningList::Insert;
  using TOwningList::Items;
  using TOwningList::SetItem;
  using TOwningList::Swap;

  void Delete(std::int32_t Idx) { TOwningList::Delete(Idx, true); }
  void Delete(const std::string& RouteName) { TOwningList::Delete(RouteName, true); }
  // Also resets ActiveRoute, even when it designated a route outside the list (not freed).
  void Clear() {
    TOwningList::Clear(true);
    FActiveRoute = nullptr;
  }

  // Any route, in the list or not, or null; setting it neither adds nor frees a route.
  TRoute* ActiveRoute() const { return FActiveRoute; }
  void SetActiveRoute(TRoute* Value) { FActiveRoute = Value; }

 private:
  TRoute* FActiveRoute = nullptr;
};

}  // namespace norv
