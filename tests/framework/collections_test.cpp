#include "framework/collections.h"
#include "framework/errors.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>
#include <utility>

namespace {

// Distinct element identities; the sets never dereference them.
void* E(std::uintptr_t n) {
    return reinterpret_cast<void*>(n);
}

// Everything hashes to slot 0, so that elements form one probe run.
std::uintptr_t ZeroHash(const void*) {
    return 0;
}
std::intptr_t IdentityCompare(const void* a, const void* b) {
    return reinterpret_cast<std::intptr_t>(a) - reinterpret_cast<std::intptr_t>(b);
}

// Hashes and compares by the value pointed to, so distinct objects can be equal.
std::uintptr_t ValueHash(const void* e) {
    return static_cast<std::uintptr_t>(*static_cast<const int*>(e));
}
std::intptr_t ValueCompare(const void* a, const void* b) {
    return *static_cast<const int*>(a) - *static_cast<const int*>(b);
}

} // namespace

TEST(Collections, SlotCountsAndThresholdsOfTheCapacitiesInUse) {
    const std::pair<int, int> expected[] = {{1, 1}, {2, 3}, {8, 11}, {20, 29}, {201, 287}};
    for (auto [n, slots] : expected) {
        TSet set(n);
        EXPECT_EQ(set.Capacity(), slots) << "n=" << n;
        EXPECT_EQ(set.Threshold(), n) << "n=" << n;
        TDictionary dict(n);
        EXPECT_EQ(dict.Capacity(), slots) << "n=" << n;
    }
}

TEST(Collections, GrowsOnlyWhenCountReachesThreshold) {
    TSet set(201);
    for (std::uintptr_t i = 1; i <= 201; ++i)
        set.Add(E(i));
    EXPECT_EQ(set.Capacity(), 287);
    EXPECT_EQ(set.Count(), 201);

    // Re-adding a present element replaces it in place and must not trip growth
    // beyond what the threshold rule asks for.
    EXPECT_EQ(set.Add(E(5)), E(5));
    EXPECT_EQ(set.Count(), 201);

    set.Add(E(202)); // Count reached 201 before this insert: grow first
    EXPECT_EQ(set.Capacity(), 410);
    EXPECT_EQ(set.Count(), 202);
    for (std::uintptr_t i = 203; i <= 287; ++i)
        set.Add(E(i));
    EXPECT_EQ(set.Capacity(), 410);
    set.Add(E(288));
    EXPECT_EQ(set.Capacity(), 586);
    for (std::uintptr_t i = 1; i <= 288; ++i)
        ASSERT_EQ(set.Find(E(i)), E(i)) << i;
    EXPECT_EQ(set.Find(E(289)), nullptr);
}

TEST(Collections, AddReplacesAnEqualElementAndReturnsIt) {
    TSet set(8);
    set.SetFunctions(ValueHash, ValueCompare);
    int a = 7, b = 7, c = 8;
    EXPECT_EQ(set.Add(&a), nullptr);
    EXPECT_EQ(set.Add(&c), nullptr);
    EXPECT_EQ(set.Add(&b), &a);
    EXPECT_EQ(set.Count(), 2);
    EXPECT_EQ(set.Find(&a), &b); // the later element is the one stored
}

TEST(Collections, SetFunctionsClearsTheTable) {
    TSet set(8);
    set.Add(E(1));
    set.SetFunctions(ZeroHash, IdentityCompare);
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.Find(E(1)), nullptr);
}

TEST(Collections, SetCapacityTooSmallFailsAndLeavesTheSetAsItWas) {
    TSet set(8);
    for (std::uintptr_t i = 1; i <= 5; ++i)
        set.Add(E(i));
    try {
        set.SetCapacity(0);
        FAIL() << "no error";
    } catch (const ERangeError& e) {
        EXPECT_STREQ(e.what(), "Set Capacity too small to hold existing elements.");
    }
    EXPECT_THROW(set.SetCapacity(4), ERangeError);
    EXPECT_EQ(set.Capacity(), 11);
    EXPECT_EQ(set.Count(), 5);
    for (std::uintptr_t i = 1; i <= 5; ++i)
        EXPECT_EQ(set.Find(E(i)), E(i));

    set.SetCapacity(5); // exactly enough
    EXPECT_EQ(set.Capacity(), 7);
    for (std::uintptr_t i = 1; i <= 5; ++i)
        EXPECT_EQ(set.Find(E(i)), E(i));
}

TEST(Collections, OneSlotTableAnswersLookupsWhenFullAndStillGrows) {
    TSet set(1);
    set.Add(E(1));
    ASSERT_EQ(set.Capacity(), 1);
    // The only slot is taken: a lookup of another element must end, not probe forever.
    EXPECT_EQ(set.Find(E(2)), nullptr);
    EXPECT_EQ(set.Remove(E(2)), nullptr);
    set.Add(E(2));
    EXPECT_GT(set.Capacity(), 1);
    EXPECT_EQ(set.Find(E(1)), E(1));
    EXPECT_EQ(set.Find(E(2)), E(2));

    TSet empty(0);
    EXPECT_EQ(empty.Capacity(), 0);
    EXPECT_EQ(empty.Find(E(1)), nullptr);
    EXPECT_EQ(empty.Remove(E(1)), nullptr);
    empty.Add(E(1));
    EXPECT_EQ(empty.Find(E(1)), E(1));

    TDictionary dict(1);
    dict.Add(10, 100);
    EXPECT_EQ(dict.Find(11), 0);
    dict.Add(11, 110);
    EXPECT_EQ(dict.Find(10), 100);
    EXPECT_EQ(dict.Find(11), 110);
}

TEST(Collections, RemoveKeepsTheRestOfAProbeRunReachable) {
    TSet set(8); // 11 slots, all elements probing from slot 0
    set.SetFunctions(ZeroHash, IdentityCompare);
    for (std::uintptr_t i = 1; i <= 6; ++i)
        set.Add(E(i));
    EXPECT_EQ(set.Remove(E(2)), E(2));
    EXPECT_EQ(set.Remove(E(2)), nullptr);
    EXPECT_EQ(set.Count(), 5);
    for (std::uintptr_t i : {1, 3, 4, 5, 6})
        EXPECT_EQ(set.Find(E(i)), E(i)) << i;
    EXPECT_EQ(set.Find(E(2)), nullptr);

    // A run that wraps around the end of the slot array.
    TSet wrap(8);
    wrap.SetFunctions([](const void*) -> std::uintptr_t { return 9; }, IdentityCompare);
    for (std::uintptr_t i = 1; i <= 5; ++i)
        wrap.Add(E(i)); // slots 9, 10, 0, 1, 2
    wrap.Remove(E(1));
    wrap.Remove(E(3));
    for (std::uintptr_t i : {2, 4, 5})
        EXPECT_EQ(wrap.Find(E(i)), E(i)) << i;
    wrap.Add(E(1));
    EXPECT_EQ(wrap.Count(), 4);
    EXPECT_EQ(wrap.Find(E(1)), E(1));

    // Removing from the last slot: the repair continues at slot 0.
    TSet last(8);
    last.SetFunctions([](const void*) -> std::uintptr_t { return 10; }, IdentityCompare);
    for (std::uintptr_t i = 1; i <= 4; ++i)
        last.Add(E(i)); // slots 10, 0, 1, 2
    EXPECT_EQ(last.Remove(E(1)), E(1));
    for (std::uintptr_t i : {2, 3, 4})
        EXPECT_EQ(last.Find(E(i)), E(i)) << i;
    EXPECT_EQ(last.SlotAt(10), E(2));
    EXPECT_EQ(last.SlotAt(2), nullptr);
}

TEST(Collections, IteratorsVisitEveryElementOnce) {
    TSet empty(20);
    EXPECT_EQ(empty.Iterator()->NextElement(), nullptr);

    TSet set(2);
    std::set<void*> added;
    for (std::uintptr_t i = 1; i <= 30; ++i) {
        set.Add(E(i * 8));
        added.insert(E(i * 8));
    }
    std::set<void*> seen;
    auto it = set.Iterator();
    while (void* e = it->NextElement())
        EXPECT_TRUE(seen.insert(e).second);
    EXPECT_EQ(seen, added);
    EXPECT_EQ(it->NextElement(), nullptr);

    TDictionary dict(8);
    dict.Add(1, 10);
    dict.Add(2, 20);
    auto base = dict.Iterator();
    auto* dit = dynamic_cast<TDictionaryIterator*>(base.get());
    ASSERT_NE(dit, nullptr);
    std::set<std::pair<TDictionary::Key, TDictionary::Value>> pairs;
    while (auto v = dit->Next())
        pairs.insert({dit->LastKey(), v});
    EXPECT_EQ(pairs, (std::set<std::pair<TDictionary::Key, TDictionary::Value>>{{1, 10}, {2, 20}}));
}

TEST(Collections, DictionaryAddFindRemoveClear) {
    TDictionary dict(2);
    EXPECT_EQ(dict.Add(5, 50), 0);
    EXPECT_EQ(dict.Add(5, 55), 50); // replaced; the old pair is freed (checked by ASan)
    EXPECT_EQ(dict.Count(), 1);
    EXPECT_EQ(dict.Find(5), 55);
    EXPECT_EQ(dict.Find(6), 0);

    int object = 0;
    dict.Add(&object, 7);
    EXPECT_EQ(dict.Find(&object), 7);

    for (TDictionary::Key k = 100; k < 150; ++k)
        dict.Add(k, static_cast<TDictionary::Value>(k * 2));
    for (TDictionary::Key k = 100; k < 150; ++k)
        ASSERT_EQ(dict.Find(k), static_cast<TDictionary::Value>(k * 2));
    EXPECT_EQ(dict.Remove(120), 240);
    EXPECT_EQ(dict.Remove(120), 0);
    EXPECT_EQ(dict.Find(121), 242);

    dict.Clear();
    EXPECT_EQ(dict.Count(), 0);
    EXPECT_EQ(dict.Find(5), 0);
    dict.Add(5, 1); // usable after Clear
    EXPECT_EQ(dict.Find(5), 1);
}

TEST(Collections, NegativeOrUnrepresentableCapacityIsARangeError) {
    EXPECT_THROW(TSet(-1), ERangeError);
    EXPECT_THROW(TSet(2000000000), ERangeError);
}
