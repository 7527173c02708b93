// Ownership and index rules of the list behind TWayPoints and TRoutes, on an item that records
// its own deletion, so a leak or a double delete fails here even without a sanitizer.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "norv/navigation/OwningList.h"

namespace norv {
namespace {

std::map<std::string, int> g_deleted;  // name -> times deleted

class Item {
 public:
  explicit Item(std::string name) : name_(std::move(name)) {}
  ~Item() { ++g_deleted[name_]; }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

class OwningListTest : public ::testing::Test {
 protected:
  void SetUp() override { g_deleted.clear(); }
  // A list holding items with these names, in order; the raw pointers are kept in items_.
  void Fill(std::initializer_list<const char*> names) {
    for (const char* n : names) {
      items_.push_back(new Item(n));
      list_.Add(items_.back());
    }
  }
  std::string Names() const {
    std::string out;
    for (std::int32_t i = 0; i < list_.GetCount(); ++i)
      out += list_.GetItem(i) ? list_.GetItem(i)->Name() : std::string("-");
    return out;
  }
  static int Deleted(const std::string& name) {
    auto it = g_deleted.find(name);
    return it == g_deleted.end() ? 0 : it->second;
  }

  TOwningList<Item> list_;
  std::vector<Item*> items_;
};

TEST_F(OwningListTest, RefusedAddAndInsertLeaveTheItemWithTheCaller) {
  Fill({"WP1", "B"});
  Item duplicate("wp1");  // on the stack: a list that took it over would delete it and crash
  list_.Add(&duplicate);
  list_.Add(nullptr);
  list_.Insert(0, &duplicate);
  Item outside("C");
  list_.Insert(2, &outside);   // Count: only Add appends
  list_.Insert(-1, &outside);  // refused silently, not raised
  list_.Add(items_[0]);        // already held
  EXPECT_EQ(Names(), "WP1B");
  EXPECT_EQ(duplicate.Name(), "wp1");
  EXPECT_TRUE(g_deleted.empty());
}

TEST_F(OwningListTest, InsertNeedsAnExistingSlot) {
  Item x("X");
  list_.Insert(0, &x);  // never inserts into an empty list
  EXPECT_EQ(list_.GetCount(), 0);
  Fill({"A", "B"});
  auto* first = new Item("C");
  list_.Insert(0, first);
  EXPECT_EQ(Names(), "CAB");
  EXPECT_EQ(list_.GetItem(0), first);
}

TEST_F(OwningListTest, DeleteAndClearFreeExactlyWhenDisposing) {
  Fill({"A", "B", "C", "D"});
  list_.Delete(5, true);  // beyond Count: nothing
  list_.Delete(1, false);
  EXPECT_EQ(Deleted("B"), 0);
  EXPECT_EQ(items_[1]->Name(), "B");  // still alive, now the caller's
  delete items_[1];
  list_.Delete(0, true);
  EXPECT_EQ(Deleted("A"), 1);
  list_.Clear(false);
  EXPECT_EQ(list_.GetCount(), 0);
  EXPECT_EQ(Deleted("C") + Deleted("D"), 0);
  for (std::size_t i : {2u, 3u}) list_.Add(items_[i]);  // taken back
  list_.Clear(true);
  EXPECT_EQ(Deleted("C"), 1);
  EXPECT_EQ(Deleted("D"), 1);
}

TEST_F(OwningListTest, NegativeIndexRaisesTheFrameworkListError) {
  Fill({"A"});
  auto raises = [](auto&& call) {
    try {
      call();
    } catch (const EListError& e) {
      return e.Message();
    }
    return std::string("no error");
  };
  EXPECT_EQ(raises([&] { list_.Delete(-1, true); }), "List index out of bounds (-1)");
  EXPECT_EQ(raises([&] { list_.GetItem(-2); }), "List index out of bounds (-2)");
  Item kept("K");
  EXPECT_EQ(raises([&] { list_.SetItem(-1, &kept); }), "List index out of bounds (-1)");
  EXPECT_EQ(Names(), "A");
  EXPECT_TRUE(g_deleted.empty());
}

TEST_F(OwningListTest, SetItemFreesTheReplacedItemOnce) {
  Fill({"A", "B", "C"});
  auto* x = new Item("X");
  list_.SetItem(1, x);
  EXPECT_EQ(Deleted("B"), 1);
  list_.SetItem(1, x);  // the same object in its own slot: nothing to free
  EXPECT_EQ(Deleted("X"), 0);
  list_.SetItem(0, x);  // held by slot 1: refused, or it would be deleted twice later
  EXPECT_EQ(Names(), "AXC");
  EXPECT_EQ(Deleted("A"), 0);
  list_.SetItem(2, nullptr);  // an empty slot, still counted
  EXPECT_EQ(Deleted("C"), 1);
  EXPECT_EQ(Names(), "AX-");
  Item outside("Y");
  list_.SetItem(3, &outside);  // beyond Count: not taken over
  list_.Clear(true);           // empty slots are skipped
  EXPECT_EQ(Deleted("A"), 1);
  EXPECT_EQ(Deleted("X"), 1);
  EXPECT_EQ(Deleted("Y"), 0);
}

TEST_F(OwningListTest, ForwardSearchFindsTheLowestBackwardTheHighest) {
  Fill({"A", "B"});
  EXPECT_EQ(list_.IndexOf("b"), 1);
  EXPECT_EQ(list_.IndexOf("C"), -1);
  EXPECT_EQ(list_.GetByName("C"), nullptr);
  auto* y = new Item("a");
  list_.SetItem(1, y);  // no name check: two matching entries
  EXPECT_EQ(list_.IndexOf("A"), 0);
  EXPECT_EQ(list_.GetByName("A"), y);
  list_.Delete("A", false);  // the higher one only
  EXPECT_EQ(Names(), "A");
  EXPECT_EQ(Deleted("a"), 0);
  delete y;
}

TEST_F(OwningListTest, NamesMatchOnAsciiLettersOnly) {
  EXPECT_TRUE(NamesMatch("wp1", "WP1"));
  EXPECT_FALSE(NamesMatch("\xC3\xA9", "\xC3\x89"));  // é and É: only ASCII letters fold
  EXPECT_FALSE(NamesMatch("A", "A "));
  Fill({"A", "B"});
  EXPECT_EQ(list_.IndexOf(" A"), -1);
}

TEST_F(OwningListTest, SwapExchangesEntriesAndFreesNothing) {
  Fill({"A", "B", "C"});
  list_.Swap("A", "c");
  EXPECT_EQ(Names(), "CBA");
  EXPECT_EQ(list_.GetItem(0), items_[2]);
  list_.Swap("A", "X");
  list_.Swap("B", "b");
  EXPECT_EQ(Names(), "CBA");
  EXPECT_TRUE(g_deleted.empty());
}

TEST_F(OwningListTest, TheListFreesWhatItStillHoldsWhenItGoesAndTellsTheHookFirst) {
  std::vector<std::string> told;
  {
    TOwningList<Item> list([&](Item* i) {
      EXPECT_EQ(Deleted(i->Name()), 0);  // still alive when the hook hears of it
      told.push_back(i->Name());
    });
    list.Add(new Item("A"));
    list.Add(new Item("B"));
    auto* c = new Item("C");
    list.Add(c);
    list.Delete(2, false);
    delete c;
  }
  EXPECT_EQ(told, (std::vector<std::string>{"B", "A"}));
  EXPECT_EQ(Deleted("A"), 1);
  EXPECT_EQ(Deleted("B"), 1);
  EXPECT_EQ(Deleted("C"), 1);
}

}  // namespace
}  // namespace norv
