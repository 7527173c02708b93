#pragma once
// TOwningList: the ordered, owning list of named objects behind TWayPoints and TRoutes.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "norv/Export.h"
#include "norv/framework/Exception.h"
#include "norv/framework/SysUtils.h"

namespace norv {

// Orders names as their forms with the ASCII letters upper-cased compare, byte by byte.
inline int CompareNames(std::string_view A, std::string_view B) {
  const std::size_t n = std::min(A.size(), B.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(UpperChar(A[i]));
    const auto y = static_cast<unsigned char>(UpperChar(B[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

// Names match when they are equal after upper-casing the ASCII letters; every other byte,
// blanks included, must be the same.
inline bool NamesMatch(const std::string& A, const std::string& B) {
  return CompareNames(A, B) == 0;
}

// Ordered slots of T* that own what they hold. A slot may be empty (only SetItem empties one).
// The list deletes an item exactly once: when it leaves with DisposeItems true, when SetItem
// replaces it, or when the list itself goes; an item that leaves with DisposeItems false, or that
// Add, Insert or SetItem refuses, stays with the caller. An index at or above Count is ignored
// (or gives null); a negative index raises EListError, as the framework list does.
// T needs a Name() that returns the text the list matches on.
template <class T>
class TOwningList {
 public:
  // Told of each item just before the list deletes it.
  using TFreeHook = std::function<void(T*)>;

  explicit TOwningList(TFreeHook OnFree = {}) : FOnFree(std::move(OnFree)) {}
  ~TOwningList() { Clear(true); }
  TOwningList(const TOwningList&) = delete;
  TOwningList& operator=(const TOwningList&) = delete;

  std::int32_t GetCount() const { return static_cast<std::int32_t>(FItems.size()); }
  std::int32_t Count() const { return GetCount(); }

  // Appends Item unless it is null or its name is already listed.
  void Add(T* Item) {
    if (Item == nullptr || IndexOf(Item->Name()) != -1) return;
    FItems.push_back(Item);
  }

  // Appends Item, whose name the caller knows no listed item matches (say, one of a file's
  // sections, unique already), without Add's search of the list.
  void AddDistinct(T* Item) { FItems.push_back(Item); }

  // Inserts Item before the slot Idx under the rules of Add; Idx must name an existing slot, so
  // only Add appends.
  void Insert(std::int32_t Idx, T* Item) {
    if (Item == nullptr || IndexOf(Item->Name()) != -1 || Idx < 0 || Idx >= GetCount()) return;
    FItems.insert(FItems.begin() + Idx, Item);
  }

  void Delete(std::int32_t Idx, bool DisposeItems = true) {
    CheckIndex(Idx);
    if (Idx >= GetCount()) return;
    T* item = FItems[static_cast<std::size_t>(Idx)];
    FItems.erase(FItems.begin() + Idx);
    if (DisposeItems) Free(item);
  }

  // Removes the matching item with the highest index, if any.
  void Delete(const std::string& Name, bool DisposeItems = true) {
    const std::int32_t idx = LastIndexOf(Name);
    if (idx != -1) Delete(idx, DisposeItems);
  }

  void Clear(bool DisposeItems = true) {
    while (!FItems.empty()) Delete(GetCount() - 1, DisposeItems);
  }

  // The lowest index whose item matches Name, or -1.
  std::int32_t IndexOf(const std::string& Name) const {
    for (std::int32_t i = 0; i < GetCount(); ++i)
      if (MatchesAt(i, Name)) return i;
    return -1;
  }

  // The matching item with the highest index, or null; it stays the list's.
  T* GetByName(const std::string& Name) const {
    const std::int32_t idx = LastIndexOf(Name);
    return idx == -1 ? nullptr : FItems[static_cast<std::size_t>(idx)];
  }

  // GetByName of each of Names, in their order. The list is sorted once, so that many names
  // cost n log n instead of one scan of the list per name.
  std::vector<T*> GetByNames(std::span<const std::string> Names) const {
    struct TListed {
      T* Item;
      std::int32_t Index;
    };
    std::vector<TListed> listed;
    listed.reserve(FItems.size());
    for (std::int32_t i = 0; i < GetCount(); ++i)
      if (T* item = FItems[static_cast<std::size_t>(i)]) listed.push_back({item, i});
    // By name, and among matching names by index, so that the last of them is GetByName's.
    std::sort(listed.begin(), listed.end(), [](const TListed& a, const TListed& b) {
      const int c = CompareNames(a.Item->Name(), b.Item->Name());
      return c != 0 ? c < 0 : a.Index < b.Index;
    });
    std::vector<T*> found(Names.size(), nullptr);
    for (std::size_t n = 0; n < Names.size(); ++n) {
      // The first listed name that sorts after this one; the one before it is the last match.
      const auto after = std::upper_bound(
          listed.begin(), listed.end(), std::string_view(Names[n]),
          [](std::string_view name, const TListed& l) { return CompareNames(name, l.Item->Name()) < 0; });
      if (after != listed.begin() && CompareNames(std::prev(after)->Item->Name(), Names[n]) == 0)
        found[n] = std::prev(after)->Item;
    }
    return found;
  }

  T* GetItem(std::int32_t Idx) const {
    CheckIndex(Idx);
    return Idx < GetCount() ? FItems[static_cast<std::size_t>(Idx)] : nullptr;
  }
  T* Items(std::int32_t Idx) const { return GetItem(Idx); }

  // Puts Item (which may be null) in slot Idx and deletes the item it replaces. Item already in
  // that slot changes nothing. Item held by another slot is refused, so that no object is ever
  // held twice and later deleted twice; move it with Swap or Delete(.., false) instead.
  void SetItem(std::int32_t Idx, T* Item) {
    CheckIndex(Idx);
    if (Idx >= GetCount()) return;
    T*& slot = FItems[static_cast<std::size_t>(Idx)];
    if (slot == Item || (Item != nullptr && Holds(Item))) return;
    Free(std::exchange(slot, Item));
  }

  // Exchanges the items that IndexOf finds for the two names; nothing when either is absent.
  void Swap(const std::string& SourceName, const std::string& DestinationName) {
    const std::int32_t i = IndexOf(SourceName);
    const std::int32_t j = IndexOf(DestinationName);
    if (i != -1 && j != -1)
      std::swap(FItems[static_cast<std::size_t>(i)], FItems[static_cast<std::size_t>(j)]);
  }

 private:
  static void CheckIndex(std::int32_t Idx) {
    if (Idx < 0) throw EListError("List index out of bounds (" + IntToStr(Idx) + ")");
  }

  bool MatchesAt(std::int32_t i, const std::string& Name) const {
    const T* item = FItems[static_cast<std::size_t>(i)];
    return item != nullptr && NamesMatch(item->Name(), Name);
  }

  std::int32_t LastIndexOf(const std::string& Name) const {
    for (std::int32_t i = GetCount() - 1; i >= 0; --i)
      if (MatchesAt(i, Name)) return i;
    return -1;
  }

  bool Holds(const T* Item) const {
    for (const T* held : FItems)
      if (held == Item) return true;
    return false;
  }

  void Free(T* Item) {
    if (Item == nullptr) return;
    if (FOnFree) FOnFree(Item);
    delete Item;
  }

  std::vector<T*> FItems;
  TFreeHook FOnFree;
};

}  // namespace norv
