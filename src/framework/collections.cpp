#include "framework/collections.h"

#include "framework/errors.h"

#include <climits>
#include <cmath>

namespace {

std::int32_t RoundEven(double x) { return static_cast<std::int32_t>(std::nearbyint(x)); }

std::uintptr_t IdentityHash(const void* e) { return reinterpret_cast<std::uintptr_t>(e); }
std::intptr_t IdentityCompare(const void* a, const void* b) {
    return reinterpret_cast<std::intptr_t>(a) - reinterpret_cast<std::intptr_t>(b);
}

std::uintptr_t PairHash(const void* e) { return static_cast<const TDictionary::Pair*>(e)->key; }
std::intptr_t PairCompare(const void* a, const void* b) {
    auto ka = static_cast<const TDictionary::Pair*>(a)->key;
    auto kb = static_cast<const TDictionary::Pair*>(b)->key;
    return ka == kb ? 0 : (ka < kb ? -1 : 1);
}

} // namespace

TSet::TSet(std::int32_t n) : fHash(IdentityHash), fCompare(IdentityCompare) { Allocate(n); }

TSet::~TSet() = default;

std::unique_ptr<TSetIterator> TSet::Iterator() const { return std::make_unique<TSetIterator>(*this); }

std::int32_t TSet::Threshold() const { return RoundEven(fCapacity * 0.7); }

void TSet::Allocate(std::int32_t n) {
    if (n < 0) throw ERangeError("Set Capacity too small to hold existing elements.");
    // A slot count beyond 32 bits cannot be represented; refuse it before converting.
    if (n / 0.7 > INT32_MAX) throw ERangeError("Set Capacity too large.");
    fCapacity = RoundEven(n / 0.7);
    fSlots.assign(static_cast<std::size_t>(fCapacity), nullptr);
    fCount = 0;
}

void TSet::SetCapacity(std::int32_t n) {
    if (fCount > n) throw ERangeError("Set Capacity too small to hold existing elements.");
    std::vector<void*> old;
    old.swap(fSlots);
    Allocate(n);
    for (void* e : old)
        if (e) Add(e);
}

void TSet::SetFunctions(HashFn hash, CompareFn compare) {
    Clear();
    fHash = hash;
    fCompare = compare;
}

std::int32_t TSet::FindSlot(const void* element) const {
    if (fCapacity == 0) return -1;
    auto i = static_cast<std::int32_t>(fHash(element) % static_cast<std::uintptr_t>(fCapacity));
    // A one-slot table is full after one Add (its threshold is 1), so the probe must
    // stop after one round instead of looking for an empty slot forever.
    for (std::int32_t probes = 0; probes < fCapacity; ++probes) {
        void* e = fSlots[static_cast<std::size_t>(i)];
        if (!e || fCompare(e, element) == 0) return i;
        if (++i == fCapacity) i = 0;
    }
    return -1;
}

void* TSet::Add(void* element) {
    // The growth rule alone cannot enlarge a one-slot table (1 / 0.7 rounds to 1),
    // so ask for at least one more element than is stored.
    if (Threshold() <= fCount) SetCapacity(std::max(fCapacity, fCount + 1));
    std::int32_t i = FindSlot(element);
    void*& slot = fSlots[static_cast<std::size_t>(i)];
    void* previous = slot;
    if (!previous) ++fCount;
    slot = element;
    return previous;
}

void* TSet::Find(const void* element) const {
    std::int32_t i = FindSlot(element);
    return i < 0 ? nullptr : fSlots[static_cast<std::size_t>(i)];
}

void* TSet::Remove(const void* element) {
    std::int32_t i = FindSlot(element);
    if (i < 0) return nullptr;
    void* removed = fSlots[static_cast<std::size_t>(i)];
    if (!removed) return nullptr;
    fSlots[static_cast<std::size_t>(i)] = nullptr;
    --fCount;
    // Re-insert the rest of the probe run so later lookups still reach them.
    for (std::int32_t j = (i + 1) % fCapacity; fSlots[static_cast<std::size_t>(j)];
         j = (j + 1) % fCapacity) {
        void* e = fSlots[static_cast<std::size_t>(j)];
        fSlots[static_cast<std::size_t>(j)] = nullptr;
        fSlots[static_cast<std::size_t>(FindSlot(e))] = e;
    }
    return removed;
}

void TSet::Clear() {
    std::fill(fSlots.begin(), fSlots.end(), nullptr);
    fCount = 0;
}

void* TSetIterator::NextElement() {
    while (fIndex < fSet.Capacity()) {
        void* e = fSet.SlotAt(fIndex++);
        if (e) return e;
    }
    return nullptr;
}

TDictionary::TDictionary(std::int32_t n) : TSet(n) { TSet::SetFunctions(PairHash, PairCompare); }

TDictionary::~TDictionary() { Clear(); }

TDictionary::Value TDictionary::Add(Key key, Value value) {
    auto pair = std::make_unique<Pair>(Pair{key, value});
    // Growing may fail for want of memory; the pair is owned until the set holds it.
    auto* old = static_cast<Pair*>(TSet::Add(pair.get()));
    pair.release();
    if (!old) return 0;
    Value result = old->value;
    delete old;
    return result;
}

TDictionary::Value TDictionary::Find(Key key) const {
    Pair probe{key, 0};
    auto* p = static_cast<const Pair*>(TSet::Find(&probe));
    return p ? p->value : 0;
}

TDictionary::Value TDictionary::Remove(Key key) {
    Pair probe{key, 0};
    auto* p = static_cast<Pair*>(TSet::Remove(&probe));
    if (!p) return 0;
    Value v = p->value;
    delete p;
    return v;
}

void TDictionary::Clear() {
    for (std::int32_t i = 0; i < Capacity(); ++i) delete static_cast<Pair*>(SlotAt(i));
    TSet::Clear();
}

std::unique_ptr<TSetIterator> TDictionary::Iterator() const {
    return std::make_unique<TDictionaryIterator>(*this);
}

TDictionary::Value TDictionaryIterator::Next() {
    auto* p = static_cast<TDictionary::Pair*>(NextElement());
    if (!p) return 0;
    fLastKey = p->key;
    return p->value;
}
